#include "app/diagramm/svg.h"

#include <gtest/gtest.h>

#include <charconv>
#include <string>
#include <variant>

#include "engine/rechenkern.h"

namespace dunstwerk::diagramm {
namespace {

MoistAirState Zustand(double t, double rf) {
  return std::get<MoistAirState>(Berechnung(Vorgabe::Feuchte, t, rf));
}

std::string Svg(const Reihe& reihe, DiagrammOptionen optionen = {}) {
  TextAusgabe ausgabe;
  EXPECT_TRUE(SchreibeSvg(reihe, optionen, ausgabe));
  return ausgabe.text;
}

TEST(Svg, FormWieBueroprogrammeSieLesen) {
  Reihe reihe;
  reihe.Punkt(Zustand(20, 0.5), "<Halle & \"3\">");
  const std::string svg = Svg(reihe);
  for (const char* muss :
       {"width=\"297mm\" height=\"210mm\" viewBox=\"0 0 297 210\"", "version=\"1.1\"",
        "xmlns=\"http://www.w3.org/2000/svg\"", "xmlns:xlink=\"http://www.w3.org/1999/xlink\"",
        "font-family=\"Liberation Sans, Arial, Helvetica, sans-serif\"",
        "&lt;Halle &amp; &quot;3&quot;&gt;", "p = 1 bar (1000 hPa)",
        // A lone point's wet-bulb state, with the window's digits.
        ">tkg = 13,75 °C<", ">xkg − x = 0,00258 kg/kg<"}) {
    EXPECT_NE(svg.find(muss), std::string::npos) << muss;
  }
  for (const char* nie : {"<style", "class=", "dominant-baseline", "paint-order"}) {
    EXPECT_EQ(svg.find(nie), std::string::npos) << nie;
  }
  // No text below 2.5 mm.
  for (std::size_t i = svg.find("font-size=\""); i != std::string::npos;
       i = svg.find("font-size=\"", i + 1)) {
    double groesse = 0;
    std::from_chars(svg.data() + i + 11, svg.data() + svg.size(), groesse);
    EXPECT_GE(groesse, 2.5);
  }
}

TEST(Svg, BeschriftungenDieKeinenPlatzFindenEntfallen) {
  // Five points in one place: right, left, above and below it, then none.
  Reihe reihe;
  for (const char* name : {"Aa", "Bb", "Cc", "Dd", "Ee"}) reihe.Punkt(Zustand(20, 0.5), name);
  const std::string svg = Svg(reihe);
  for (const char* name : {">Aa<", ">Bb<", ">Cc<", ">Dd<"}) {
    EXPECT_NE(svg.find(name), std::string::npos) << name;
  }
  EXPECT_EQ(svg.find(">Ee<"), std::string::npos);
}

TEST(Svg, BereichUndHinweise) {
  Reihe klein;
  klein.Punkt(Zustand(45, 0.2));
  EXPECT_EQ(GewaehlterBereich(klein, BereichWahl::Automatisch), BereichArt::Klima);
  Reihe gross;
  gross.Punkt(Zustand(45, 0.2));
  gross.Punkt(Zustand(120, 0.05));
  gross.Fehlerzeile();
  EXPECT_EQ(GewaehlterBereich(gross, BereichWahl::Automatisch), BereichArt::Trocknung);
  // Asked for the room climate, the hot point lies outside and is named.
  const std::string svg = Svg(gross, {BereichWahl::Klima, true});
  EXPECT_NE(svg.find(">1 Punkt liegt außerhalb des Diagramms<"), std::string::npos);
  EXPECT_NE(svg.find(">1 Zeile mit Fehler nicht eingetragen<"), std::string::npos);

  // A lone point whose wet-bulb state lies below 0 °C: said, not drawn.
  Reihe kalt;
  kalt.Punkt(Zustand(2, 0.15));
  EXPECT_NE(Svg(kalt).find(">Kühlgrenzlinie liegt außerhalb des Diagramms (tkg = -"),
            std::string::npos);
}

TEST(Svg, SchreibfehlerWirdGemeldet) {
  class Voll : public Ausgabe {
   public:
    bool Schreibe(std::string_view) override {
      ++aufrufe;
      return false;
    }
    int aufrufe = 0;
  } voll;
  Reihe reihe;
  for (int i = 0; i < 1000; ++i) reihe.Punkt(Zustand(10 + i % 30, 0.5), "Messpunkt");
  EXPECT_FALSE(SchreibeSvg(reihe, {}, voll));
  EXPECT_EQ(voll.aufrufe, 1);  // nothing more after the first failure
}

}  // namespace
}  // namespace dunstwerk::diagramm
