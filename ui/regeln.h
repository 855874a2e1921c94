// The window's fixed rules that do not depend on its state: the tab order,
// what screen readers are told, and the context menu's entry. Both front ends
// take them from here and only map them onto their toolkit.
#pragma once

#include <algorithm>
#include <array>
#include <string_view>

#include "ui/layout.h"

namespace dunstwerk {

// Every control, by its place in the tab order. Controls that take no focus
// are in it too; a toolkit skips them.
inline constexpr std::array<Element, kSteuerelemente.size()> kTabfolge = [] {
  std::array<Element, kSteuerelemente.size()> folge{};
  for (Element e = 0; e < folge.size(); ++e) folge[e] = e;
  std::sort(folge.begin(), folge.end(),
            [](Element a, Element b) { return kSteuerelemente[a].tab < kSteuerelemente[b].tab; });
  return folge;
}();

// What a screen reader is told a control is, where its kind alone says too
// little: the logo is a picture, not a filler; the error label is an alert
// that reads its text as it appears.
enum class Rolle { Standard, Grafik, Alarm };

constexpr Rolle RolleVon(Element e) {
  if (kSteuerelemente[e].art == Art::Bildfeld) return Rolle::Grafik;
  if (kSteuerelemente[e].name == "lbl_Fehlermeldung") return Rolle::Alarm;
  return Rolle::Standard;
}

// The name a screen reader announces for a control that has no caption of
// its own: a text box is named by its row label, the logo by its own name.
// Empty where the control's caption names it.
constexpr std::string_view ZugangsnameVon(Element e) {
  switch (kSteuerelemente[e].art) {
    case Art::Textfeld:
      return ZeileVon(e).text;
    case Art::Bildfeld:
      return kLogoName;
    default:
      return {};
  }
}

// The one entry of the window's context menu, with its key after a tab as
// menus show it. It copies the results, as Ctrl+C does where no text is
// selected, and can be chosen while Fensterlogik::KopierenMoeglich(). Text
// boxes keep their own menus, with their own Copy for a selection.
inline constexpr std::string_view kKopierenMenueeintrag = "Ergebnisse kopieren\tStrg+C";

}  // namespace dunstwerk
