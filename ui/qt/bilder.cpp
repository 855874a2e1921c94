#include "ui/qt/bilder.h"

#include <QPainter>
#include <QSvgRenderer>
#include <cmath>

// The pictures are compiled into the window's static library, whose resource
// registration a linker would otherwise drop.
static void BilderEinbinden() {
  static const bool eingebunden = [] {
    Q_INIT_RESOURCE(bilder);
    return true;
  }();
  (void)eingebunden;
}

namespace dunstwerk {

QIcon DunstwerkSymbol() {
  BilderEinbinden();
  // Rendered sizes for the places that ask for fixed pixels (title bar, task
  // bar, menus); each is drawn from the same vector picture.
  QIcon symbol;
  for (int groesse : {16, 22, 24, 32, 48, 64, 128, 256})
    symbol.addFile(QStringLiteral(":/bilder/dunstwerk_%1.png").arg(groesse),
                   QSize(groesse, groesse));
  return symbol;
}

QPixmap DunstwerkLogo(qreal pixelverhaeltnis) {
  BilderEinbinden();
  // At the design's own density the same pixels as the Windows window.
  if (pixelverhaeltnis == 1) return QPixmap(QStringLiteral(":/bilder/dunstwerk_logo_34x25.png"));
  constexpr int kBreite = 34, kHoehe = 25;
  QPixmap bild(static_cast<int>(std::lround(kBreite * pixelverhaeltnis)),
               static_cast<int>(std::lround(kHoehe * pixelverhaeltnis)));
  bild.fill(Qt::transparent);
  QSvgRenderer svg(QStringLiteral(":/bilder/dunstwerk_logo.svg"));
  QPainter maler(&bild);
  svg.render(&maler);
  bild.setDevicePixelRatio(pixelverhaeltnis);
  return bild;
}

}  // namespace dunstwerk
