// The error pause on Qt, with its real five seconds: the text stands, the
// window keeps painting, input given meanwhile is gone afterwards, and a quit
// or the window's end during the pause is handled.
#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>

#include "hilfen.h"
#include "ui/qt/frm_dunstwerk.h"

using dunstwerk::frm_Dunstwerk;
using namespace dunstwerk::test;

namespace {

// Counts the events of some types that reach the objects it watches.
class Zaehler : public QObject {
 public:
  explicit Zaehler(std::initializer_list<QEvent::Type> typen) : typen_(typen) {}
  int anzahl = 0;

 protected:
  bool eventFilter(QObject*, QEvent* ereignis) override {
    if (typen_.contains(ereignis->type())) ++anzahl;
    return false;
  }

 private:
  QList<QEvent::Type> typen_;
};

// Starts an error pause: mode 1 with the humidity left empty.
void FehlerAusloesen(frm_Dunstwerk& fenster) {
  Klick(&fenster, "cmd_Rechn_1");
  Tippe(&fenster, "txt_temlu", "20");
  Klick(&fenster, "cmd_rechne");
}

// A close from the window's title bar, as the platform delivers it: a
// spontaneous close event to the window, not QWidget::close().
void NutzerSchliesst(frm_Dunstwerk& fenster) {
  QCloseEvent schliessen;
  QCoreApplication::sendEvent(fenster.windowHandle(), &schliessen);
}

}  // namespace

class PauseTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

  void fehlertextStehtUndEingabenVerfallen() {
    frm_Dunstwerk fenster;
    fenster.show();
    QApplication::setActiveWindow(&fenster);
    QVERIFY(QTest::qWaitForWindowActive(&fenster));
    auto* meldung = Kontrolle<QLabel>(&fenster, "lbl_Fehlermeldung");
    auto* temlu = Kontrolle<QLineEdit>(&fenster, "txt_temlu");
    auto* rf = Kontrolle<QLineEdit>(&fenster, "txt_rf");

    QElapsedTimer uhr;
    uhr.start();
    FehlerAusloesen(fenster);
    QVERIFY2(uhr.elapsed() < 1000, "the click must return at once");

    bool stehtNach1s = false, stehtNach4s = false;
    Zaehler maler{QEvent::Paint};
    Zaehler eingaben{QEvent::KeyPress, QEvent::KeyRelease, QEvent::MouseButtonPress,
                     QEvent::MouseButtonRelease};
    QTimer::singleShot(1000, &fenster, [&] {
      stehtNach1s = meldung->isVisible() && meldung->text() == "Eingaben fehlen !";
      for (QObject* o : std::initializer_list<QObject*>{temlu, rf})
        o->installEventFilter(&eingaben);
      // Delivered at once, and posted for later: keys, clicks, a close.
      QTest::keyClicks(rf, "77");
      QTest::mouseClick(rf, Qt::LeftButton);
      for (const auto typ : {QEvent::KeyPress, QEvent::KeyRelease})
        QCoreApplication::postEvent(temlu, new QKeyEvent(typ, Qt::Key_9, Qt::NoModifier, "9"));
      const QPointF mitte = QRectF(rf->rect()).center();
      for (const auto typ : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
        QCoreApplication::postEvent(
            rf, new QMouseEvent(typ, mitte, rf->mapToGlobal(mitte), Qt::LeftButton, Qt::LeftButton,
                                Qt::NoModifier));
      NutzerSchliesst(fenster);
      fenster.installEventFilter(&maler);
      fenster.update();
    });
    QTimer::singleShot(4000, &fenster,
                       [&] { stehtNach4s = meldung->isVisible() && fenster.Pausiert(); });

    QTRY_VERIFY_WITH_TIMEOUT(!fenster.Pausiert(), 7000);
    const qint64 dauer = uhr.elapsed();
    QTest::qWait(100);
    fenster.removeEventFilter(&maler);

    QVERIFY2(dauer >= 5000 && dauer < 6500, qPrintable(QString::number(dauer)));
    QVERIFY(stehtNach1s);
    QVERIFY(stehtNach4s);
    QVERIFY(maler.anzahl > 0);
    QCOMPARE(eingaben.anzahl, 0);

    // Back in the input view, and none of the input came through.
    QVERIFY(fenster.isVisible());
    QVERIFY(!meldung->isVisible());
    QVERIFY(Kontrolle(&fenster, "cmd_rechne")->isVisible());
    QCOMPARE(temlu->text(), QString());
    QCOMPARE(rf->text(), QString());
    QCOMPARE(QApplication::focusWidget(), temlu);
  }

  // During the pause a close by the user is input and is dropped; a quit
  // from the program is kept: the window stays while the text stands, and the
  // program ends when the pause is over.
  void schliessenWaehrendDerPause_data() {
    QTest::addColumn<bool>("quit");
    QTest::addColumn<int>("ende");  // exec()'s result; 7: still running
    QTest::newRow("user closes") << false << 7;
    QTest::newRow("program quits") << true << 0;
  }

  void schliessenWaehrendDerPause() {
    QFETCH(bool, quit);
    QFETCH(int, ende);
    frm_Dunstwerk fenster;
    fenster.show();
    FehlerAusloesen(fenster);
    bool offenInDerPause = false;
    QTimer::singleShot(50, &fenster, [&] {
      if (quit)
        QCoreApplication::quit();
      else
        NutzerSchliesst(fenster);
    });
    QTimer::singleShot(150, &fenster, [&] {
      offenInDerPause = fenster.isVisible() && fenster.Pausiert();
      fenster.PauseBeenden();
    });
    QTimer::singleShot(1000, qApp, [] { QCoreApplication::exit(7); });
    QCOMPARE(QCoreApplication::exec(), ende);
    QVERIFY(offenInDerPause);
    QCOMPARE(fenster.isVisible(), !quit);
  }

  void nutzerSchliesstOhnePause() {
    frm_Dunstwerk fenster;
    fenster.show();
    NutzerSchliesst(fenster);
    QVERIFY(!fenster.isVisible());
  }

  void fensterEndetWaehrendDerPause() {
    QPointer<frm_Dunstwerk> fenster = new frm_Dunstwerk;
    fenster->show();
    FehlerAusloesen(*fenster);
    QVERIFY(fenster->Pausiert());
    QTimer::singleShot(100, qApp, [&] { delete fenster; });
    QTRY_VERIFY(fenster.isNull());
    QTest::qWait(50);
  }
};

QTEST_MAIN(PauseTest)
#include "pause_test.moc"
