// What only the Qt window needs checked, each run by ctest in a process of
// its own: captions on dense screens, and a complete run in a real locale.
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextLayout>
#include <clocale>

#include "ui/layout.h"
#include "ui/qt/frm_dunstwerk.h"

class QtTest : public QObject {
  Q_OBJECT

 private slots:
  // On dense screens (run at QT_SCALE_FACTOR 1.25, 1.5 and 2 as well as 1)
  // every caption still takes the lines it was made for and fits its
  // control: one line each, two for the citation.
  void beschriftungenPassen() {
    dunstwerk::frm_Dunstwerk fenster;
    fenster.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fenster));
    for (const dunstwerk::Steuerelement& s : dunstwerk::kSteuerelemente) {
      auto* w = fenster.findChild<QWidget*>(QString::fromUtf8(s.name.data(), s.name.size()));
      const QString text = w->property("text").toString();  // labels' and buttons'
      if (text.trimmed().isEmpty()) continue;
      QTextLayout layout(text, w->font(), w);  // wrapping at words
      double hoehe = 0;
      layout.beginLayout();
      for (QTextLine z = layout.createLine(); z.isValid(); z = layout.createLine()) {
        z.setLineWidth(w->width());
        hoehe += z.height();
        QVERIFY2(z.naturalTextWidth() <= w->width(), s.name.data());
      }
      layout.endLayout();
      QCOMPARE(layout.lineCount(), s.name == "lbl_Anmerkung" ? 2 : 1);
      // One line may stand a little taller than its label, as the design has
      // it for "oder"; a second line must fit.
      if (layout.lineCount() > 1) QVERIFY2(hoehe <= w->height() + 1, s.name.data());
    }
  }

  // In a process whose locale is really set, as a desktop session sets it:
  // German, English, or English with German numbers; ctest names the
  // separator it must give. QApplication hands the locale to the C library,
  // as in the program, so a conversion that follows LC_NUMERIC shows here.
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

QTEST_MAIN(QtTest)
#include "qt_test.moc"
