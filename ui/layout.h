// The window frm_Dunstwerk and its 39 controls, as one table that both front
// ends build from. Positions and sizes are in twips (1440 an inch, 15 a pixel
// at 96 dots per inch) from the top left corner of the client area. Every
// font is Arial bold; labels stand on the window's light yellow.
#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string_view>

#include "engine/anzeige.h"
#include "engine/moist_air_state.h"

namespace dunstwerk {

enum class Art { Bezeichnung, Textfeld, Schaltflaeche, Bildfeld };

// Text colour of a control. System is the toolkit's default for its kind.
enum class Farbe { System, Rot, Blau, Schwarz };

struct Steuerelement {
  std::string_view name;
  Art art;
  std::string_view text;  // caption or initial text, UTF-8
  int links, oben, breite, hoehe;
  double punkt;  // font size
  bool kursiv;
  Farbe farbe;
  bool sichtbar;                // at start
  int tab;                      // place in the tab order
  std::string_view zeile = {};  // text boxes: the row label that names them
  bool zentriert = false;
};

// A control, by its place in kSteuerelemente.
using Element = std::size_t;

// Short names for the table's columns, here and nowhere else.
namespace tabelle {

inline constexpr Art B = Art::Bezeichnung;
inline constexpr Art T = Art::Textfeld;
inline constexpr Art S = Art::Schaltflaeche;
inline constexpr Art P = Art::Bildfeld;
inline constexpr Farbe Sys = Farbe::System;

// In stacking order: each row is drawn above the rows before it.
// clang-format off
inline constexpr std::array<Steuerelement, 39> kSteuerelemente{{
// name               kind caption                           L     T     W    H    pt     italic colour          start  tab  row label
{"lbl_Topzeile",       B, "    Zustandsgrößen  feuchter  Luft  bei  1 bar    ",
                                                              0,  120, 9615, 375, 14.25, true,  Farbe::Blau,    true,   0, {}, true},
{"pic_VKR",            P, "",                               315,  675,  555, 420,  8.25, false, Sys,            true,  37},
{"cmd_beenden",        S, "Beenden !",                     6720, 5985, 2535, 330, 12,    true,  Sys,            false, 35},
{"cmd_neustart",       S, "Erneut starten !",               420, 5985, 2535, 330, 12,    true,  Sys,            false, 34},
{"cmd_rechne",         S, "Rechne !",                      4095, 5880, 1590, 435, 14.25, true,  Sys,            false, 33},
{"cmd_Rechn_3",        S, "Lufttemperatur und Dampfgehalt",
                                                           2835, 6825, 4005, 330, 11.25, true,  Sys,            true,  32},
{"cmd_Rechn_2",        S, "Luft- und Kühlgrenztemperatur   ",
                                                           2835, 6405, 4005, 330, 11.25, true,  Sys,            true,  31},
{"cmd_Rechn_1",        S, "Lufttemperatur und rel. Feuchte  ",
                                                           2835, 5985, 4005, 330, 11.25, true,  Sys,            true,  30},
{"txt_h1",             T, "",                              7350, 5250, 1065, 315,  9.75, false, Sys,            false, 25, "lbl_Zeile_L"},
{"txt_xkgminusx",      T, "",                              7350, 4935, 1065, 315,  9.75, false, Sys,            false, 24, "lbl_Zeile_K"},
{"txt_xkg",            T, "",                              7350, 4620, 1065, 315,  9.75, false, Sys,            false, 23, "lbl_Zeile_J"},
{"txt_psatt",          T, "",                              7350, 4095, 1065, 315,  9.75, false, Sys,            false, 22, "lbl_Zeile_I"},
{"txt_pd",             T, "",                              7350, 3780, 1065, 315,  9.75, false, Sys,            false, 21, "lbl_Zeile_H"},
{"txt_rhofl",          T, "",                              7350, 3465, 1065, 315,  9.75, false, Sys,            false, 20, "lbl_Zeile_G"},
{"txt_x",              T, "",                              7350, 3150, 1065, 315,  9.75, false, Sys,            false, 19, "lbl_Zeile_F"},
{"txt_absfeu",         T, "",                              7350, 2835, 1065, 315,  9.75, false, Sys,            false, 18, "lbl_Zeile_E"},
{"txt_rf",             T, "",                              7350, 2520, 1065, 315,  9.75, false, Sys,            false, 17, "lbl_Zeile_D"},
{"txt_temkg",          T, "",                              7350, 1995, 1065, 315,  9.75, false, Sys,            false, 16, "lbl_Zeile_C"},
{"txt_temtau",         T, "",                              7350, 1680, 1065, 315,  9.75, false, Sys,            false, 15, "lbl_Zeile_B"},
{"txt_temlu",          T, "",                              7350, 1365, 1065, 315,  9.75, false, Sys,            false, 14, "lbl_Zeile_A"},
{"lbl_Anmerkung",      B, "Berechnung lt. Marwold,  Daten zur feuchten Luft - Trock- nungtechnik, "
                          "KX-Jahrbuch 1996, S. 128 - 135,  ohne Gewähr",
                                                           4680,  630, 4785, 465,  8.25, false, Sys,            true,  38},
{"lbl_Fehlermeldung",  B, "",                               630, 5670, 8205, 855, 11.25, true,  Farbe::Rot,     false, 36},
{"lbl_Aufford_Z5",     B, "werden alle sonstigen, hier aufgeführten Daten errechnet.",
                                                           2520, 7350, 6105, 330, 11.25, true,  Farbe::Blau,    true,  29},
{"lbl_Aufford_Z3a",    B, "oder",                          1995, 6930,  540, 225, 11.25, true,  Farbe::Blau,    true,  28},
{"lbl_Aufford_Z2a",    B, "oder",                          1995, 6510,  540, 225, 11.25, true,  Farbe::Blau,    true,  27},
{"lbl_Aufford_Z1",     B, "Nach Eingabe von",               630, 6090, 2010, 330, 11.25, true,  Farbe::Blau,    true,  26},
{"lbl_Zeile_L",        B, "Enthalpie der feuchten Luft in kJ / kg tr. Luft",
                                                           1365, 5250, 4845, 300, 11.25, false, Sys,            true,  13},
{"lbl_Zeile_K",        B, "Wasseraufnahmevermögen in kg Wasser / kg tr. Luft",
                                                           1365, 4935, 5685, 300, 11.25, false, Sys,            true,  12},
{"lbl_Zeile_J",        B, "Wasserdampfgehalt im Kühlgrenzzustand in kg / kg",
                                                           1365, 4620, 5580, 300, 11.25, false, Sys,            true,  11},
{"lbl_Zeile_I",        B, "Sättigungspartialdruck in bar", 1365, 4095, 3270, 300, 11.25, false, Sys,            true,  10},
{"lbl_Zeile_H",        B, "Partialdruck des Wasserdampfes in bar (1000 hPa)",
                                                           1365, 3780, 5475, 300, 11.25, false, Sys,            true,   9},
{"lbl_Zeile_G",        B, "Dichte der feuchten Luft in kg / m³",
                                                           1365, 3465, 3795, 300, 11.25, false, Sys,            true,   8},
{"lbl_Zeile_F",        B, "Wasserdampfgehalt in kg Dampf / kg tr. Luft",
                                                           1365, 3150, 4740, 300, 11.25, false, Sys,            true,   7},
{"lbl_Zeile_E",        B, "Absolute Feuchte in kg Dampf / m³ Luft",
                                                           1365, 2835, 4320, 300, 11.25, false, Sys,            true,   6},
{"lbl_Zeile_D",        B, "Relative Feuchte in %",         1365, 2520, 2430, 300, 11.25, false, Sys,            true,   5},
{"lbl_Zeile_C",        B, "Kühlgrenztemperatur in °C",     1365, 1995, 2955, 300, 11.25, false, Sys,            true,   4},
{"lbl_Zeile_B",        B, "Taupunkttemperatur in °C",      1365, 1680, 2955, 300, 11.25, false, Sys,            true,   3},
{"lbl_Zeile_A",        B, "Lufttemperatur in °C",          1365, 1365, 2220, 300, 11.25, false, Farbe::Schwarz, true,   2},
{"lbl_Dunstwerk",      B, "Dunstwerk",                     1620,  630, 2520, 375, 20.25, false, Farbe::Blau,    true,   1},
}};
// clang-format on

}  // namespace tabelle

using tabelle::kSteuerelemente;

// The tab column holds each place from 0 to 38 once.
static_assert([] {
  std::array<bool, kSteuerelemente.size()> vergeben{};
  for (const Steuerelement& s : kSteuerelemente) {
    if (s.tab < 0 || s.tab >= static_cast<int>(vergeben.size()) || vergeben[s.tab]) return false;
    vergeben[s.tab] = true;
  }
  return true;
}());

// The window: client area at start, background, default font, and the total
// height (frame included) once a mode is chosen.
inline constexpr int kFensterBreiteTwips = 9615;
inline constexpr int kFensterHoeheTwips = 7740;
inline constexpr int kHoeheNachWahlTwips = 7000;
struct Rgb {
  int r, g, b;
  bool operator==(const Rgb&) const = default;
};
inline constexpr Rgb kHintergrund{255, 255, 192};
inline constexpr double kFensterPunkt = 14.25;

// What a screen reader announces for the picture box.
inline constexpr std::string_view kLogoName = "Dunstwerk-Logo";

// The control of a name; an unknown name does not compile where the name is
// a constant.
constexpr Element ElementVon(std::string_view name) {
  for (Element e = 0; e < kSteuerelemente.size(); ++e) {
    if (kSteuerelemente[e].name == name) return e;
  }
  throw std::out_of_range("no such control");
}

// Every text box names a row label that is in the table.
static_assert([] {
  for (const Steuerelement& s : kSteuerelemente) {
    if (s.art == Art::Textfeld) ElementVon(s.zeile);
  }
  return true;
}());

// The text box of a shown quantity: "txt_" and the quantity's name. A
// control of that name that is not a text box does not count: the front ends
// read and write it as one.
constexpr Element FeldVon(std::string_view groesse) {
  for (Element e = 0; e < kSteuerelemente.size(); ++e) {
    const std::string_view n = kSteuerelemente[e].name;
    if (kSteuerelemente[e].art == Art::Textfeld && n.starts_with("txt_") && n.substr(4) == groesse)
      return e;
  }
  throw std::out_of_range("no text box for this quantity");
}

// The text box of each shown quantity, in the order of kAnzeigegroessen.
inline constexpr std::array<Element, kAnzeigegroessen.size()> kErgebnisfelder = [] {
  std::array<Element, kAnzeigegroessen.size()> felder{};
  for (std::size_t i = 0; i < felder.size(); ++i) felder[i] = FeldVon(kAnzeigegroessen[i].name);
  return felder;
}();

// The row label that names a text box.
constexpr const Steuerelement& ZeileVon(Element feld) {
  return kSteuerelemente[ElementVon(kSteuerelemente[feld].zeile)];
}

// The air temperature: the first input of every mode.
inline constexpr Element kLuftfeld = FeldVon("temlu");

// An input mode: the button that chooses it and the text box of its second
// input, beside the air temperature.
struct Modus {
  Element knopf;
  Vorgabe vorgabe;
  Element zweitesFeld;
};

inline constexpr std::array<Modus, 3> kModi{{
    {ElementVon("cmd_Rechn_1"), Vorgabe::Feuchte, FeldVon("rf")},
    {ElementVon("cmd_Rechn_2"), Vorgabe::Kuehlgrenze, FeldVon("temkg")},
    {ElementVon("cmd_Rechn_3"), Vorgabe::Dampfgehalt, FeldVon("x")},
}};

// Twips to pixels at a resolution, rounded to the nearest pixel.
constexpr int Pixel(int twips, int dpi = 96) { return (twips * dpi + 720) / 1440; }

}  // namespace dunstwerk
