#include "ui/qt/frm_dunstwerk.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyleOptionFocusRect>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "ui/farben.h"
#include "ui/qt/bilder.h"
#include "ui/regeln.h"

namespace dunstwerk {

namespace {

QString Qs(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QColor Farbwert(Rgb f) { return QColor(f.r, f.g, f.b); }
Rgb Farbwert(const QColor& f) { return Rgb{f.red(), f.green(), f.blue()}; }

QFont Schrift(double punkt, bool kursiv) {
  QFont schrift(QStringLiteral("Arial"));
  schrift.setPointSizeF(punkt);
  schrift.setWeight(QFont::Bold);
  schrift.setItalic(kursiv);
  // Whole-pixel glyph advances: the captions were fitted to widths measured
  // that way, and fractional advances make some of them wrap.
  schrift.setHintingPreference(QFont::PreferFullHinting);
  return schrift;
}

// The picture box: the logo at its top left corner on the box's own
// background. It takes the focus by tab and shows that it has it.
class Bildfeld : public QWidget {
 public:
  explicit Bildfeld(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::TabFocus);
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter maler(this);
    // Drawn from the vector picture once per screen density, not per paint.
    if (bild_.isNull() || bild_.devicePixelRatio() != devicePixelRatioF())
      bild_ = DunstwerkLogo(devicePixelRatioF());
    maler.drawPixmap(0, 0, bild_);
    if (hasFocus()) {
      QStyleOptionFocusRect option;
      option.initFrom(this);
      style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &maler, this);
    }
  }

 private:
  QPixmap bild_;
};

// A label that screen readers meet as an alert reading its text.
class AlarmZugang : public QAccessibleWidget {
 public:
  explicit AlarmZugang(QLabel* l) : QAccessibleWidget(l, QAccessible::AlertMessage) {}
  QString text(QAccessible::Text art) const override {
    if (art == QAccessible::Name) return static_cast<const QLabel*>(widget())->text();
    return QAccessibleWidget::text(art);
  }
};

// The window's controls carry their role (RolleVon) in this property.
constexpr char kRolle[] = "dunstwerkRolle";

QAccessibleInterface* Zugangsfabrik(const QString&, QObject* objekt) {
  if (!objekt || !objekt->isWidgetType()) return nullptr;
  const QVariant rolle = objekt->property(kRolle);
  if (!rolle.isValid()) return nullptr;
  auto* w = static_cast<QWidget*>(objekt);
  switch (static_cast<Rolle>(rolle.toInt())) {
    case Rolle::Alarm:
      if (auto* label = qobject_cast<QLabel*>(w)) return new AlarmZugang(label);
      return nullptr;
    case Rolle::Grafik:
      return new QAccessibleWidget(w, QAccessible::Graphic);
    case Rolle::Standard:
      break;
  }
  return nullptr;
}

// Marks a new control with its role before anything could ask Qt for its
// accessible interface, which Qt keeps once made.
template <class W>
W* MitRolle(W* w, Element e) {
  if (RolleVon(e) != Rolle::Standard) w->setProperty(kRolle, static_cast<int>(RolleVon(e)));
  return w;
}

bool IstEnter(const QKeyEvent& taste) {
  return (taste.key() == Qt::Key_Return || taste.key() == Qt::Key_Enter) &&
         (taste.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// Event types that carry user input; while an error text stands they are
// dropped.
bool IstEingabe(QEvent::Type typ) {
  switch (typ) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::InputMethod:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
    case QEvent::NativeGesture:
    case QEvent::Gesture:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
      return true;
    default:
      return false;
  }
}

}  // namespace

frm_Dunstwerk::frm_Dunstwerk(QWidget* parent)
    : QWidget(parent), logik_(*this, QLocale().decimalPoint().toStdString()) {
  setObjectName(QStringLiteral("frm_Dunstwerk"));
  static const bool zugangEingerichtet = [] {
    QAccessible::installFactory(Zugangsfabrik);
    return true;
  }();
  (void)zugangEingerichtet;
  // An empty title; see showEvent for what reaches the title bar.
  setWindowTitle(QString());
  setWindowIcon(DunstwerkSymbol());
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);

  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, Farbwert(kHintergrund));
  setPalette(palette);
  setAutoFillBackground(true);
  setFont(Schrift(kFensterPunkt, false));
  // Pixels at 96 DPI throughout: Qt scales them for dense screens itself.
  setFixedSize(Pixel(kFensterBreiteTwips), Pixel(kFensterHoeheTwips));

  for (Element e = 0; e < kSteuerelemente.size(); ++e) {
    const Steuerelement& s = kSteuerelemente[e];
    QWidget* w = nullptr;
    switch (s.art) {
      case Art::Bezeichnung: {
        auto* l = MitRolle(new QLabel(this), e);
        l->setTextFormat(Qt::PlainText);
        l->setText(Qs(s.text));
        l->setWordWrap(true);
        l->setAlignment((s.zentriert ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
        l->setAutoFillBackground(true);
        w = l;
        break;
      }
      case Art::Textfeld: {
        w = new QLineEdit(this);
        break;
      }
      case Art::Schaltflaeche: {
        auto* k = new QPushButton(Qs(s.text), this);
        // Enter and Return press a focused button, as Space does.
        k->setAutoDefault(true);
        connect(k, &QPushButton::clicked, this, [this, e] { logik_.Klick(e); });
        w = k;
        break;
      }
      case Art::Bildfeld:
        w = MitRolle(new Bildfeld(this), e);
        break;
    }
    // Sees Ctrl+C and Enter before the control does.
    if (s.art == Art::Textfeld || s.art == Art::Schaltflaeche) w->installEventFilter(this);
    if (const std::string_view name = ZugangsnameVon(e); !name.empty())
      w->setAccessibleName(Qs(name));

    w->setObjectName(Qs(s.name));
    w->setFont(Schrift(s.punkt, s.kursiv));
    w->setGeometry(Pixel(s.links), Pixel(s.oben), Pixel(s.breite), Pixel(s.hoehe));
    w->setVisible(s.sichtbar);
    elemente_[e] = w;
  }
  SystemfarbenAnwenden();

  QWidget* vorige = nullptr;
  for (Element e : kTabfolge) {
    if (elemente_[e]->focusPolicy() == Qt::NoFocus) continue;
    if (vorige) QWidget::setTabOrder(vorige, elemente_[e]);
    vorige = elemente_[e];
  }

  pausenuhr_.setSingleShot(true);
  pausenuhr_.setTimerType(Qt::PreciseTimer);
  connect(&pausenuhr_, &QTimer::timeout, this, &frm_Dunstwerk::PauseBeenden);

  // Centred on the screen when it first opens.
  if (const QScreen* bildschirm = QGuiApplication::primaryScreen()) {
    const QRect frei = bildschirm->availableGeometry();
    move(frei.center() - QPoint(width() / 2, height() / 2));
  }
}

frm_Dunstwerk::~frm_Dunstwerk() { qApp->removeEventFilter(this); }

// Labels in the system's text colour stand on the fixed yellow; where the
// colour scheme makes that colour light, they turn black.
void frm_Dunstwerk::SystemfarbenAnwenden() {
  const Rgb system = Farbwert(QApplication::palette().color(QPalette::ButtonText));
  for (Element e = 0; e < kSteuerelemente.size(); ++e) {
    const Steuerelement& s = kSteuerelemente[e];
    if (s.art != Art::Bezeichnung) continue;
    QPalette p = elemente_[e]->palette();
    p.setColor(QPalette::WindowText, Farbwert(Textfarbe(s.farbe, system)));
    elemente_[e]->setPalette(p);
  }
}

void frm_Dunstwerk::changeEvent(QEvent* ereignis) {
  // A new colour scheme reaches a top-level window as its own palette's
  // change, not as the application's; the constructor's own palette comes
  // before the controls exist.
  const QEvent::Type typ = ereignis->type();
  if ((typ == QEvent::ApplicationPaletteChange || typ == QEvent::PaletteChange) && elemente_.back())
    SystemfarbenAnwenden();
  QWidget::changeEvent(ereignis);
}

void frm_Dunstwerk::showEvent(QShowEvent* ereignis) {
  QWidget::showEvent(ereignis);
  // Qt puts the application name into an empty title bar. A single blank
  // keeps the bar empty to the eye; windowTitle() itself stays empty.
  if (QWindow* fenster = windowHandle(); fenster && fenster->title().isEmpty())
    fenster->setTitle(QStringLiteral(" "));
}

void frm_Dunstwerk::closeEvent(QCloseEvent* ereignis) {
  // The window system's close comes from the user; QWidget::close() and
  // quit() from the program. A session's end is a quit as well: Qt 6 closes
  // no window while it asks for the session's data (isSavingSession() is
  // never set here), and the session manager's last word quits the
  // application, so the window closes when a standing error text has stood
  // its time.
  using G = Fensterlogik::Schliessgrund;
  const G grund = ereignis->spontaneous() ? G::Nutzer : G::Programm;
  if (logik_.Schliessen(grund)) return QWidget::closeEvent(ereignis);
  ereignis->ignore();
}

std::optional<Element> frm_Dunstwerk::ElementVonObjekt(const QObject* objekt) const {
  const auto stelle = std::find(elemente_.begin(), elemente_.end(), objekt);
  if (!objekt || stelle == elemente_.end()) return std::nullopt;
  return static_cast<Element>(stelle - elemente_.begin());
}

bool frm_Dunstwerk::eventFilter(QObject* objekt, QEvent* ereignis) {
  if (logik_.Pausiert() && IstEingabe(ereignis->type())) return true;
  if (ereignis->type() != QEvent::KeyPress) return QWidget::eventFilter(objekt, ereignis);
  const auto* taste = static_cast<QKeyEvent*>(ereignis);
  const std::optional<Element> e = ElementVonObjekt(objekt);
  if (!e) return QWidget::eventFilter(objekt, ereignis);
  if (taste->matches(QKeySequence::Copy)) {
    const auto* feld = qobject_cast<const QLineEdit*>(objekt);
    if (logik_.StrgC(e, feld && feld->hasSelectedText())) return true;
  }
  if (IstEnter(*taste) && logik_.Enter(e)) return true;
  return QWidget::eventFilter(objekt, ereignis);
}

// Keys that the focused button or picture box leaves to the window.
void frm_Dunstwerk::keyPressEvent(QKeyEvent* ereignis) {
  if (ereignis->matches(QKeySequence::Copy)) {
    logik_.StrgC(ElementVonObjekt(focusWidget()), false);
    return;
  }
  // Shift+F10 opens the context menu of what has the focus, as the menu key
  // does: a text box's own, or the window's.
  if (ereignis->key() == Qt::Key_F10 && ereignis->modifiers() == Qt::ShiftModifier) {
    QWidget* ziel = focusWidget() ? focusWidget() : this;
    const QPoint mitte = ziel->rect().center();
    QContextMenuEvent menue(QContextMenuEvent::Keyboard, mitte, ziel->mapToGlobal(mitte));
    QCoreApplication::sendEvent(ziel, &menue);
    return;
  }
  QWidget::keyPressEvent(ereignis);
}

// A right click on the background, a label or a button, or the menu key
// away from the text boxes, which keep their own menus.
void frm_Dunstwerk::contextMenuEvent(QContextMenuEvent* ereignis) {
  QMenu menue(this);
  menue.setObjectName(QStringLiteral("kontextmenue"));
  QAction* kopieren = menue.addAction(Qs(kKopierenMenueeintrag));
  kopieren->setEnabled(logik_.KopierenMoeglich());
  if (menue.exec(ereignis->globalPos()) == kopieren) logik_.ErgebnisseKopieren();
}

void frm_Dunstwerk::PauseBeenden() {
  if (!logik_.Pausiert()) return;
  pausenuhr_.stop();
  qApp->removeEventFilter(this);
  logik_.PauseAbgelaufen();
}

void frm_Dunstwerk::Zeigen(Element e, bool sichtbar) {
  elemente_[e]->setVisible(sichtbar);
  if (sichtbar && RolleVon(e) == Rolle::Alarm) {
    // Screen readers announce the error as it appears.
    QAccessibleEvent meldung(elemente_[e], QAccessible::Alert);
    QAccessible::updateAccessibility(&meldung);
  }
}

void frm_Dunstwerk::SetzeText(Element e, std::string_view text) {
  static_cast<QLineEdit*>(elemente_[e])->setText(Qs(text));
}

std::string frm_Dunstwerk::Text(Element e) const {
  return static_cast<QLineEdit*>(elemente_[e])->text().toStdString();
}

void frm_Dunstwerk::SetzeBeschriftung(Element e, std::string_view text) {
  QString zeilen = Qs(text);
  zeilen.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  static_cast<QLabel*>(elemente_[e])->setText(zeilen);
}

void frm_Dunstwerk::Fokus(Element e) { elemente_[e]->setFocus(Qt::OtherFocusReason); }

void frm_Dunstwerk::SetzeFensterhoehe(int twips) {
  const int rahmen = frameGeometry().height() - geometry().height();
  setFixedHeight(std::max(1, Pixel(twips) - rahmen));
}

void frm_Dunstwerk::NeuZeichnen() { repaint(); }

void frm_Dunstwerk::StartePausenuhr(int millisekunden) {
  // The filter that drops user input stands only as long as the pause: on
  // every event of the application it would slow the window down.
  qApp->installEventFilter(this);
  pausenuhr_.start(millisekunden);
}

void frm_Dunstwerk::Beenden() { QCoreApplication::quit(); }

void frm_Dunstwerk::InZwischenablage(std::string_view text, std::string_view html) {
  auto* daten = new QMimeData;
  daten->setText(Qs(text));
  daten->setHtml(Qs(html));
  QGuiApplication::clipboard()->setMimeData(daten);
}

}  // namespace dunstwerk
