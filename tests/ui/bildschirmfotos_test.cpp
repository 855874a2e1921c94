// Writes pictures of the window's views, in German and English, for a person
// to look at: start, input, results, and two error texts.
#include <QDir>
#include <QLocale>

#include "hilfen.h"
#include "ui/frm_dunstwerk.h"

using dunstwerk::frm_Dunstwerk;
using namespace dunstwerk::test;

class BildschirmfotosTest : public QObject {
  Q_OBJECT

  static bool Speichere(QWidget& fenster, const QString& name) {
    const QString pfad = QDir(DUNSTWERK_BILDER_ORDNER).filePath(name + ".png");
    return fenster.grab().save(pfad);
  }

 private slots:
  void initTestCase() { QVERIFY(QDir().mkpath(DUNSTWERK_BILDER_ORDNER)); }

  void ansichten_data() {
    QTest::addColumn<QLocale>("sprache");
    QTest::newRow("de") << QLocale(QLocale::German, QLocale::Germany);
    QTest::newRow("en") << QLocale(QLocale::English, QLocale::UnitedStates);
  }

  void ansichten() {
    QFETCH(QLocale, sprache);
    QLocale::setDefault(sprache);
    const QString tag = QTest::currentDataTag();
    frm_Dunstwerk fenster;
    fenster.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fenster));
    QVERIFY(Speichere(fenster, "start_" + tag));

    Klick(&fenster, "cmd_Rechn_1");
    Tippe(&fenster, "txt_temlu", "20");
    Tippe(&fenster, "txt_rf", "50");
    QVERIFY(Speichere(fenster, "eingabe_" + tag));

    Klick(&fenster, "cmd_rechne");
    QVERIFY(Speichere(fenster, "ergebnis_" + tag));

    // The error view exists only during the pause: take its picture there.
    QString fehlerbild;
    fenster.SetzePause([&](int) { Speichere(fenster, fehlerbild); });
    Klick(&fenster, "cmd_neustart");
    fehlerbild = "fehler_zwei_zeilen_" + tag;
    Tippe(&fenster, "txt_temlu", "-5");
    Tippe(&fenster, "txt_rf", "120");
    Klick(&fenster, "cmd_rechne");
    fehlerbild = "fehler_fehlen_" + tag;
    Klick(&fenster, "cmd_rechne");
    for (const char* name : {"fehler_zwei_zeilen_", "fehler_fehlen_"})
      QVERIFY(QFile::exists(QDir(DUNSTWERK_BILDER_ORDNER).filePath(name + tag + ".png")));
  }
};

QTEST_MAIN(BildschirmfotosTest)
#include "bildschirmfotos_test.moc"
