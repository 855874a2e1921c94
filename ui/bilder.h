// The program's own pictures.
#pragma once

#include <QPixmap>

namespace dunstwerk {

// The window icon: a blue drop, 32 x 32 pixels in 16 colours.
QPixmap DunstwerkSymbol();

// The logo of the picture box: a cloud with three drops, 34 x 25 pixels.
QPixmap DunstwerkLogo();

}  // namespace dunstwerk
