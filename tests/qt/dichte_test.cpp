// On dense screens (run at QT_SCALE_FACTOR 1.25, 1.5 and 2 as well as 1) every
// caption still takes the lines it was made for and fits its control: one
// line each, two for the citation.
#include <QTest>
#include <QTextLayout>

#include "ui/layout.h"
#include "ui/qt/frm_dunstwerk.h"

class DichteTest : public QObject {
  Q_OBJECT

 private slots:
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
};

QTEST_MAIN(DichteTest)
#include "dichte_test.moc"
