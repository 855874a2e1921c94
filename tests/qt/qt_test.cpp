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
  // At every QT_SCALE_FACTOR each caption fits its control in the lines it
  // was made for: one, two for the citation.
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

  // Typed with a comma and a point in a process whose locale ctest really set;
  // QApplication hands it to the C library, as in the program, so reading
  // that follows LC_NUMERIC shows here. A missing locale, which would prove
  // nothing, shows as the wrong separator; expected values use a comma.
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
