// The window in a process whose locale is really set, as a desktop session
// sets it: German, English, or English with German numbers. ctest names the
// locale and the separator it must give; QApplication hands the locale to the
// C library, exactly as in the program, so a conversion that follows
// LC_NUMERIC shows here.
#include <QTest>
#include <QtWidgets>
#include <clocale>

#include "ui/qt/frm_dunstwerk.h"

class GebietsschemaTest : public QObject {
  Q_OBJECT

 private slots:
  // Typed with a comma and with a point; shown with the locale's separator,
  // written as a comma below. A locale that is not there would leave the C
  // locale's point in force and prove nothing.
  void vollstaendigerLauf() {
    const QString trenner = qEnvironmentVariable("DUNSTWERK_DEZIMALTRENNER");
    QCOMPARE(QString(std::localeconv()->decimal_point), trenner);
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
                               {"txt_temlu=20,50", "txt_temkg=13,80", "txt_rf=47,51",
                                "txt_x=0,00722", "txt_h1=38,9"}}}) {
      dunstwerk::frm_Dunstwerk fenster;
      fenster.show();
      const auto feld = [&](const QString& paar) {
        return fenster.findChild<QLineEdit*>(paar.section('=', 0, 0));
      };
      QTest::mouseClick(fenster.findChild<QPushButton*>(f.knopf), Qt::LeftButton);
      for (const QString& paar : f.eingaben) QTest::keyClicks(feld(paar), paar.section('=', 1));
      QTest::mouseClick(fenster.findChild<QPushButton*>("cmd_rechne"), Qt::LeftButton);
      for (const QString& paar : f.erwartet)
        QCOMPARE(feld(paar)->text(), paar.section('=', 1).replace(',', trenner));
    }
  }
};

QTEST_MAIN(GebietsschemaTest)
#include "gebietsschema_test.moc"
