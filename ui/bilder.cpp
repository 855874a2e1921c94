#include "ui/bilder.h"

namespace dunstwerk {

namespace {
#include "ui/dunstwerk.xpm"
#include "ui/dunstwerk_logo.xpm"
}  // namespace

QPixmap DunstwerkSymbol() { return QPixmap(dunstwerk_xpm); }

QPixmap DunstwerkLogo() { return QPixmap(dunstwerk_logo_xpm); }

}  // namespace dunstwerk
