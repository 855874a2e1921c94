// The window's fixed rules, its colours and the clipboard's forms, with the
// expectations written out: a wrong row in a table must fail here, not be
// copied into the test.
#include "ui/regeln.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/farben.h"
#include "ui/zwischenablage.h"

namespace dunstwerk {
namespace {

std::vector<std::string> Namen(auto von, auto bis) {
  std::vector<std::string> namen;
  for (; von != bis; ++von) namen.emplace_back(kSteuerelemente[*von].name);
  return namen;
}

// The result boxes in their order, in the tab order after the row labels,
// each at its row's top beside the label that names it.
TEST(Regeln, ErgebnisfelderZeilenUndTabfolge) {
  const std::vector<std::string> felder{"txt_temlu",  "txt_temtau", "txt_temkg",     "txt_rf",
                                        "txt_absfeu", "txt_x",      "txt_rhofl",     "txt_pd",
                                        "txt_psatt",  "txt_xkg",    "txt_xkgminusx", "txt_h1"};
  constexpr int kOben[] = {1365, 1680, 1995, 2520, 2835, 3150, 3465, 3780, 4095, 4620, 4935, 5250};
  EXPECT_EQ(Namen(kErgebnisfelder.begin(), kErgebnisfelder.end()), felder);
  for (std::size_t i = 0; i < kErgebnisfelder.size(); ++i) {
    EXPECT_EQ(kSteuerelemente[kErgebnisfelder[i]].oben, kOben[i]) << felder[i];
    EXPECT_EQ(ZeileVon(kErgebnisfelder[i]).oben, kOben[i]) << felder[i];
  }
  EXPECT_EQ(Namen(kTabfolge.begin() + 14, kTabfolge.begin() + 26), felder);
  EXPECT_EQ(
      Namen(kTabfolge.begin() + 30, kTabfolge.end() - 1),
      (std::vector<std::string>{"cmd_Rechn_1", "cmd_Rechn_2", "cmd_Rechn_3", "cmd_rechne",
                                "cmd_neustart", "cmd_beenden", "lbl_Fehlermeldung", "pic_VKR"}));
}

// Screen readers name each box by its own row, and hear the error as an
// alert.
TEST(Regeln, ZugangUndMenue) {
  EXPECT_EQ(ZugangsnameVon(ElementVon("txt_x")), "Wasserdampfgehalt in kg Dampf / kg tr. Luft");
  EXPECT_EQ(ZugangsnameVon(ElementVon("pic_VKR")), "Dunstwerk-Logo");
  EXPECT_EQ(ZugangsnameVon(ElementVon("cmd_rechne")), "");
  EXPECT_EQ(RolleVon(ElementVon("lbl_Fehlermeldung")), Rolle::Alarm);
  EXPECT_EQ(RolleVon(ElementVon("pic_VKR")), Rolle::Grafik);
  EXPECT_EQ(RolleVon(ElementVon("lbl_Aufford_Z1")), Rolle::Standard);
  EXPECT_EQ(kKopierenMenueeintrag, "Ergebnisse kopieren\tStrg+C");
}

// The system's text colour on the fixed yellow: kept while it reads well
// (4.5 : 1), black where a dark or high-contrast scheme makes it light. The
// fixed colours hold in every scheme.
TEST(Farben, LesbarAufGelb) {
  const std::pair<Rgb, Rgb> faelle[] = {
      {{0, 0, 0}, {0, 0, 0}},       {{0, 0, 128}, {0, 0, 128}}, {{255, 255, 255}, {0, 0, 0}},
      {{128, 128, 128}, {0, 0, 0}}, {{255, 255, 0}, {0, 0, 0}}, {{105, 105, 105}, {105, 105, 105}},
      {{238, 238, 236}, {0, 0, 0}}};
  for (const auto& [system, erwartet] : faelle) {
    EXPECT_EQ(Textfarbe(Farbe::System, system), erwartet) << system.r;
    EXPECT_EQ(Textfarbe(Farbe::Rot, system), (Rgb{255, 0, 0}));
    EXPECT_EQ(Textfarbe(Farbe::Blau, system), (Rgb{0, 0, 255}));
    EXPECT_EQ(Textfarbe(Farbe::Schwarz, system), (Rgb{0, 0, 0}));
  }
  EXPECT_DOUBLE_EQ(Kontrast({0, 0, 0}, {255, 255, 255}), 21.0);
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
  EXPECT_EQ(MitCrLf("a\tb\nc\n"), "a\tb\r\nc\r\n");
}

}  // namespace
}  // namespace dunstwerk
