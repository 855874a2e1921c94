// The twelve quantities the window shows: their order, the text box each
// stands in (txt_ and the name) and the pattern it is shown with.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "engine/moist_air_state.h"

namespace dunstwerk {

struct Anzeigegroesse {
  std::string_view name;  // as in the state and, after "txt_", its text box
  int nachkommastellen;   // the pattern: "#0.0" is 1, "#0.00" 2, "#0.00000" 5
  double (*wert)(const MoistAirState&);
};

// In the order the window writes them.
inline constexpr std::array<Anzeigegroesse, 12> kAnzeigegroessen{{
    {"temlu", 2, [](const MoistAirState& s) { return s.temlu; }},
    {"temtau", 2, [](const MoistAirState& s) { return s.temtau; }},
    {"temkg", 2, [](const MoistAirState& s) { return s.temkg; }},
    {"rf", 2, [](const MoistAirState& s) { return 100 * s.rf; }},  // per cent
    {"absfeu", 5, [](const MoistAirState& s) { return s.absfeu; }},
    {"x", 5, [](const MoistAirState& s) { return s.x; }},
    {"rhofl", 5, [](const MoistAirState& s) { return s.rhofl; }},
    {"pd", 5, [](const MoistAirState& s) { return s.pd; }},
    {"psatt", 5, [](const MoistAirState& s) { return s.psatt; }},
    {"xkg", 5, [](const MoistAirState& s) { return s.xkg; }},
    {"xkgminusx", 5, [](const MoistAirState& s) { return s.xkgminusx; }},
    {"h1", 1, [](const MoistAirState& s) { return s.h1; }},
}};

}  // namespace dunstwerk
