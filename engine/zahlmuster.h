// Turns a result into the text a result box shows.
#pragma once

#include <string>
#include <string_view>

namespace dunstwerk {

// Formats a value like the patterns "#0.0", "#0.00" and "#0.00000": at least
// one digit before the separator, exactly `nachkommastellen` decimals, no
// grouping. The value is first taken to its 15 significant decimal digits and
// then rounded half away from zero, so 2.675 gives 2.68 and 1.005 gives 1.01
// although neither is held exactly. A negative value keeps its minus even when
// it rounds to zero; zero and negative zero show none. Large values show all
// their digits.
std::string FormatiereMuster(double wert, int nachkommastellen, std::string_view dezimaltrenner);

}  // namespace dunstwerk
