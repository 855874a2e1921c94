#include "ui/frm_dunstwerk.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStyleOptionFocusRect>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "ui/bilder.h"
#include "ui/zahlformat.h"

namespace dunstwerk {

namespace {

enum class Art { Bezeichnung, Textfeld, Schaltflaeche, Bildfeld };
enum class Farbe { Standard, Rot, Blau, Schwarz };

// One control of the window. Positions and sizes in twips from the top left
// corner of the client area; fonts are Arial bold in points.
struct Steuerelement {
  const char* name;
  Art art;
  const char* text;  // UTF-8
  int links, oben, breite, hoehe;
  double punkt;
  bool kursiv;
  Farbe farbe;
  bool sichtbar;
  int tab;
  bool zentriert = false;
};

constexpr Art B = Art::Bezeichnung;
constexpr Art T = Art::Textfeld;
constexpr Art S = Art::Schaltflaeche;

// The controls in their stacking order: each row is drawn above the rows
// before it.
// clang-format off
constexpr std::array<Steuerelement, 39> kSteuerelemente{{
  {"lbl_Topzeile", B, "    Zustandsgrößen  feuchter  Luft  bei  1 bar    ",
                                      0,  120, 9615, 375, 14.25, true,  Farbe::Blau,     true,   0, true},
  {"pic_VKR",       Art::Bildfeld, "", 315,  675,  555, 420,  8.25, false, Farbe::Standard, true,  37},
  {"cmd_beenden",   S, "Beenden !",        6720, 5985, 2535, 330, 12,    true,  Farbe::Standard, false, 35},
  {"cmd_neustart",  S, "Erneut starten !",  420, 5985, 2535, 330, 12,    true,  Farbe::Standard, false, 34},
  {"cmd_rechne",    S, "Rechne !",         4095, 5880, 1590, 435, 14.25, true,  Farbe::Standard, false, 33},
  {"cmd_Rechn_3",   S, "Lufttemperatur und Dampfgehalt",
                                         2835, 6825, 4005, 330, 11.25, true,  Farbe::Standard, true,  32},
  {"cmd_Rechn_2",   S, "Luft- und Kühlgrenztemperatur   ",
                                         2835, 6405, 4005, 330, 11.25, true,  Farbe::Standard, true,  31},
  {"cmd_Rechn_1",   S, "Lufttemperatur und rel. Feuchte  ",
                                         2835, 5985, 4005, 330, 11.25, true,  Farbe::Standard, true,  30},
  {"txt_h1",        T, "", 7350, 5250, 1065, 315, 9.75, false, Farbe::Standard, false, 25},
  {"txt_xkgminusx", T, "", 7350, 4935, 1065, 315, 9.75, false, Farbe::Standard, false, 24},
  {"txt_xkg",       T, "", 7350, 4620, 1065, 315, 9.75, false, Farbe::Standard, false, 23},
  {"txt_psatt",     T, "", 7350, 4095, 1065, 315, 9.75, false, Farbe::Standard, false, 22},
  {"txt_pd",        T, "", 7350, 3780, 1065, 315, 9.75, false, Farbe::Standard, false, 21},
  {"txt_rhofl",     T, "", 7350, 3465, 1065, 315, 9.75, false, Farbe::Standard, false, 20},
  {"txt_x",         T, "", 7350, 3150, 1065, 315, 9.75, false, Farbe::Standard, false, 19},
  {"txt_absfeu",    T, "", 7350, 2835, 1065, 315, 9.75, false, Farbe::Standard, false, 18},
  {"txt_rf",        T, "", 7350, 2520, 1065, 315, 9.75, false, Farbe::Standard, false, 17},
  {"txt_temkg",     T, "", 7350, 1995, 1065, 315, 9.75, false, Farbe::Standard, false, 16},
  {"txt_temtau",    T, "", 7350, 1680, 1065, 315, 9.75, false, Farbe::Standard, false, 15},
  {"txt_temlu",     T, "", 7350, 1365, 1065, 315, 9.75, false, Farbe::Standard, false, 14},
  {"lbl_Anmerkung", B, "Berechnung lt. Marwold,  Daten zur feuchten Luft - Trock- nungtechnik, "
                       "KX-Jahrbuch 1996, S. 128 - 135,  ohne Gewähr",
                                         4680,  630, 4785, 465,  8.25, false, Farbe::Standard, true,  38},
  {"lbl_Fehlermeldung", B, "",            630, 5670, 8205, 855, 11.25, true,  Farbe::Rot,      false, 36},
  {"lbl_Aufford_Z5",  B, "werden alle sonstigen, hier aufgeführten Daten errechnet.",
                                         2520, 7350, 6105, 330, 11.25, true,  Farbe::Blau,     true,  29},
  {"lbl_Aufford_Z3a", B, "oder",         1995, 6930,  540, 225, 11.25, true,  Farbe::Blau,     true,  28},
  {"lbl_Aufford_Z2a", B, "oder",         1995, 6510,  540, 225, 11.25, true,  Farbe::Blau,     true,  27},
  {"lbl_Aufford_Z1",  B, "Nach Eingabe von", 630, 6090, 2010, 330, 11.25, true, Farbe::Blau,    true,  26},
  {"lbl_Zeile_L", B, "Enthalpie der feuchten Luft in kJ / kg tr. Luft",
                                         1365, 5250, 4845, 300, 11.25, false, Farbe::Standard, true,  13},
  {"lbl_Zeile_K", B, "Wasseraufnahmevermögen in kg Wasser / kg tr. Luft",
                                         1365, 4935, 5685, 300, 11.25, false, Farbe::Standard, true,  12},
  {"lbl_Zeile_J", B, "Wasserdampfgehalt im Kühlgrenzzustand in kg / kg",
                                         1365, 4620, 5580, 300, 11.25, false, Farbe::Standard, true,  11},
  {"lbl_Zeile_I", B, "Sättigungspartialdruck in bar",
                                         1365, 4095, 3270, 300, 11.25, false, Farbe::Standard, true,  10},
  {"lbl_Zeile_H", B, "Partialdruck des Wasserdampfes in bar (1000 hPa)",
                                         1365, 3780, 5475, 300, 11.25, false, Farbe::Standard, true,   9},
  {"lbl_Zeile_G", B, "Dichte der feuchten Luft in kg / m³",
                                         1365, 3465, 3795, 300, 11.25, false, Farbe::Standard, true,   8},
  {"lbl_Zeile_F", B, "Wasserdampfgehalt in kg Dampf / kg tr. Luft",
                                         1365, 3150, 4740, 300, 11.25, false, Farbe::Standard, true,   7},
  {"lbl_Zeile_E", B, "Absolute Feuchte in kg Dampf / m³ Luft",
                                         1365, 2835, 4320, 300, 11.25, false, Farbe::Standard, true,   6},
  {"lbl_Zeile_D", B, "Relative Feuchte in %",
                                         1365, 2520, 2430, 300, 11.25, false, Farbe::Standard, true,   5},
  {"lbl_Zeile_C", B, "Kühlgrenztemperatur in °C",
                                         1365, 1995, 2955, 300, 11.25, false, Farbe::Standard, true,   4},
  {"lbl_Zeile_B", B, "Taupunkttemperatur in °C",
                                         1365, 1680, 2955, 300, 11.25, false, Farbe::Standard, true,   3},
  {"lbl_Zeile_A", B, "Lufttemperatur in °C",
                                         1365, 1365, 2220, 300, 11.25, false, Farbe::Schwarz,  true,   2},
  {"lbl_Dunstwerk", B, "Dunstwerk",      1620,  630, 2520, 375, 20.25, false, Farbe::Blau,     true,   1},
}};
// clang-format on

constexpr int kFensterBreiteTwips = 9615;
constexpr int kFensterHoeheTwips = 7740;
// The row labels stand in this column, their result boxes at the same Top.
constexpr int kZeilenSpalteTwips = 1365;

const QColor kHintergrund(255, 255, 192);

constexpr int Pixel(int twips) { return twips / frm_Dunstwerk::kTwipsProPixel; }

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

QColor Textfarbe(Farbe farbe) {
  switch (farbe) {
    case Farbe::Rot:
      return QColor(255, 0, 0);
    case Farbe::Blau:
      return QColor(0, 0, 255);
    case Farbe::Schwarz:
      return QColor(0, 0, 0);
    case Farbe::Standard:
      break;
  }
  return {};
}

// The picture box: the logo at its top left corner on the box's own
// background. It takes the focus by tab and shows that it has it.
class Bildfeld : public QWidget {
 public:
  explicit Bildfeld(QWidget* parent) : QWidget(parent), bild_(DunstwerkLogo()) {
    setFocusPolicy(Qt::TabFocus);
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter maler(this);
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

// Event types that carry user input; during the pause they are dropped.
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

frm_Dunstwerk::frm_Dunstwerk(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("frm_Dunstwerk"));
  // An empty title; see showEvent for what reaches the title bar.
  setWindowTitle(QString());
  setWindowIcon(QIcon(DunstwerkSymbol()));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);

  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, kHintergrund);
  setPalette(palette);
  setAutoFillBackground(true);
  setFont(Schrift(14.25, false));
  setFixedSize(Pixel(kFensterBreiteTwips), Pixel(kFensterHoeheTwips));

  // Captions of the row labels, by Top, name the result boxes beside them.
  std::vector<std::pair<int, QString>> zeilen;
  for (const Steuerelement& s : kSteuerelemente) {
    if (s.art == Art::Bezeichnung && s.links == kZeilenSpalteTwips)
      zeilen.emplace_back(s.oben, QString::fromUtf8(s.text));
  }

  std::vector<std::pair<int, QWidget*>> tabfolge;
  for (const Steuerelement& s : kSteuerelemente) {
    const QString name = QString::fromUtf8(s.name);
    const QString text = QString::fromUtf8(s.text);
    QWidget* w = nullptr;
    switch (s.art) {
      case Art::Bezeichnung: {
        auto* l = new QLabel(this);
        l->setTextFormat(Qt::PlainText);
        l->setText(text);
        l->setWordWrap(true);
        l->setAlignment((s.zentriert ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
        l->setFocusPolicy(Qt::NoFocus);
        l->setAutoFillBackground(true);
        w = l;
        break;
      }
      case Art::Textfeld: {
        auto* t = new QLineEdit(this);
        for (const auto& [oben, zeile] : zeilen) {
          if (oben == s.oben) t->setAccessibleName(zeile);
        }
        w = t;
        break;
      }
      case Art::Schaltflaeche: {
        auto* k = new QPushButton(text, this);
        // Enter and Return press a focused button, as Space does.
        k->setAutoDefault(true);
        w = k;
        break;
      }
      case Art::Bildfeld:
        w = new Bildfeld(this);
        break;
    }
    w->setObjectName(name);
    w->setFont(Schrift(s.punkt, s.kursiv));
    if (s.farbe != Farbe::Standard) {
      QPalette p = w->palette();
      p.setColor(QPalette::WindowText, Textfarbe(s.farbe));
      w->setPalette(p);
    }
    w->setGeometry(Pixel(s.links), Pixel(s.oben), Pixel(s.breite), Pixel(s.hoehe));
    w->setVisible(s.sichtbar);
    if (w->focusPolicy() != Qt::NoFocus) tabfolge.emplace_back(s.tab, w);
  }

  std::sort(tabfolge.begin(), tabfolge.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  for (std::size_t i = 1; i < tabfolge.size(); ++i)
    QWidget::setTabOrder(tabfolge[i - 1].second, tabfolge[i].second);

  auto bezeichnung = [this](const char* name) {
    return findChild<QLabel*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
  };
  auto textfeld = [this](const char* name) {
    return findChild<QLineEdit*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
  };
  auto knopf = [this](const char* name) {
    return findChild<QPushButton*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
  };
  lbl_Fehlermeldung_ = bezeichnung("lbl_Fehlermeldung");
  lbl_Aufford_Z1_ = bezeichnung("lbl_Aufford_Z1");
  lbl_Aufford_Z2a_ = bezeichnung("lbl_Aufford_Z2a");
  lbl_Aufford_Z3a_ = bezeichnung("lbl_Aufford_Z3a");
  lbl_Aufford_Z5_ = bezeichnung("lbl_Aufford_Z5");
  txt_temlu_ = textfeld("txt_temlu");
  txt_temtau_ = textfeld("txt_temtau");
  txt_temkg_ = textfeld("txt_temkg");
  txt_rf_ = textfeld("txt_rf");
  txt_absfeu_ = textfeld("txt_absfeu");
  txt_x_ = textfeld("txt_x");
  txt_rhofl_ = textfeld("txt_rhofl");
  txt_pd_ = textfeld("txt_pd");
  txt_psatt_ = textfeld("txt_psatt");
  txt_xkg_ = textfeld("txt_xkg");
  txt_xkgminusx_ = textfeld("txt_xkgminusx");
  txt_h1_ = textfeld("txt_h1");
  cmd_Rechn_1_ = knopf("cmd_Rechn_1");
  cmd_Rechn_2_ = knopf("cmd_Rechn_2");
  cmd_Rechn_3_ = knopf("cmd_Rechn_3");
  cmd_rechne_ = knopf("cmd_rechne");
  cmd_neustart_ = knopf("cmd_neustart");
  cmd_beenden_ = knopf("cmd_beenden");

  connect(cmd_Rechn_1_, &QPushButton::clicked, this, &frm_Dunstwerk::cmd_Rechn_1_Click);
  connect(cmd_Rechn_2_, &QPushButton::clicked, this, &frm_Dunstwerk::cmd_Rechn_2_Click);
  connect(cmd_Rechn_3_, &QPushButton::clicked, this, &frm_Dunstwerk::cmd_Rechn_3_Click);
  connect(cmd_rechne_, &QPushButton::clicked, this, &frm_Dunstwerk::cmd_rechne_Click);
  connect(cmd_neustart_, &QPushButton::clicked, this, &frm_Dunstwerk::cmd_neustart_Click);
  connect(cmd_beenden_, &QPushButton::clicked, this, &frm_Dunstwerk::cmd_beenden_Click);

  // Centred on the screen when it first opens.
  if (const QScreen* bildschirm = QGuiApplication::primaryScreen()) {
    const QRect frei = bildschirm->availableGeometry();
    move(frei.center() - QPoint(width() / 2, height() / 2));
  }
}

frm_Dunstwerk::~frm_Dunstwerk() {
  if (pausiert_) qApp->removeEventFilter(this);
}

void frm_Dunstwerk::showEvent(QShowEvent* ereignis) {
  QWidget::showEvent(ereignis);
  // Qt puts the application name into an empty title bar. A single blank
  // keeps the bar empty to the eye; windowTitle() itself stays empty.
  if (QWindow* fenster = windowHandle(); fenster && fenster->title().isEmpty())
    fenster->setTitle(QStringLiteral(" "));
}

std::string frm_Dunstwerk::Eingabetext(Eingabefeld feld) const {
  return Textfeld(feld)->text().toStdString();
}

QLineEdit* frm_Dunstwerk::Textfeld(Eingabefeld feld) const {
  switch (feld) {
    case Eingabefeld::temlu:
      return txt_temlu_;
    case Eingabefeld::rf:
      return txt_rf_;
    case Eingabefeld::temkg:
      return txt_temkg_;
    case Eingabefeld::x:
      return txt_x_;
  }
  return txt_temlu_;
}

void frm_Dunstwerk::ZeigeFehlermeldung(const std::string& text) {
  QString zeilen = QString::fromStdString(text);
  zeilen.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  lbl_Fehlermeldung_->setText(zeilen);
  lbl_Fehlermeldung_->show();
}

void frm_Dunstwerk::NeuZeichnen() { repaint(); }

void frm_Dunstwerk::Pause(int millisekunden) {
  if (pause_)
    pause_(millisekunden);
  else
    EchtePause(millisekunden);
}

void frm_Dunstwerk::SetzePause(PauseFunktion pause) { pause_ = std::move(pause); }

void frm_Dunstwerk::EchtePause(int millisekunden) {
  if (millisekunden <= 0 || pausiert_) return;
  pausiert_ = true;
  qApp->installEventFilter(this);
  QElapsedTimer uhr;
  uhr.start();
  // Input that was already queued belongs to the time before the error
  // showed and goes the same way.
  QCoreApplication::sendPostedEvents();
  QEventLoop schleife;
  QTimer wecker;
  wecker.setSingleShot(true);
  wecker.setTimerType(Qt::PreciseTimer);
  connect(&wecker, &QTimer::timeout, &schleife, &QEventLoop::quit);
  for (qint64 rest = millisekunden; rest > 0; rest = millisekunden - uhr.elapsed()) {
    wecker.start(static_cast<int>(rest));
    schleife.exec();
  }
  // What the window system delivered up to now still counts as given during
  // the pause.
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents();
  qApp->removeEventFilter(this);
  pausiert_ = false;
}

bool frm_Dunstwerk::eventFilter(QObject* objekt, QEvent* ereignis) {
  if (pausiert_) {
    if (IstEingabe(ereignis->type())) return true;
    if (ereignis->type() == QEvent::Close && (objekt == this || objekt == windowHandle())) {
      ereignis->ignore();
      return true;
    }
  }
  return QWidget::eventFilter(objekt, ereignis);
}

void frm_Dunstwerk::AnsichtZuruecksetzen() {
  lbl_Aufford_Z1_->hide();
  lbl_Aufford_Z2a_->hide();
  lbl_Aufford_Z3a_->hide();
  lbl_Aufford_Z5_->hide();
  cmd_Rechn_1_->hide();
  cmd_Rechn_2_->hide();
  cmd_Rechn_3_->hide();
  txt_temlu_->show();
  txt_temlu_->setFocus(Qt::OtherFocusReason);
  for (QLineEdit* t : {txt_temtau_, txt_temkg_, txt_rf_, txt_absfeu_, txt_x_, txt_rhofl_, txt_pd_,
                       txt_psatt_, txt_xkg_, txt_xkgminusx_, txt_h1_})
    t->hide();
}

void frm_Dunstwerk::ModusWaehlen(int vorgabe) {
  kern_.Vorgabe = vorgabe;
  AnsichtZuruecksetzen();
  switch (vorgabe) {
    case 1:
      txt_rf_->show();
      break;
    case 2:
      txt_temkg_->show();
      break;
    default:
      txt_x_->show();
      break;
  }
  cmd_rechne_->show();
  SetzeFensterhoehe(kFensterhoeheNachWahlTwips);
}

void frm_Dunstwerk::SetzeFensterhoehe(int twips) {
  const int rahmen = frameGeometry().height() - geometry().height();
  const int gesamt = static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsProPixel));
  setFixedHeight(std::max(1, gesamt - rahmen));
}

void frm_Dunstwerk::cmd_Rechn_1_Click() { ModusWaehlen(1); }
void frm_Dunstwerk::cmd_Rechn_2_Click() { ModusWaehlen(2); }
void frm_Dunstwerk::cmd_Rechn_3_Click() { ModusWaehlen(3); }

void frm_Dunstwerk::cmd_rechne_Click() {
  cmd_rechne_->hide();
  if (Rechne(kern_, *this)) {
    ZeigeErgebnisse();
    cmd_neustart_->show();
    cmd_beenden_->show();
  }
  NeuZeichnen();
  if (ZuruecksetzenNoetig(kern_)) cmd_neustart_Click();
  kern_.Fehlercode = 0;
}

void frm_Dunstwerk::ZeigeErgebnisse() {
  const MoistAirState& z = kern_.zustand;
  const std::string trenner = QLocale().decimalPoint().toStdString();
  const struct {
    QLineEdit* feld;
    double wert;
    int stellen;
  } ergebnisse[] = {
      {txt_temlu_, z.temlu, 2},         {txt_temtau_, z.temtau, 2},
      {txt_temkg_, z.temkg, 2},         {txt_rf_, 100 * z.rf, 2},
      {txt_absfeu_, z.absfeu, 5},       {txt_x_, z.x, 5},
      {txt_rhofl_, z.rhofl, 5},         {txt_pd_, z.pd, 5},
      {txt_psatt_, z.psatt, 5},         {txt_xkg_, z.xkg, 5},
      {txt_xkgminusx_, z.xkg - z.x, 5}, {txt_h1_, z.h1, 1},
  };
  for (const auto& e : ergebnisse) e.feld->show();
  for (const auto& e : ergebnisse)
    e.feld->setText(QString::fromStdString(FormatiereMuster(e.wert, e.stellen, trenner)));
}

void frm_Dunstwerk::cmd_neustart_Click() {
  for (QLineEdit* t : {txt_temlu_, txt_temkg_, txt_x_, txt_rf_}) t->setText(QString());
  cmd_neustart_->hide();
  cmd_beenden_->hide();
  lbl_Fehlermeldung_->hide();
  switch (kern_.Vorgabe) {
    case 1:
      cmd_Rechn_1_Click();
      break;
    case 2:
      cmd_Rechn_2_Click();
      break;
    case 3:
      cmd_Rechn_3_Click();
      break;
    default:
      break;
  }
}

void frm_Dunstwerk::cmd_beenden_Click() { QCoreApplication::quit(); }

}  // namespace dunstwerk
