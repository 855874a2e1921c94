// Labels in the system's text colour stand on a fixed light yellow: they must
// stay readable whatever colour scheme the desktop uses.
#include "ui/farben.h"

#include <gtest/gtest.h>

#include <ostream>

namespace dunstwerk {
namespace {

struct Fall {
  Rgb system;
  Rgb erwartet;
};

void PrintTo(const Fall& f, std::ostream* os) {
  *os << "system text " << f.system.r << "," << f.system.g << "," << f.system.b;
}

class Systemtext : public testing::TestWithParam<Fall> {};

TEST_P(Systemtext, LesbarAufGelb) {
  EXPECT_EQ(Textfarbe(Farbe::System, GetParam().system), GetParam().erwartet);
}

INSTANTIATE_TEST_SUITE_P(
    Farbschemata, Systemtext,
    testing::Values(Fall{{0, 0, 0}, {0, 0, 0}},                // light scheme
                    Fall{{0, 0, 128}, {0, 0, 128}},            // dark enough: kept
                    Fall{{255, 255, 255}, {0, 0, 0}},          // dark scheme
                    Fall{{238, 238, 236}, {0, 0, 0}},          // dark scheme, off-white
                    Fall{{128, 128, 128}, {0, 0, 0}},          // mid grey: too weak
                    Fall{{255, 255, 0}, {0, 0, 0}},            // high contrast, yellow text
                    Fall{{105, 105, 105}, {105, 105, 105}}));  // just above 4.5 : 1

// The fixed colours hold in every scheme: the air temperature's row stays
// black even where the system's text colour is black too.
TEST(Festfarben, BleibenInJedemSchema) {
  for (const Rgb system : {Rgb{255, 255, 255}, Rgb{0, 0, 128}}) {
    EXPECT_EQ(Textfarbe(Farbe::Rot, system), (Rgb{255, 0, 0}));
    EXPECT_EQ(Textfarbe(Farbe::Blau, system), (Rgb{0, 0, 255}));
    EXPECT_EQ(Textfarbe(Farbe::Schwarz, system), (Rgb{0, 0, 0}));
  }
}

TEST(Kontrast, EckwerteNachWcag) {
  EXPECT_DOUBLE_EQ(Kontrast({0, 0, 0}, {255, 255, 255}), 21.0);
  EXPECT_DOUBLE_EQ(Kontrast({255, 255, 192}, {255, 255, 192}), 1.0);
}

}  // namespace
}  // namespace dunstwerk
