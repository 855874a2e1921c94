// Prints where the window's controls are, from the layout table: the centre of
// each control in client pixels at 96 dots per inch, as both front ends place
// them. Scripts that click on the window ask this program instead of reading
// the table's source.
//
//   steuerelemente               every control: name x y, one a line
//   steuerelemente NAME...       x y of each control named, one a line
#include <cstdio>
#include <string_view>

#include "ui/layout.h"

namespace {

using dunstwerk::kSteuerelemente;
using dunstwerk::Pixel;
using dunstwerk::Steuerelement;

// The front ends round position and size to pixels each on its own; the
// centre lies half the rounded size from the rounded corner.
int MitteX(const Steuerelement& s) { return Pixel(s.links) + Pixel(s.breite) / 2; }
int MitteY(const Steuerelement& s) { return Pixel(s.oben) + Pixel(s.hoehe) / 2; }

const Steuerelement* Namens(std::string_view name) {
  for (const Steuerelement& s : kSteuerelemente) {
    if (s.name == name) return &s;
  }
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 1) {
    for (const Steuerelement& s : kSteuerelemente) {
      std::printf("%.*s %d %d\n", static_cast<int>(s.name.size()), s.name.data(), MitteX(s),
                  MitteY(s));
    }
    return 0;
  }
  for (int i = 1; i < argc; ++i) {
    const std::string_view name = argv[i];
    if (name == "-h" || name == "--help") {
      std::puts(
          "Usage: steuerelemente [NAME...]\n"
          "Centre of each control (or of the controls named) in client pixels at 96 DPI.");
      return 0;
    }
    const Steuerelement* s = Namens(name);
    if (s == nullptr) {
      std::fprintf(stderr, "steuerelemente: no control named %s\n", argv[i]);
      return 1;
    }
    std::printf("%d %d\n", MitteX(*s), MitteY(*s));
  }
  return 0;
}
