// The forms the copied results take on a clipboard, as plain string code.
#pragma once

#include <string>
#include <string_view>

namespace dunstwerk {

// A whole HTML document around a fragment: it names its encoding, so that
// word processors and spreadsheets read the umlauts right, and marks the
// fragment as the clipboard's HTML format on Windows asks.
std::string HtmlDokument(std::string_view fragment);

// A document from HtmlDokument in the Windows clipboard's "HTML Format": a
// header with the byte offsets of the document and of its fragment, then the
// document.
std::string AlsCfHtml(std::string_view dokument);

// "\n" line ends as Windows writes them, "\r\n".
std::string MitCrLf(std::string_view text);

}  // namespace dunstwerk
