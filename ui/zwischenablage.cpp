#include "ui/zwischenablage.h"

namespace dunstwerk {
namespace {

constexpr std::string_view kAnfangMarke = "<!--StartFragment-->";
constexpr std::string_view kEndeMarke = "<!--EndFragment-->";

// A number of the header in ten digits, so that the header's length is known
// before its numbers are.
std::string ZehnStellen(std::size_t n) {
  std::string ziffern(10, '0');
  for (std::size_t i = ziffern.size(); i-- > 0 && n > 0; n /= 10)
    ziffern[i] = static_cast<char>('0' + n % 10);
  return ziffern;
}

std::string CfHtmlKopf(std::size_t html, std::size_t htmlEnde, std::size_t anfang,
                       std::size_t ende) {
  return "Version:0.9\r\nStartHTML:" + ZehnStellen(html) + "\r\nEndHTML:" + ZehnStellen(htmlEnde) +
         "\r\nStartFragment:" + ZehnStellen(anfang) + "\r\nEndFragment:" + ZehnStellen(ende) +
         "\r\n";
}

}  // namespace

std::string HtmlDokument(std::string_view fragment) {
  std::string html = "<html><head><meta charset=\"utf-8\"></head><body>\n";
  html.append(kAnfangMarke).append(fragment).append(kEndeMarke);
  html += "\n</body></html>\n";
  return html;
}

std::string AlsCfHtml(std::string_view dokument) {
  const std::size_t laenge = CfHtmlKopf(0, 0, 0, 0).size();
  // Without the marks the whole document is the fragment.
  std::size_t anfang = dokument.find(kAnfangMarke);
  std::size_t ende = dokument.find(kEndeMarke);
  if (anfang == std::string_view::npos || ende == std::string_view::npos || ende < anfang) {
    anfang = 0;
    ende = dokument.size();
  } else {
    anfang += kAnfangMarke.size();
  }
  std::string html = CfHtmlKopf(laenge, laenge + dokument.size(), laenge + anfang, laenge + ende);
  html.append(dokument);
  return html;
}

std::string MitCrLf(std::string_view text) {
  std::string ergebnis;
  for (char z : text) {
    if (z == '\n') ergebnis += '\r';
    ergebnis += z;
  }
  return ergebnis;
}

}  // namespace dunstwerk
