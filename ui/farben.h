// Text colours that stay readable on the window's fixed light yellow.
#pragma once

#include "ui/layout.h"

namespace dunstwerk {

// Contrast ratio of two colours after WCAG 2: (L1 + 0.05) / (L2 + 0.05) of
// their relative luminances, from 1 (equal) to 21 (black on white).
double Kontrast(Rgb a, Rgb b);

// The colour for text of the system's default colour on kHintergrund: the
// system colour while it reads well there (a ratio of at least 4.5 : 1), and
// black where a dark or high-contrast scheme makes it light.
Rgb TextfarbeAufHintergrund(Rgb systemfarbe);

// The text colour of a label: its fixed colour, or for Farbe::System the
// system's text colour kept readable on the yellow.
Rgb Textfarbe(Farbe farbe, Rgb systemtext);

}  // namespace dunstwerk
