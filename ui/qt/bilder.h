// The program's own pictures.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace dunstwerk {

// The window icon: a blue drop.
QIcon DunstwerkSymbol();

// The logo of the picture box, a cloud with three drops: 34 x 25 pixels,
// drawn for a screen of this pixel ratio.
QPixmap DunstwerkLogo(qreal pixelverhaeltnis);

}  // namespace dunstwerk
