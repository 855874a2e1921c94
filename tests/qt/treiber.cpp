// The window tests' driver for the Qt window, on the offscreen platform, and
// the few checks that only Qt has. ctest runs the whole suite in one process
// and picks single checks for runs in their own settings (scale factor,
// locale), as on Win32.
#include "vertrag/treiber.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QtWidgets>
#include <clocale>
#include <functional>

#include "ui/qt/bilder.h"
#include "ui/qt/frm_dunstwerk.h"

namespace dunstwerk::test {
namespace {

QString Qs(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }
Rgb Farbwert(const QColor& c) { return Rgb{c.red(), c.green(), c.blue()}; }

// Counts the paint events of the object it watches.
struct Maler : QObject {
  int anzahl = 0;
  bool eventFilter(QObject*, QEvent* ereignis) override {
    anzahl += ereignis->type() == QEvent::Paint;
    return false;
  }
};

// Makes the window the active one at once. Qt 6.8 deprecates this call for
// QWidget::activateWindow(), which only asks the platform: the offscreen
// platform then never hands the activation back after a popup menu closes.
void Aktiviere(QWidget* fenster) {
  QT_WARNING_PUSH
  QT_WARNING_DISABLE_DEPRECATED
  QApplication::setActiveWindow(fenster);
  QT_WARNING_POP
}

class QtTreiber final : public Treiber {
 public:
  QtTreiber() : palette_(QApplication::palette()) {}

  void Oeffnen() override {
    fenster_.reset();
    QApplication::setPalette(palette_);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    fenster_ = std::make_unique<frm_Dunstwerk>();
    fenster_->show();
    Aktiviere(fenster_.get());
    EXPECT_TRUE(QTest::qWaitForWindowActive(fenster_.get()));
  }
  // Qt lays the window out in pixels at 96 DPI and scales them itself.
  int Dpi() override { return 96; }

  // Run in the application's loop: a quit ends the loop only there.
  void Klick(std::string_view name) override {
    ImLauf([&] { QTest::mouseClick(E(name), Qt::LeftButton); });
  }
  void Tippe(std::string_view name, std::string_view text) override {
    QTest::keyClicks(E(name), Qs(text));
  }
  void Druecke(Taste taste) override {
    static constexpr QKeyCombination kTasten[] = {Qt::Key_Tab, Qt::Key_Return,
                                                  Qt::KeypadModifier | Qt::Key_Enter, Qt::Key_Space,
                                                  Qt::ControlModifier | Qt::Key_C};
    const QKeyCombination k = kTasten[int(taste)];
    QTest::keyClick(QApplication::focusWidget(), k.key(), k.keyboardModifiers());
  }
  void SetzeFokus(std::string_view name) override {
    Aktiviere(fenster_.get());  // back from a menu
    E(name)->setFocus(Qt::OtherFocusReason);
  }
  std::string Fokus() override {
    const QWidget* w = QApplication::focusWidget();
    return w && w->parent() == fenster_.get() ? w->objectName().toStdString() : "";
  }
  void Markiere(std::string_view name, int ab) override {
    SetzeFokus(name);
    auto* feld = qobject_cast<QLineEdit*>(E(name));
    feld->setSelection(ab, int(feld->text().size()) - ab);
  }

  // Labels, buttons and text boxes all have it.
  std::string Text(std::string_view name) override {
    return E(name)->property("text").toString().toStdString();
  }
  bool Sichtbar(std::string_view name) override { return E(name)->isVisible(); }
  Rechteck Lage(std::string_view name) override {
    const QRect r = E(name)->geometry();
    return {r.x(), r.y(), r.width(), r.height()};
  }
  Rechteck Innen() override { return {0, 0, fenster_->width(), fenster_->height()}; }
  int Aussenhoehe() override { return fenster_->frameGeometry().height(); }
  Schrift SchriftVon(std::string_view name) override {
    const QFontInfo info(E(name)->font());
    return {E(name)->font().family().toStdString(), info.pixelSize(), info.bold(), info.italic()};
  }
  std::pair<Rgb, Rgb> Farben(std::string_view name) override {
    const QPalette& p = E(name)->palette();
    return {Farbwert(p.color(QPalette::WindowText)), Farbwert(p.color(QPalette::Window))};
  }
  std::pair<std::string, Rolle> Zugang(std::string_view name) override {
    const QAccessibleInterface* z = QAccessible::queryAccessibleInterface(E(name));
    return {z->text(QAccessible::Name).toStdString(),
            z->role() == QAccessible::AlertMessage ? Rolle::Alarm
            : z->role() == QAccessible::Graphic    ? Rolle::Grafik
                                                   : Rolle::Standard};
  }
  std::string ZugangUnlesbar() override { return ""; }
  void SetzeSystemtext(Rgb farbe) override {
    QPalette schema = palette_;
    for (auto rolle : {QPalette::ButtonText, QPalette::WindowText})
      schema.setColor(rolle, QColor(farbe.r, farbe.g, farbe.b));
    QApplication::setPalette(schema);
    QCoreApplication::processEvents();  // the change reaches the window posted
  }

  std::pair<std::string, std::string> Ablage() override {
    QClipboard* ablage = QGuiApplication::clipboard();
    const QMimeData* daten = ablage->mimeData();  // none while empty
    const std::pair inhalt{ablage->text().toStdString(), daten ? daten->html().toStdString() : ""};
    ablage->clear();
    return inhalt;
  }
  std::string_view Zeilenende() override { return "\n"; }
  Menue Kontextmenue(std::string_view name, bool waehlen) override {
    Menue gesehen;
    QTimer::singleShot(0, fenster_.get(), [&] {
      auto* menue = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (!menue) return;
      QAction* eintrag = menue->actions().value(0);
      gesehen = {true, menue->objectName() == "kontextmenue", eintrag && eintrag->isEnabled()};
      const bool waehle = waehlen && gesehen.eigenes && gesehen.aktiv;
      if (waehle) menue->setActiveAction(eintrag);
      QTest::keyClick(menue, waehle ? Qt::Key_Return : Qt::Key_Escape);
    });
    QContextMenuEvent rechtsklick(QContextMenuEvent::Mouse, {2, 2}, {2, 2});
    if (name.empty())
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_F10, Qt::ShiftModifier);
    else
      QCoreApplication::sendEvent(E(name), &rechtsklick);
    // A text box's menu pops up without a loop of its own.
    QCoreApplication::processEvents();
    return gesehen;
  }

  bool Pausiert() override { return fenster_->Pausiert(); }
  void PauseBeenden() override {
    ImLauf([&] { fenster_->PauseBeenden(); });
  }
  bool Warte(int ms) override {
    Maler maler;
    fenster_->installEventFilter(&maler);
    fenster_->update();
    QTest::qWait(ms);
    return maler.anzahl > 0;
  }
  std::string SchliessenAnfordern(Fensterlogik::Schliessgrund grund) override {
    switch (grund) {
      case Fensterlogik::Schliessgrund::Nutzer: {
        // As the window system delivers it: a spontaneous close event.
        QCloseEvent schliessen;
        QCoreApplication::sendEvent(fenster_->windowHandle(), &schliessen);
        break;
      }
      case Fensterlogik::Schliessgrund::Programm:
        ImLauf([] { QCoreApplication::quit(); });
        break;
      case Fensterlogik::Schliessgrund::Sitzungsende:
        return "Qt 6 closes no window for a session's end; the session manager's last word "
               "quits the application, which is the program's own close";
    }
    return "";
  }
  bool Offen() override { return fenster_->isVisible(); }

 private:
  QWidget* E(std::string_view name) { return fenster_->findChild<QWidget*>(Qs(name)); }

  // Runs f in QApplication::exec(), which then ends unless f ended it.
  static void ImLauf(const std::function<void()>& f) {
    QTimer ende;
    QObject::connect(&ende, &QTimer::timeout, [] { QCoreApplication::exit(7); });
    QTimer::singleShot(0, qApp, [&] {
      f();
      ende.start(0);
    });
    QCoreApplication::exec();
  }

  QPalette palette_;
  std::unique_ptr<frm_Dunstwerk> fenster_;
};

QtTreiber* treiber = nullptr;

// What only the Qt window has to show: a fixed size, an empty title, the
// icon, and labels that show their text as it is, wrapped at words.
TEST(QtFenster, FesteGroesseTitelSymbolUndBeschriftungen) {
  treiber->Oeffnen();
  const auto& f = static_cast<frm_Dunstwerk&>(*QApplication::activeWindow());
  EXPECT_EQ(f.minimumSize(), f.maximumSize());
  EXPECT_TRUE(f.windowTitle().isEmpty());
  EXPECT_FALSE(f.windowIcon().pixmap(32, 32).isNull());
  EXPECT_EQ(f.font().pointSizeF(), kFensterPunkt);
  for (const QLabel* l : f.findChildren<QLabel*>())
    EXPECT_TRUE(l->textFormat() == Qt::PlainText && l->wordWrap()) << l->objectName().toStdString();
}

// At every QT_SCALE_FACTOR (ctest runs each in a process of its own) each
// caption fits its control in the lines it was made for: one, two for the
// citation.
TEST(QtFenster, BeschriftungenPassen) {
  frm_Dunstwerk fenster;
  fenster.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&fenster));
  for (const Steuerelement& s : kSteuerelemente) {
    SCOPED_TRACE(std::string(s.name));
    auto* w = fenster.findChild<QWidget*>(Qs(s.name));
    const QString text = w->property("text").toString();  // labels' and buttons'
    if (text.trimmed().isEmpty()) continue;
    QTextLayout layout(text, w->font(), w);  // wrapping at words
    double hoehe = 0;
    layout.beginLayout();
    for (QTextLine z = layout.createLine(); z.isValid(); z = layout.createLine()) {
      z.setLineWidth(w->width());
      hoehe += z.height();
      EXPECT_LE(z.naturalTextWidth(), w->width());
    }
    layout.endLayout();
    EXPECT_EQ(layout.lineCount(), s.name == "lbl_Anmerkung" ? 2 : 1);
    // One line may stand a little taller than its label, as the design has
    // it for "oder"; a second line must fit.
    if (layout.lineCount() > 1) {
      EXPECT_LE(hoehe, w->height() + 1);
    }
  }
}

// The window icon, which decodes a file only when a size is asked for,
// offers the sizes of its files and gives each size in its device pixels: a
// file's own pixels where one has that size, else one of them scaled, and
// the other modes derived. (How a QIcon of files picks among them differs
// between Qt 6.4 and 6.8, so the files themselves are the measure.)
TEST(QtFenster, SymbolAusSeinenDateien) {
  QList<QSize> dateien;
  for (int n : {16, 22, 24, 32, 48, 64, 128, 256}) dateien.append(QSize(n, n));
  const QIcon symbol = DunstwerkSymbol();
  EXPECT_EQ(symbol.availableSizes(), dateien);
  for (int n : {16, 20, 32, 40, 256, 300}) {
    for (qreal dichte : {1.0, 2.0}) {
      SCOPED_TRACE(testing::Message() << n << " px, density " << dichte);
      const int pixel = std::min(qRound(n * dichte), 256);
      const QImage normal = symbol.pixmap(QSize(n, n), dichte).toImage();
      EXPECT_EQ(normal.size(), QSize(pixel, pixel));
      if (dateien.contains(QSize(pixel, pixel))) {
        // Through a pixmap, as the icon's own pixels went.
        const QImage datei =
            QPixmap(QStringLiteral(":/bilder/dunstwerk_%1.png").arg(pixel)).toImage();
        EXPECT_EQ(normal.convertToFormat(QImage::Format_ARGB32_Premultiplied),
                  datei.convertToFormat(QImage::Format_ARGB32_Premultiplied));
      }
      const QImage grau = symbol.pixmap(QSize(n, n), dichte, QIcon::Disabled).toImage();
      EXPECT_EQ(grau.size(), normal.size());
      EXPECT_NE(grau.convertToFormat(QImage::Format_ARGB32),
                normal.convertToFormat(QImage::Format_ARGB32));
    }
  }
}

// Typed with a comma and a point in a process whose locale ctest really set
// (gebietsschema_*); QApplication hands it to the C library, as in the
// program, so reading that follows LC_NUMERIC shows here. A missing locale,
// which would prove nothing, shows as the wrong separator; expected values
// use a comma.
TEST(QtGebietsschema, VollstaendigerLauf) {
  const QString trenner = qEnvironmentVariable("DUNSTWERK_DEZIMALTRENNER");
  if (trenner.isEmpty()) GTEST_SKIP() << "ctest runs it in a locale it sets (gebietsschema_*)";
  ASSERT_EQ(QString(std::localeconv()->decimal_point), trenner);
  QLocale::setDefault(QLocale::system());  // as the program has it, not as Oeffnen() sets it
  struct Fall {
    const char* knopf;
    QStringList eingaben, erwartet;  // name=text
  };
  for (const Fall& f : {Fall{"cmd_Rechn_1",
                             {"txt_temlu=20,5", "txt_rf=50,5"},
                             {"txt_temlu=20,50", "txt_rf=50,50", "txt_temtau=9,89",
                              "txt_temkg=14,22", "txt_x=0,00768", "txt_h1=40,1"}},
                        Fall{"cmd_Rechn_2",
                             {"txt_temlu=20.5", "txt_temkg=13.8"},
                             {"txt_temlu=20,50", "txt_temkg=13,80", "txt_rf=47,51", "txt_x=0,00722",
                              "txt_h1=38,9"}}}) {
    SCOPED_TRACE(f.knopf);
    frm_Dunstwerk fenster;
    fenster.show();
    const auto feld = [&](const QString& paar) {
      return fenster.findChild<QLineEdit*>(paar.section('=', 0, 0));
    };
    QTest::mouseClick(fenster.findChild<QPushButton*>(f.knopf), Qt::LeftButton);
    for (const QString& paar : f.eingaben) QTest::keyClicks(feld(paar), paar.section('=', 1));
    QTest::mouseClick(fenster.findChild<QPushButton*>("cmd_rechne"), Qt::LeftButton);
    for (const QString& paar : f.erwartet)
      EXPECT_EQ(feld(paar)->text(), paar.section('=', 1).replace(',', trenner))
          << paar.toStdString();
  }
}

}  // namespace

Treiber& T() { return *treiber; }

}  // namespace dunstwerk::test

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  dunstwerk::test::QtTreiber treiber;  // gone before the application
  dunstwerk::test::treiber = &treiber;
  return RUN_ALL_TESTS();
}
