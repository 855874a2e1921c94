// What both windows must do, written once and run on each toolkit through
// its driver. The rules behind it are tested on a fake surface in tests/ui/;
// here they must show in the real window.
#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <string>
#include <vector>

#include "treiber.h"

namespace dunstwerk::test {
namespace {

using Grund = Fensterlogik::Schliessgrund;

// The character height in pixels of each size of the table at 96 and 144
// DPI: points times DPI / 72, a half pixel rounded up.
const std::map<double, std::pair<int, int>> kZeichenhoehe{{8.25, {11, 17}},  {9.75, {13, 20}},
                                                          {11.25, {15, 23}}, {12, {16, 24}},
                                                          {14.25, {19, 29}}, {20.25, {27, 41}}};

void Rechne(std::string_view temlu, std::string_view rf) {
  T().Klick("cmd_Rechn_1");
  T().Tippe("txt_temlu", temlu);
  T().Tippe("txt_rf", rf);
  T().Klick("cmd_rechne");
}

// The twelve results of 20 °C and 50 %, in the order of kErgebnisfelder.
const char* const kWerte[] = {"20,00",   "9,28",    "13,75",   "50,00",   "0,00877", "0,00737",
                              "1,19941", "0,01171", "0,02342", "0,00995", "0,00258", "38,8"};

class Vertrag : public testing::Test {
 protected:
  void SetUp() override { T().Oeffnen(); }
  void TearDown() override { T().PauseBeenden(); }
};

// A few sizes written out in pixels, so that a wrong rounding fails.
static_assert(Pixel(kFensterBreiteTwips) == 641 && Pixel(kFensterHoeheTwips) == 516 &&
              Pixel(kHoeheNachWahlTwips) == 467 && Pixel(4095) == 273 && Pixel(315, 144) == 32);

// Every control of the table: place, size, font, caption, visibility and
// colour. Labels in the system's text colour take a scheme's change at once,
// and turn black where it would make them unreadable on the yellow.
TEST_F(Vertrag, SteuerelementeNachDerTabelle) {
  const int dpi = T().Dpi();
  EXPECT_EQ(T().Innen(),
            (Rechteck{0, 0, Pixel(kFensterBreiteTwips, dpi), Pixel(kFensterHoeheTwips, dpi)}));
  const Rgb system{20, 20, 90};
  const auto farbe = [&](std::string_view n) -> Rgb {  // written out, not from the table
    if (n == "lbl_Fehlermeldung") return {255, 0, 0};
    if (n == "lbl_Zeile_A") return {0, 0, 0};
    return n == "lbl_Topzeile" || n == "lbl_Dunstwerk" || n.starts_with("lbl_Aufford")
               ? Rgb{0, 0, 255}
               : system;
  };
  T().SetzeSystemtext(system);
  for (Element e = 0; e < kSteuerelemente.size(); ++e) {
    const Steuerelement& s = kSteuerelemente[e];
    SCOPED_TRACE(std::string(s.name));
    EXPECT_EQ(T().Lage(s.name), (Rechteck{Pixel(s.links, dpi), Pixel(s.oben, dpi),
                                          Pixel(s.breite, dpi), Pixel(s.hoehe, dpi)}));
    EXPECT_EQ(T().Sichtbar(s.name), s.sichtbar);
    if (s.art == Art::Bildfeld) continue;
    EXPECT_EQ(T().Text(s.name), s.text);
    const Schrift schrift = T().SchriftVon(s.name);
    EXPECT_TRUE(schrift.familie == "Arial" && schrift.fett && schrift.kursiv == s.kursiv);
    const auto [bei96, bei144] = kZeichenhoehe.at(s.punkt);
    EXPECT_EQ(schrift.pixel, dpi == 96 ? bei96 : bei144);
    if (s.art != Art::Bezeichnung) continue;
    EXPECT_EQ(T().Farben(s.name), std::pair(farbe(s.name), kHintergrund));
  }
  T().SetzeSystemtext({240, 240, 240});
  EXPECT_EQ(T().Farben("lbl_Anmerkung").first, (Rgb{0, 0, 0}));

  T().Klick("cmd_Rechn_1");
  EXPECT_EQ(T().Aussenhoehe(), Pixel(kHoeheNachWahlTwips, dpi));
  EXPECT_EQ(T().Innen().breite, Pixel(kFensterBreiteTwips, dpi));
}

// What a screen reader hears of each control. A text box takes its name from
// its row label, the others from their captions, on any system; the logo's
// name and role and the error label's role are the program's own.
TEST_F(Vertrag, Zugang) {
  for (Element e = 0; e < kSteuerelemente.size(); ++e) {
    const Steuerelement& s = kSteuerelemente[e];
    if (s.name == "pic_VKR" || s.name == "lbl_Fehlermeldung") continue;
    const std::string_view name = ZugangsnameVon(e);
    EXPECT_EQ(T().Zugang(s.name),
              std::pair(std::string(name.empty() ? s.text : name), Rolle::Standard))
        << s.name;
  }
  if (const std::string warum = T().ZugangUnlesbar(); !warum.empty()) GTEST_SKIP() << warum;
  EXPECT_EQ(T().Zugang("pic_VKR"), std::pair(std::string("Dunstwerk-Logo"), Rolle::Grafik));
  EXPECT_EQ(T().Zugang("lbl_Fehlermeldung"), std::pair(std::string(), Rolle::Alarm));
}

// Tab goes round the controls that take the focus, in the table's order.
void Tabrunde(const std::vector<std::string>& folge) {
  T().SetzeFokus(folge.back());
  for (const std::string& naechstes : folge) {
    T().Druecke(Taste::Tab);
    EXPECT_EQ(T().Fokus(), naechstes);
  }
}

// A complete run through clicks and typing, with the tab round of the start
// and of the results, the restart and the end.
TEST_F(Vertrag, VollstaendigerLauf) {
  Tabrunde({"cmd_Rechn_1", "cmd_Rechn_2", "cmd_Rechn_3", "pic_VKR"});
  T().Klick("cmd_Rechn_1");
  EXPECT_EQ(T().Fokus(), "txt_temlu");
  Rechne("20", "50");
  std::vector<std::string> folge;
  for (std::size_t i = 0; i < kErgebnisfelder.size(); ++i) {
    folge.emplace_back(kSteuerelemente[kErgebnisfelder[i]].name);
    EXPECT_TRUE(T().Sichtbar(folge[i])) << folge[i];
    EXPECT_EQ(T().Text(folge[i]), kWerte[i]) << folge[i];
  }
  EXPECT_TRUE(T().Sichtbar("cmd_neustart") && T().Sichtbar("cmd_beenden") &&
              !T().Sichtbar("cmd_rechne") && !T().Pausiert());
  // A hidden button takes no click, though the toolkit would pass it on.
  T().Klick("cmd_Rechn_2");
  EXPECT_TRUE(T().Sichtbar("txt_temtau") && !T().Sichtbar("cmd_rechne"));
  folge.insert(folge.end(), {"cmd_neustart", "cmd_beenden", "pic_VKR"});
  Tabrunde(folge);

  T().Klick("cmd_neustart");
  EXPECT_EQ(T().Text("txt_temlu") + T().Text("txt_rf"), "");
  EXPECT_TRUE(T().Sichtbar("cmd_rechne") && !T().Sichtbar("txt_temtau") &&
              !T().Sichtbar("cmd_neustart"));
  EXPECT_EQ(T().Fokus(), "txt_temlu");
  Rechne("20", "50");
  T().Klick("cmd_beenden");
  EXPECT_FALSE(T().Offen());
}

// Return, the keypad's Enter and Space click a focused button; a mode so
// chosen puts the focus into the air temperature, and Tab goes on to the
// second box and "Rechne !". Enter in a box runs "Rechne !", once.
TEST_F(Vertrag, TastenKlickenUndEnterRechnet) {
  for (Taste taste : {Taste::Return, Taste::ZiffernblockEnter, Taste::Leertaste}) {
    SCOPED_TRACE(int(taste));
    T().Oeffnen();
    T().SetzeFokus("cmd_Rechn_2");
    T().Druecke(taste);
    EXPECT_EQ(T().Fokus(), "txt_temlu");
    T().Tippe("txt_temlu", "20");
    T().Tippe("txt_temkg", "13,8");
    T().SetzeFokus("txt_temlu");
    T().Druecke(Taste::Tab);
    if (taste == Taste::Leertaste) T().Druecke(Taste::Tab);
    EXPECT_EQ(T().Fokus(), taste == Taste::Leertaste ? "cmd_rechne" : "txt_temkg");
    T().Druecke(taste);
    EXPECT_EQ(T().Text("txt_rf"), "50,38");
    T().SetzeFokus("txt_temkg");
    T().Druecke(Taste::Return);
    EXPECT_TRUE(T().Sichtbar("cmd_neustart"));
  }
}

std::string Ergebnistext() {
  std::string text;
  for (std::size_t i = 0; i < kErgebnisfelder.size(); ++i)
    text += std::string(ZeileVon(kErgebnisfelder[i]).text) + "\t" + kWerte[i] +
            std::string(T().Zeilenende());
  return text;
}

// Ctrl+C copies the results, as text and as an HTML table, unless a box has
// a selection; the window's menu, from the keyboard or the mouse, has one
// entry that can be chosen only while results stand. Text boxes keep their
// own menus.
TEST_F(Vertrag, Kopieren) {
  T().Ablage();
  T().SetzeFokus("cmd_Rechn_1");
  Menue m = T().Kontextmenue("", false);
  EXPECT_TRUE(m.eigenes && !m.aktiv);
  T().SetzeFokus("cmd_Rechn_1");  // back from the menu
  T().Druecke(Taste::StrgC);
  Rechne("20", "");  // an error text stands
  T().Druecke(Taste::StrgC);
  EXPECT_EQ(T().Ablage().first, "");
  T().PauseBeenden();

  Rechne("20", "50");
  T().SetzeFokus("txt_temkg");
  T().Druecke(Taste::StrgC);
  const auto [text, html] = T().Ablage();
  EXPECT_EQ(text, Ergebnistext());
  EXPECT_NE(html.find("<td>Kühlgrenztemperatur in °C</td><td>13,75</td>"), std::string::npos)
      << html;
  m = T().Kontextmenue("lbl_Dunstwerk", true);
  EXPECT_TRUE(m.eigenes && m.aktiv);
  EXPECT_EQ(T().Ablage().first, Ergebnistext());

  T().Markiere("txt_x", 2);
  T().Druecke(Taste::StrgC);
  EXPECT_EQ(T().Ablage().first, "00737");
  m = T().Kontextmenue("", false);
  EXPECT_TRUE(m.offen && !m.eigenes);
}

// A user's close while the error text stands is dropped; a quit from the
// program ends it when the pause ends. Without a pause, a user's close
// closes. A window destroyed in the middle of a pause goes quietly.
TEST_F(Vertrag, SchliessenWaehrendDerPause) {
  struct Fall {
    Grund grund;
    bool offenDanach;
  };
  for (const Fall& f : {Fall{Grund::Nutzer, true}, Fall{Grund::Programm, false}}) {
    SCOPED_TRACE(int(f.grund));
    T().Oeffnen();
    Rechne("", "");
    ASSERT_TRUE(T().Pausiert());
    EXPECT_EQ(T().SchliessenAnfordern(f.grund), "");
    EXPECT_TRUE(T().Offen());
    T().PauseBeenden();
    EXPECT_EQ(T().Offen(), f.offenDanach);
  }
  T().Oeffnen();
  T().SchliessenAnfordern(Grund::Nutzer);
  EXPECT_FALSE(T().Offen());

  T().Oeffnen();
  Rechne("", "");
  T().Oeffnen();
  T().Warte(50);
}

// A session that ends cannot wait: the window closes at once, pause or not.
TEST_F(Vertrag, SitzungsendeSchliesstSofort) {
  Rechne("", "");
  ASSERT_TRUE(T().Pausiert());
  if (const std::string warum = T().SchliessenAnfordern(Grund::Sitzungsende); !warum.empty())
    GTEST_SKIP() << warum;
  EXPECT_FALSE(T().Offen());
}

// The one test with the real five seconds: the click returns at once, the
// error text stands its time, free of every other visible control, while the
// window keeps painting, and what the user types, clicks or closes meanwhile
// is dropped; then the empty input view returns.
TEST_F(Vertrag, EchtePause) {
  using Uhr = std::chrono::steady_clock;
  const auto anfang = Uhr::now();
  const auto ms = [&] {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Uhr::now() - anfang).count();
  };
  Rechne("-5", "120");
  EXPECT_LT(ms(), 1000);
  ASSERT_TRUE(T().Pausiert());
  EXPECT_EQ(T().Text("lbl_Fehlermeldung"),
            "Lufttemperatur in °C muss positiv sein !\nRelative Feuchte ist ungültig !");
  EXPECT_EQ(T().Zugang("lbl_Fehlermeldung").first, T().Text("lbl_Fehlermeldung"));
  const Rechteck f = T().Lage("lbl_Fehlermeldung");
  for (const Steuerelement& s : kSteuerelemente) {
    const Rechteck r = T().Lage(s.name);
    EXPECT_TRUE(s.name == "lbl_Fehlermeldung" || !T().Sichtbar(s.name) || r.x >= f.x + f.breite ||
                f.x >= r.x + r.breite || r.y >= f.y + f.hoehe || f.y >= r.y + r.hoehe)
        << s.name;
  }
  T().Warte(1000);
  T().Tippe("txt_rf", "77");
  T().Klick("txt_rf");
  T().SchliessenAnfordern(Grund::Nutzer);
  EXPECT_TRUE(T().Warte(2500));
  EXPECT_TRUE(T().Offen() && T().Pausiert() && T().Sichtbar("lbl_Fehlermeldung"));
  EXPECT_EQ(T().Text("txt_rf"), "120");
  while (T().Pausiert() && ms() < 10000) T().Warte(10);
  EXPECT_GE(ms(), 5000);
  EXPECT_LT(ms(), 6500);
  EXPECT_FALSE(T().Sichtbar("lbl_Fehlermeldung"));
  EXPECT_TRUE(T().Sichtbar("cmd_rechne"));
  EXPECT_EQ(T().Text("txt_temlu") + T().Text("txt_rf"), "");
  EXPECT_EQ(T().Fokus(), "txt_temlu");
  T().Tippe("txt_temlu", "7");
  EXPECT_EQ(T().Text("txt_temlu"), "7");
}

}  // namespace
}  // namespace dunstwerk::test
