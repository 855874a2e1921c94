#include "ui/qt/bilder.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>
#include <algorithm>
#include <array>
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
namespace {

// The window icon's rendered sizes, each a square PNG from the same vector
// picture, for the places that ask for fixed pixels (title bar, task bar,
// menus).
constexpr std::array<int, 8> kSymbolgroessen{16, 22, 24, 32, 48, 64, 128, 256};

// Picks and draws the sizes as a QIcon of the files does, but decodes a file
// only when a size of it is asked for: a QIcon decodes every file as it is
// added, and at start most platforms ask for none or one of them.
class Symbolmaschine : public QIconEngine {
 public:
  QSize actualSize(const QSize& groesse, QIcon::Mode, QIcon::State) override {
    QSize ist(Passend(groesse), Passend(groesse));
    if (ist.width() > groesse.width() || ist.height() > groesse.height())
      ist.scale(groesse, Qt::KeepAspectRatio);
    return ist;
  }

  QPixmap pixmap(const QSize& groesse, QIcon::Mode modus, QIcon::State) override {
    const int n = Passend(groesse);
    QPixmap& bild = bilder_[Stelle(n)];
    if (bild.isNull()) bild = QPixmap(QStringLiteral(":/bilder/dunstwerk_%1.png").arg(n));
    QPixmap ergebnis = bild;
    const QSize ist = actualSize(groesse, modus, QIcon::Off);
    if (!ist.isNull() && ergebnis.size() != ist)
      ergebnis = ergebnis.scaled(ist, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    // The files are drawn for the normal mode; the style derives the others.
    if (modus != QIcon::Normal) {
      QStyleOption option(0);
      option.palette = QGuiApplication::palette();
      const QPixmap abgeleitet =
          QApplication::style()->generatedIconPixmap(modus, ergebnis, &option);
      if (!abgeleitet.isNull()) ergebnis = abgeleitet;
    }
    return ergebnis;
  }

  void paint(QPainter* maler, const QRect& rechteck, QIcon::Mode modus,
             QIcon::State zustand) override {
    const QPaintDevice* geraet = maler->device();
    const qreal verhaeltnis = geraet ? geraet->devicePixelRatio() : qApp->devicePixelRatio();
    maler->drawPixmap(rechteck, pixmap(rechteck.size() * verhaeltnis, modus, zustand));
  }

  // The sizes are those of the normal mode, as the files were added for it.
  QList<QSize> availableSizes(QIcon::Mode modus, QIcon::State zustand) override {
    QList<QSize> groessen;
    if (modus != QIcon::Normal || zustand != QIcon::Off) return groessen;
    for (int n : kSymbolgroessen) groessen.append(QSize(n, n));
    return groessen;
  }

  QIconEngine* clone() const override { return new Symbolmaschine(*this); }
  QString key() const override { return QStringLiteral("DunstwerkSymbol"); }
  bool isNull() override { return false; }

 private:
  static std::size_t Stelle(int n) {
    return static_cast<std::size_t>(std::find(kSymbolgroessen.begin(), kSymbolgroessen.end(), n) -
                                    kSymbolgroessen.begin());
  }

  // The file to draw a size from, as QIcon chooses: the smallest whose area
  // is not less than the size's, else the largest.
  static int Passend(const QSize& groesse) {
    const qint64 flaeche = qint64{groesse.width()} * groesse.height();
    for (int n : kSymbolgroessen) {
      if (qint64{n} * n >= flaeche) return n;
    }
    return kSymbolgroessen.back();
  }

  std::array<QPixmap, kSymbolgroessen.size()> bilder_;
};

}  // namespace

QIcon DunstwerkSymbol() {
  BilderEinbinden();
  return QIcon(new Symbolmaschine);
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
