// The window's behaviour on a fake surface: every view and every path of the
// window, with no toolkit and no real time.
#include "ui/fensterlogik.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "ui/layout.h"

namespace dunstwerk {
namespace {

class FakeOberflaeche : public Oberflaeche {
 public:
  FakeOberflaeche() {
    for (Element e = 0; e < kSteuerelemente.size(); ++e) {
      sichtbar[e] = kSteuerelemente[e].sichtbar;
      texte[e] = std::string(kSteuerelemente[e].text);
    }
  }

  std::array<bool, kSteuerelemente.size()> sichtbar{};
  std::array<std::string, kSteuerelemente.size()> texte;
  std::optional<Element> fokus;
  int hoehe = kFensterHoeheTwips;
  std::vector<int> pausenuhren;
  int beendet = 0;
  // What stood on screen at each repaint: the error label's text, or empty.
  std::vector<std::string> gemalt;

  // Each control that was hidden while it had the focus; a toolkit would
  // then hand the focus on to the next control, and a screen reader would
  // announce it.
  std::vector<Element> fokusVerloren;

  void Zeigen(Element e, bool s) override {
    sichtbar[e] = s;
    if (!s && fokus == e) fokusVerloren.push_back(e);
  }
  void SetzeText(Element e, std::string_view t) override { texte[e] = std::string(t); }
  std::string Text(Element e) const override { return texte[e]; }
  void SetzeBeschriftung(Element e, std::string_view t) override { texte[e] = std::string(t); }
  void Fokus(Element e) override { fokus = e; }
  void SetzeFensterhoehe(int twips) override { hoehe = twips; }
  void NeuZeichnen() override {
    gemalt.push_back(sichtbar[ElementVon("lbl_Fehlermeldung")]
                         ? texte[ElementVon("lbl_Fehlermeldung")]
                         : std::string());
  }
  void StartePausenuhr(int ms) override { pausenuhren.push_back(ms); }
  void Beenden() override { ++beendet; }
  void InZwischenablage(std::string_view text, std::string_view html) override {
    ablage.emplace_back(text, html);
  }
  // Each text and HTML put on the clipboard.
  std::vector<std::pair<std::string, std::string>> ablage;

  bool Sichtbar(std::string_view name) const { return sichtbar[ElementVon(name)]; }
  const std::string& TextVon(std::string_view name) const { return texte[ElementVon(name)]; }
  // Names of the visible controls that start with a prefix.
  std::set<std::string> SichtbareMit(std::string_view praefix) const {
    std::set<std::string> namen;
    for (Element e = 0; e < kSteuerelemente.size(); ++e) {
      if (sichtbar[e] && kSteuerelemente[e].name.starts_with(praefix))
        namen.emplace(kSteuerelemente[e].name);
    }
    return namen;
  }
};

// Modes are numbered 1 to 3, as on the buttons. Written out, not taken from
// the table: a mode that reads the wrong box must fail here.
std::string_view Knopf(int modus) {
  constexpr std::string_view kKnoepfe[] = {"cmd_Rechn_1", "cmd_Rechn_2", "cmd_Rechn_3"};
  return kKnoepfe[modus - 1];
}
std::string_view Zweitfeld(int modus) {
  constexpr std::string_view kFelder[] = {"txt_rf", "txt_temkg", "txt_x"};
  return kFelder[modus - 1];
}

class FensterlogikTest : public testing::Test {
 protected:
  FakeOberflaeche o;
  Fensterlogik logik{o, ","};

  void Klick(std::string_view name) { logik.Klick(ElementVon(name)); }
  void Tippe(std::string_view name, std::string_view text) {
    o.texte[ElementVon(name)] = std::string(text);
  }
  void Rechne(int modus, const char* temlu, const char* zweites) {
    Klick(Knopf(modus));
    Tippe("txt_temlu", temlu);
    Tippe(Zweitfeld(modus), zweites);
    Klick("cmd_rechne");
  }

  // The input view of a mode, with both boxes empty.
  void PruefeEingabeansicht(int modus) {
    EXPECT_EQ(o.SichtbareMit("txt_"),
              (std::set<std::string>{"txt_temlu", std::string(Zweitfeld(modus))}));
    EXPECT_EQ(o.SichtbareMit("cmd_"), std::set<std::string>{"cmd_rechne"});
    EXPECT_EQ(o.SichtbareMit("lbl_Aufford"), std::set<std::string>{});
    EXPECT_FALSE(o.Sichtbar("lbl_Fehlermeldung"));
    EXPECT_EQ(o.fokus, ElementVon("txt_temlu"));
    EXPECT_EQ(o.hoehe, 7000);
    for (const char* feld : {"txt_temlu", "txt_rf", "txt_temkg", "txt_x"})
      EXPECT_EQ(o.TextVon(feld), "") << feld;
  }
};

TEST_F(FensterlogikTest, ModusknopfZeigtNurDieEingabenDesModus) {
  for (int modus : {1, 2, 3}) {
    FakeOberflaeche frisch;
    o = frisch;
    Klick(Knopf(modus));
    PruefeEingabeansicht(modus);
  }
}

struct Lauf {
  const char* trenner;
  int modus;
  const char* temlu;
  const char* zweites;
  std::map<std::string, std::string> erwartet;
};

void PrintTo(const Lauf& l, std::ostream* os) {
  *os << "mode " << l.modus << " '" << l.temlu << "' / '" << l.zweites << "' sep " << l.trenner;
}

class VollstaendigerLauf : public testing::TestWithParam<Lauf> {};

TEST_P(VollstaendigerLauf, ZeigtAlleZwoelfWerte) {
  const Lauf& l = GetParam();
  FakeOberflaeche o;
  Fensterlogik logik(o, l.trenner);
  logik.Klick(ElementVon(Knopf(l.modus)));
  o.texte[ElementVon("txt_temlu")] = l.temlu;
  o.texte[ElementVon(Zweitfeld(l.modus))] = l.zweites;
  logik.Klick(ElementVon("cmd_rechne"));

  EXPECT_TRUE(o.pausenuhren.empty());
  EXPECT_EQ(o.SichtbareMit("txt_").size(), 12u);
  for (Element e : kErgebnisfelder) EXPECT_FALSE(o.texte[e].empty());
  for (const auto& [feld, text] : l.erwartet) EXPECT_EQ(o.TextVon(feld), text) << feld;
  EXPECT_EQ(o.SichtbareMit("cmd_"), (std::set<std::string>{"cmd_neustart", "cmd_beenden"}));
  EXPECT_FALSE(o.Sichtbar("lbl_Fehlermeldung"));
  EXPECT_EQ(o.gemalt, std::vector<std::string>{""});

  // Copied, each value stands on its row label's line as it is shown.
  ASSERT_TRUE(logik.KopierenMoeglich());
  logik.ErgebnisseKopieren();
  ASSERT_EQ(o.ablage.size(), 1u);
  const std::string& text = o.ablage[0].first;
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 12);
  for (const auto& [feld, wert] : l.erwartet) {
    const std::string zeile = std::string(ZeileVon(ElementVon(feld)).text) + "\t" + wert + "\n";
    EXPECT_NE(text.find(zeile), std::string::npos) << zeile;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Modi, VollstaendigerLauf,
    testing::Values(Lauf{",",
                         1,
                         "20",
                         "50",
                         {{"txt_temlu", "20,00"},
                          {"txt_temtau", "9,28"},
                          {"txt_temkg", "13,75"},
                          {"txt_rf", "50,00"},
                          {"txt_absfeu", "0,00877"},
                          {"txt_x", "0,00737"},
                          {"txt_rhofl", "1,19941"},
                          {"txt_pd", "0,01171"},
                          {"txt_psatt", "0,02342"},
                          {"txt_xkg", "0,00995"},
                          {"txt_xkgminusx", "0,00258"},
                          {"txt_h1", "38,8"}}},
                    Lauf{".",
                         1,
                         "20",
                         "50",
                         {{"txt_temlu", "20.00"},
                          {"txt_temtau", "9.28"},
                          {"txt_x", "0.00737"},
                          {"txt_h1", "38.8"}}},
                    Lauf{",",
                         2,
                         "20",
                         "13,8",
                         {{"txt_temkg", "13,80"},
                          {"txt_x", "0,00743"},
                          {"txt_rf", "50,38"},
                          {"txt_h1", "38,9"}}},
                    Lauf{".",
                         3,
                         "20",
                         "0.0073702",
                         {{"txt_x", "0.00737"}, {"txt_rf", "50.00"}, {"txt_temtau", "9.28"}}}));

// Every kind of failure takes the same road: the text stands for five
// seconds, painted before the pause, nothing runs meanwhile, then the same
// mode's input view returns with empty boxes.
struct Fehlerfall {
  int modus;
  const char* temlu;
  const char* zweites;
  const char* text;
};

void PrintTo(const Fehlerfall& f, std::ostream* os) {
  *os << "mode " << f.modus << " '" << f.temlu << "' / '" << f.zweites << "'";
}

class Fehlerweg : public FensterlogikTest, public testing::WithParamInterface<Fehlerfall> {};

TEST_P(Fehlerweg, TextStehtDannLeereEingaben) {
  const Fehlerfall& f = GetParam();
  Rechne(f.modus, f.temlu, f.zweites);

  EXPECT_TRUE(logik.Pausiert());
  EXPECT_EQ(o.pausenuhren, std::vector<int>{5000});
  EXPECT_EQ(o.gemalt, std::vector<std::string>{f.text});
  EXPECT_TRUE(o.Sichtbar("lbl_Fehlermeldung"));
  EXPECT_FALSE(o.Sichtbar("cmd_rechne"));

  // Whatever is clicked while the text stands does nothing.
  for (const char* knopf : {"cmd_rechne", "cmd_neustart", "cmd_beenden", "cmd_Rechn_2"})
    Klick(knopf);
  EXPECT_TRUE(o.Sichtbar("lbl_Fehlermeldung"));
  EXPECT_EQ(o.beendet, 0);
  EXPECT_EQ(o.pausenuhren.size(), 1u);

  logik.PauseAbgelaufen();
  EXPECT_FALSE(logik.Pausiert());
  PruefeEingabeansicht(f.modus);
}

INSTANTIATE_TEST_SUITE_P(
    Fehler, Fehlerweg,
    testing::Values(Fehlerfall{1, "20", "", "Eingaben fehlen !"},
                    Fehlerfall{1, "-5", "120",
                               "Lufttemperatur in °C muss positiv sein !\r\n"
                               "Relative Feuchte ist ungültig !"},
                    Fehlerfall{1, "-5", "50", "Lufttemperatur in °C muss positiv sein !"},
                    Fehlerfall{1, "100", "100", "Dampfdruck zu hoch, numerisch nicht erfasst."},
                    Fehlerfall{2, "30", "10", "\r\nDie Luft ist trocken oder allg. Fehler !"},
                    Fehlerfall{3, "20", "0,02",
                               "\r\nDie Luft ist übersättigt oder allg. Fehler !"}));

TEST_F(FensterlogikTest, KopiertZwoelfZeilenAlsTextUndTabelle) {
  Rechne(1, "20", "50");
  logik.ErgebnisseKopieren();
  ASSERT_EQ(o.ablage.size(), 1u);
  EXPECT_EQ(o.ablage[0].first,
            "Lufttemperatur in °C\t20,00\n"
            "Taupunkttemperatur in °C\t9,28\n"
            "Kühlgrenztemperatur in °C\t13,75\n"
            "Relative Feuchte in %\t50,00\n"
            "Absolute Feuchte in kg Dampf / m³ Luft\t0,00877\n"
            "Wasserdampfgehalt in kg Dampf / kg tr. Luft\t0,00737\n"
            "Dichte der feuchten Luft in kg / m³\t1,19941\n"
            "Partialdruck des Wasserdampfes in bar (1000 hPa)\t0,01171\n"
            "Sättigungspartialdruck in bar\t0,02342\n"
            "Wasserdampfgehalt im Kühlgrenzzustand in kg / kg\t0,00995\n"
            "Wasseraufnahmevermögen in kg Wasser / kg tr. Luft\t0,00258\n"
            "Enthalpie der feuchten Luft in kJ / kg tr. Luft\t38,8\n");
  const std::string& html = o.ablage[0].second;
  EXPECT_EQ(html.rfind("<html><head><meta charset=\"utf-8\"></head><body>\n<!--StartFragment-->"
                       "<table>\n<tr><td>Lufttemperatur in °C</td><td>20,00</td></tr>\n",
                       0),
            0u);
  EXPECT_NE(html.find("<tr><td>Enthalpie der feuchten Luft in kJ / kg tr. Luft</td><td>38,8</td>"
                      "</tr>\n</table>\n<!--EndFragment-->\n</body></html>\n"),
            std::string::npos);
  EXPECT_EQ(std::count(html.begin(), html.end(), '\n'), 17);

  // The values as shown, even where the user has typed over one; what was
  // typed cannot become markup.
  Tippe("txt_h1", "<b>38 & 39</b>");
  logik.ErgebnisseKopieren();
  ASSERT_EQ(o.ablage.size(), 2u);
  EXPECT_NE(o.ablage[1].first.find("tr. Luft\t<b>38 & 39</b>\n"), std::string::npos);
  EXPECT_NE(o.ablage[1].second.find("<td>&lt;b&gt;38 &amp; 39&lt;/b&gt;</td>"), std::string::npos);
}

// Only standing results are copied: not at the start, not in the input
// view, not while an error text stands, and not after the restart.
TEST_F(FensterlogikTest, KopierenNurWennErgebnisseStehen) {
  auto kopieren = [&] {
    const bool moeglich = logik.KopierenMoeglich();
    logik.ErgebnisseKopieren();
    return moeglich;
  };
  EXPECT_FALSE(kopieren());
  Klick("cmd_Rechn_1");
  EXPECT_FALSE(kopieren());
  Rechne(1, "20", "");
  EXPECT_FALSE(kopieren());
  logik.PauseAbgelaufen();
  EXPECT_FALSE(kopieren());
  EXPECT_TRUE(o.ablage.empty());

  Rechne(1, "20", "50");
  EXPECT_TRUE(kopieren());
  Klick("cmd_neustart");
  EXPECT_FALSE(kopieren());
  EXPECT_EQ(o.ablage.size(), 1u);
}

TEST_F(FensterlogikTest, NeustartBehaeltDenModus) {
  Rechne(2, "20", "13,8");
  Klick("cmd_neustart");
  PruefeEingabeansicht(2);
  // The mode choice never comes back; a second run works the same.
  EXPECT_EQ(o.SichtbareMit("cmd_Rechn"), std::set<std::string>{});
  Tippe("txt_temlu", "20");
  Tippe("txt_temkg", "13,8");
  Klick("cmd_rechne");
  EXPECT_EQ(o.TextVon("txt_rf"), "50,38");
}

TEST_F(FensterlogikTest, BeendenEndetDasProgramm) {
  Rechne(1, "20", "50");
  Klick("cmd_beenden");
  EXPECT_EQ(o.beendet, 1);
}

// Without a pause every close closes. During it a user's close is dropped,
// a quit from the program ends it when the pause ends (never lost, never
// twice), and a session end closes at once.
TEST_F(FensterlogikTest, SchliessenWaehrendDerPause) {
  using G = Fensterlogik::Schliessgrund;
  for (G grund : {G::Nutzer, G::Programm, G::Sitzungsende}) EXPECT_TRUE(logik.Schliessen(grund));

  Rechne(1, "", "");
  EXPECT_FALSE(logik.Schliessen(G::Nutzer));
  logik.PauseAbgelaufen();
  EXPECT_EQ(o.beendet, 0);

  Klick("cmd_rechne");
  EXPECT_FALSE(logik.Schliessen(G::Programm));
  EXPECT_TRUE(logik.Schliessen(G::Sitzungsende));
  EXPECT_EQ(o.beendet, 0);
  logik.PauseAbgelaufen();
  EXPECT_EQ(o.beendet, 1);
  // A late timer is harmless.
  logik.PauseAbgelaufen();
  EXPECT_EQ(o.beendet, 1);
}

// A user types 20, Tab, 50, Enter: the results stand. Enter in a box without
// "Rechne !" in view, on nothing, or during the pause does nothing; on a
// button it clicks that button.
TEST_F(FensterlogikTest, EnterRechnetAusDemTextfeld) {
  const Element temlu = ElementVon("txt_temlu");
  EXPECT_FALSE(logik.Enter(std::nullopt));
  EXPECT_FALSE(logik.Enter(ElementVon("lbl_Zeile_A")));
  EXPECT_FALSE(logik.Enter(ElementVon("pic_VKR")));
  EXPECT_TRUE(logik.Enter(ElementVon("cmd_Rechn_1")));
  PruefeEingabeansicht(1);

  Tippe("txt_temlu", "20");
  Tippe("txt_rf", "50");
  EXPECT_TRUE(logik.Enter(ElementVon("txt_rf")));
  EXPECT_EQ(o.TextVon("txt_temtau"), "9,28");
  EXPECT_TRUE(o.Sichtbar("cmd_neustart"));
  // With the results standing, Enter in a box changes nothing.
  EXPECT_FALSE(logik.Enter(temlu));
  EXPECT_EQ(o.gemalt.size(), 1u);

  EXPECT_TRUE(logik.Enter(ElementVon("cmd_neustart")));
  EXPECT_TRUE(logik.Enter(temlu));  // empty boxes: the error text
  ASSERT_TRUE(logik.Pausiert());
  EXPECT_FALSE(logik.Enter(temlu));
  EXPECT_FALSE(logik.Enter(ElementVon("cmd_beenden")));
  EXPECT_EQ(o.pausenuhren.size(), 1u);
  EXPECT_EQ(o.beendet, 0);
}

// Choosing a mode, by click or key, puts the focus into the air temperature
// before the focused mode button is hidden.
TEST_F(FensterlogikTest, ModuswahlGibtDenFokusVorDemVerbergen) {
  for (int modus : {1, 2, 3}) {
    FakeOberflaeche frisch;
    o = frisch;
    o.fokus = ElementVon(Knopf(modus));
    Klick(Knopf(modus));
    EXPECT_EQ(o.fokusVerloren, std::vector<Element>{}) << modus;
    EXPECT_EQ(o.fokus, ElementVon("txt_temlu"));
  }
}

// Ctrl+C copies the results unless a text box has a selection to copy.
TEST_F(FensterlogikTest, StrgCKopiertAusserEinerAuswahl) {
  Rechne(1, "20", "50");
  struct Fall {
    const char* fokus;  // nullptr: the window
    bool auswahl;
    bool ergebnisse;
  };
  for (const Fall& f : {Fall{"txt_x", true, false}, Fall{"txt_x", false, true},
                        Fall{"cmd_neustart", false, true}, Fall{nullptr, false, true}}) {
    const std::size_t vorher = o.ablage.size();
    const std::optional<Element> fokus =
        f.fokus ? std::optional(ElementVon(f.fokus)) : std::nullopt;
    EXPECT_EQ(logik.StrgC(fokus, f.auswahl), f.ergebnisse) << (f.fokus ? f.fokus : "window");
    EXPECT_EQ(o.ablage.size(), vorher + (f.ergebnisse ? 1 : 0));
  }
}

TEST_F(FensterlogikTest, RechneOhneModusUndKlickAufAnderesTunNichts) {
  Klick("cmd_rechne");
  Klick("lbl_Zeile_A");
  Klick("txt_temlu");
  EXPECT_EQ(o.SichtbareMit("cmd_"),
            (std::set<std::string>{"cmd_Rechn_1", "cmd_Rechn_2", "cmd_Rechn_3"}));
  EXPECT_TRUE(o.gemalt.empty());
}

// The table itself: the facts the behaviour and both front ends rely on.
TEST(Layout, ZeilenUndTabfolge) {
  std::set<int> tabs;
  for (const Steuerelement& s : kSteuerelemente) {
    tabs.insert(s.tab);
    if (s.art == Art::Textfeld) {
      // Each result box stands beside the row label that names it.
      const Steuerelement& zeile = kSteuerelemente[ElementVon(s.zeile)];
      EXPECT_EQ(zeile.oben, s.oben) << s.name;
      EXPECT_EQ(zeile.links, 1365) << s.name;
    }
  }
  EXPECT_EQ(tabs.size(), kSteuerelemente.size());
  EXPECT_EQ(*tabs.rbegin(), 38);
  // After a mode choice the command row stays in view, the last prompt does
  // not (the window's frame takes some of the 7000 twips).
  const Steuerelement& rechne = kSteuerelemente[ElementVon("cmd_rechne")];
  EXPECT_LT(rechne.oben + rechne.hoehe, kHoeheNachWahlTwips - 600);
  EXPECT_GT(kSteuerelemente[ElementVon("lbl_Aufford_Z5")].oben, kHoeheNachWahlTwips);
}

}  // namespace
}  // namespace dunstwerk
