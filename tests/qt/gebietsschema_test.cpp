// The window in a process whose locale is really set, as a desktop session
// sets it: German, English, or English with German numbers. ctest names the
// locale in the environment; QApplication hands it to the C library, exactly
// as in the program, so a conversion that follows LC_NUMERIC shows here.
#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QTest>
#include <clocale>

#include "hilfen.h"
#include "ui/qt/frm_dunstwerk.h"

using namespace dunstwerk::test;

class GebietsschemaTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    // A locale that is not there leaves the C locale's point in force and
    // would prove nothing: the C library must report the expected separator.
    const QByteArray erwartet = qgetenv("DUNSTWERK_DEZIMALTRENNER");
    QVERIFY2(!erwartet.isEmpty(), "ctest sets the locale and the separator it must give");
    QCOMPARE(QByteArray(std::localeconv()->decimal_point), erwartet);
    QCOMPARE(QLocale().decimalPoint(), QString::fromUtf8(erwartet));
  }

  // Typed with a comma and with a point; shown with the locale's separator
  // (written as a comma below).
  void vollstaendigerLauf_data() {
    QTest::addColumn<int>("modus");
    QTest::addColumn<QString>("temlu");
    QTest::addColumn<QString>("zweites");
    QTest::addColumn<QStringList>("erwartet");  // name=text pairs
    QTest::newRow("mode 1, comma")
        << 1 << "20,5"
        << "50,5" << QStringList{"txt_temlu=20,50", "txt_rf=50,50",  "txt_temtau=9,89",
                                 "txt_temkg=14,22", "txt_x=0,00768", "txt_h1=40,1"};
    QTest::newRow("mode 2, point") << 2 << "20.5"
                                   << "13.8"
                                   << QStringList{"txt_temlu=20,50", "txt_temkg=13,80",
                                                  "txt_rf=47,51", "txt_x=0,00722", "txt_h1=38,9"};
  }

  void vollstaendigerLauf() {
    QFETCH(int, modus);
    QFETCH(QString, temlu);
    QFETCH(QString, zweites);
    QFETCH(QStringList, erwartet);
    dunstwerk::frm_Dunstwerk fenster;
    fenster.show();

    Rechne(&fenster, modus, temlu, zweites);

    const QString trenner = QLocale().decimalPoint();
    for (const QString& paar : erwartet) {
      const QStringList teile = paar.split('=');
      QCOMPARE(Kontrolle<QLineEdit>(&fenster, teile[0].toStdString())->text(),
               QString(teile[1]).replace(',', trenner));
    }
  }
};

QTEST_MAIN(GebietsschemaTest)
#include "gebietsschema_test.moc"
