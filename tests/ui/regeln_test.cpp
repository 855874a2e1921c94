// The window's fixed rules and the clipboard's forms, with the expectations
// written out: a wrong row in a table must fail here, not be copied into the
// test.
#include "ui/regeln.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/zwischenablage.h"

namespace dunstwerk {
namespace {

std::vector<std::string> Namen(const auto& elemente) {
  std::vector<std::string> namen;
  for (Element e : elemente) namen.emplace_back(kSteuerelemente[e].name);
  return namen;
}

TEST(Regeln, TabfolgeUndErgebnisfelder) {
  const std::vector<std::string> folge = Namen(kTabfolge);
  const std::vector<std::string> felder{"txt_temlu",  "txt_temtau", "txt_temkg",     "txt_rf",
                                        "txt_absfeu", "txt_x",      "txt_rhofl",     "txt_pd",
                                        "txt_psatt",  "txt_xkg",    "txt_xkgminusx", "txt_h1"};
  EXPECT_EQ(Namen(kErgebnisfelder), felder);
  EXPECT_EQ(std::vector(folge.begin() + 14, folge.begin() + 26), felder);
  EXPECT_EQ(
      std::vector(folge.begin() + 30, folge.begin() + 38),
      (std::vector<std::string>{"cmd_Rechn_1", "cmd_Rechn_2", "cmd_Rechn_3", "cmd_rechne",
                                "cmd_neustart", "cmd_beenden", "lbl_Fehlermeldung", "pic_VKR"}));
}

// Screen readers name each box by its own row, and hear the error as an
// alert.
TEST(Regeln, ZugangsnamenUndRollen) {
  const std::pair<const char*, const char*> namen[] = {
      {"txt_temlu", "Lufttemperatur in °C"},
      {"txt_temkg", "Kühlgrenztemperatur in °C"},
      {"txt_rf", "Relative Feuchte in %"},
      {"txt_x", "Wasserdampfgehalt in kg Dampf / kg tr. Luft"},
      {"txt_h1", "Enthalpie der feuchten Luft in kJ / kg tr. Luft"},
      {"pic_VKR", "Dunstwerk-Logo"},
      {"lbl_Zeile_A", ""},
      {"cmd_rechne", ""},
  };
  for (const auto& [feld, name] : namen) EXPECT_EQ(ZugangsnameVon(ElementVon(feld)), name);

  EXPECT_EQ(RolleVon(ElementVon("lbl_Fehlermeldung")), Rolle::Alarm);
  EXPECT_EQ(RolleVon(ElementVon("pic_VKR")), Rolle::Grafik);
  int alarme = 0;
  for (Element e = 0; e < kSteuerelemente.size(); ++e) alarme += RolleVon(e) == Rolle::Alarm;
  EXPECT_EQ(alarme, 1);

  EXPECT_EQ(kKopierenMenueeintrag, "Ergebnisse kopieren\tStrg+C");
}

// The offsets of the Windows HTML format count bytes of UTF-8 and point at
// the document and at the fragment inside it.
TEST(Zwischenablage, CfHtmlZeigtAufDokumentUndFragment) {
  const std::string fragment = "<table><tr><td>Kühlgrenztemperatur in °C</td></tr></table>\n";
  const std::string dokument = HtmlDokument(fragment);
  const std::string html = AlsCfHtml(dokument);
  auto zahl = [&](const std::string& name) {
    return std::stoul(html.substr(html.find(name + ":") + name.size() + 1, 10));
  };
  EXPECT_EQ(html.rfind("Version:0.9\r\nStartHTML:", 0), 0u);
  EXPECT_EQ(html.substr(zahl("StartHTML")), dokument);
  EXPECT_EQ(zahl("EndHTML"), html.size());
  EXPECT_EQ(html.substr(zahl("StartFragment"), zahl("EndFragment") - zahl("StartFragment")),
            fragment);

  // A document without marks is a fragment of its own.
  const std::string ohne = AlsCfHtml("<b>x</b>");
  EXPECT_EQ(ohne.substr(ohne.find("StartFragment:") + 14, 10),
            ohne.substr(ohne.find("StartHTML:") + 10, 10));

  EXPECT_EQ(MitCrLf("a\tb\nc\n"), "a\tb\r\nc\r\n");
}

}  // namespace
}  // namespace dunstwerk
