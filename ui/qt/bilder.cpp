#include "ui/qt/bilder.h"

namespace dunstwerk {

namespace {
#include "ui/dunstwerk.xpm"
#include "ui/dunstwerk_logo.xpm"
}  // namespace

QIcon DunstwerkSymbol() { return QIcon(QPixmap(dunstwerk_xpm)); }

QPixmap DunstwerkLogo(qreal) { return QPixmap(dunstwerk_logo_xpm); }

}  // namespace dunstwerk
