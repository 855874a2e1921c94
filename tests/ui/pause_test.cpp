// The one test with the real five-second pause: the error text stands the
// whole time, the window keeps painting, and input given meanwhile is gone
// afterwards instead of being replayed.
#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QTimer>

#include "hilfen.h"
#include "ui/frm_dunstwerk.h"

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

}  // namespace

class PauseTest : public QObject {
  Q_OBJECT

 private slots:
  void fehlertextStehtUndEingabenVerfallen() {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    frm_Dunstwerk fenster;
    fenster.show();
    QApplication::setActiveWindow(&fenster);
    QVERIFY(QTest::qWaitForWindowActive(&fenster));

    auto* meldung = Element<QLabel>(&fenster, "lbl_Fehlermeldung");
    auto* temlu = Element<QLineEdit>(&fenster, "txt_temlu");
    auto* rf = Element<QLineEdit>(&fenster, "txt_rf");
    Klick(&fenster, "cmd_Rechn_1");
    QTest::keyClicks(temlu, "20");  // relative humidity left empty

    QElapsedTimer uhr;
    bool stehtNach1s = false, stehtNach4s = false;
    Zaehler maler{QEvent::Paint};
    Zaehler eingaben{QEvent::KeyPress, QEvent::KeyRelease, QEvent::MouseButtonPress,
                     QEvent::MouseButtonRelease, QEvent::Close};
    QTimer::singleShot(1000, &fenster, [&] {
      stehtNach1s = meldung->isVisible() && meldung->text() == "Eingaben fehlen !";
      for (QObject* o : {static_cast<QObject*>(temlu), static_cast<QObject*>(rf),
                         static_cast<QObject*>(&fenster)})
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
      QCoreApplication::postEvent(&fenster, new QCloseEvent);
      fenster.installEventFilter(&maler);
      fenster.update();
    });
    QTimer::singleShot(4000, &fenster, [&] {
      stehtNach4s = meldung->isVisible() && meldung->text() == "Eingaben fehlen !";
    });

    uhr.start();
    Klick(&fenster, "cmd_rechne");
    const qint64 dauer = uhr.elapsed();
    QCoreApplication::processEvents();
    QTest::qWait(100);
    fenster.removeEventFilter(&maler);
    for (QObject* o :
         {static_cast<QObject*>(temlu), static_cast<QObject*>(rf), static_cast<QObject*>(&fenster)})
      o->removeEventFilter(&eingaben);

    QVERIFY2(dauer >= 5000, qPrintable(QString::number(dauer)));
    QVERIFY2(dauer < 6500, qPrintable(QString::number(dauer)));
    QVERIFY(stehtNach1s);
    QVERIFY(stehtNach4s);
    QVERIFY(maler.anzahl > 0);
    QCOMPARE(eingaben.anzahl, 0);

    // Back in the input view, and none of the input came through.
    QVERIFY(fenster.isVisible());
    QVERIFY(!meldung->isVisible());
    QVERIFY(Element(&fenster, "cmd_rechne")->isVisible());
    QCOMPARE(temlu->text(), QString());
    QCOMPARE(rf->text(), QString());
    QCOMPARE(QApplication::focusWidget(), temlu);
  }
};

QTEST_MAIN(PauseTest)
#include "pause_test.moc"
