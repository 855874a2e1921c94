// The window: its start view, the three input views, complete runs, every
// error path, restarting, the window height and the keyboard. The five-second
// pause is replaced by a hook that records what stood on screen.
#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QLocale>
#include <QTimer>
#include <memory>
#include <vector>

#include "hilfen.h"
#include "ui/frm_dunstwerk.h"

using dunstwerk::frm_Dunstwerk;
using namespace dunstwerk::test;

namespace {

struct Pausenbild {
  int millisekunden;
  bool meldungSichtbar;
  QString meldung;
  bool rechneSichtbar;
};

QStringList SichtbareKinder(const QWidget* fenster, const QString& praefix) {
  QStringList namen;
  for (const QWidget* w : fenster->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (w->isVisible() && w->objectName().startsWith(praefix)) namen << w->objectName();
  }
  namen.sort();
  return namen;
}

QStringList Sortiert(QStringList namen) {
  namen.sort();
  return namen;
}

const QLocale kDeutsch(QLocale::German, QLocale::Germany);
const QLocale kEnglisch(QLocale::English, QLocale::UnitedStates);

}  // namespace

class FensterTest : public QObject {
  Q_OBJECT

  std::unique_ptr<frm_Dunstwerk> fenster_;
  std::vector<Pausenbild> pausen_;

  template <class T = QWidget>
  T* E(const char* name) {
    return Element<T>(fenster_.get(), name);
  }

  // Chooses a mode, types both inputs and presses "Rechne !".
  void Rechne(int modus, const QString& temlu, const QString& zweites) {
    Klick(fenster_.get(), kModusKnopf[modus]);
    Tippe(fenster_.get(), "txt_temlu", temlu);
    Tippe(fenster_.get(), kZweitesFeld[modus], zweites);
    Klick(fenster_.get(), "cmd_rechne");
  }

  void PruefeEingabeansicht(int modus) {
    QCOMPARE(fenster_->Kern().Vorgabe, modus);
    QCOMPARE(SichtbareKinder(fenster_.get(), "txt_"), Sortiert({"txt_temlu", kZweitesFeld[modus]}));
    QCOMPARE(SichtbareKinder(fenster_.get(), "cmd_"), QStringList{"cmd_rechne"});
    QCOMPARE(fenster_->focusWidget(), E("txt_temlu"));
    QVERIFY(!E("lbl_Fehlermeldung")->isVisible());
    for (const char* z : {"lbl_Aufford_Z1", "lbl_Aufford_Z2a", "lbl_Aufford_Z3a", "lbl_Aufford_Z5"})
      QVERIFY2(!E(z)->isVisible(), z);
    QVERIFY(E<QLineEdit>("txt_temlu")->text().isEmpty());
    QVERIFY(E<QLineEdit>(kZweitesFeld[modus])->text().isEmpty());
  }

  void Aktivieren() {
    QApplication::setActiveWindow(fenster_.get());
    QVERIFY(QTest::qWaitForWindowActive(fenster_.get()));
  }

 private slots:
  void init() {
    QLocale::setDefault(kDeutsch);
    fenster_ = std::make_unique<frm_Dunstwerk>();
    fenster_->SetzePause([this](int ms) {
      const auto* meldung = E<QLabel>("lbl_Fehlermeldung");
      pausen_.push_back({ms, meldung->isVisible(), meldung->text(), E("cmd_rechne")->isVisible()});
    });
    fenster_->show();
    QVERIFY(QTest::qWaitForWindowExposed(fenster_.get()));
  }

  void cleanup() {
    fenster_.reset();
    pausen_.clear();
  }

  // Every control where the layout puts it, with its font, caption and
  // visibility at start. Sizes in twips; 15 twips make one pixel.
  void startansicht_data() {
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<double>("punkt");
    QTest::addColumn<bool>("kursiv");
    QTest::addColumn<bool>("sichtbar");
    QTest::addColumn<QString>("text");
    auto zeile = [](const char* name, QRect r, double pt, bool kursiv, bool sichtbar,
                    const char* text) {
      QTest::newRow(name) << r << pt << kursiv << sichtbar << QString::fromUtf8(text);
    };
    zeile("lbl_Topzeile", {0, 120, 9615, 375}, 14.25, true, true,
          "    Zustandsgrößen  feuchter  Luft  bei  1 bar    ");
    zeile("cmd_beenden", {6720, 5985, 2535, 330}, 12, true, false, "Beenden !");
    zeile("cmd_neustart", {420, 5985, 2535, 330}, 12, true, false, "Erneut starten !");
    zeile("cmd_rechne", {4095, 5880, 1590, 435}, 14.25, true, false, "Rechne !");
    zeile("cmd_Rechn_3", {2835, 6825, 4005, 330}, 11.25, true, true,
          "Lufttemperatur und Dampfgehalt");
    zeile("cmd_Rechn_2", {2835, 6405, 4005, 330}, 11.25, true, true,
          "Luft- und Kühlgrenztemperatur   ");
    zeile("cmd_Rechn_1", {2835, 5985, 4005, 330}, 11.25, true, true,
          "Lufttemperatur und rel. Feuchte  ");
    zeile("txt_h1", {7350, 5250, 1065, 315}, 9.75, false, false, "");
    zeile("txt_xkgminusx", {7350, 4935, 1065, 315}, 9.75, false, false, "");
    zeile("txt_xkg", {7350, 4620, 1065, 315}, 9.75, false, false, "");
    zeile("txt_psatt", {7350, 4095, 1065, 315}, 9.75, false, false, "");
    zeile("txt_pd", {7350, 3780, 1065, 315}, 9.75, false, false, "");
    zeile("txt_rhofl", {7350, 3465, 1065, 315}, 9.75, false, false, "");
    zeile("txt_x", {7350, 3150, 1065, 315}, 9.75, false, false, "");
    zeile("txt_absfeu", {7350, 2835, 1065, 315}, 9.75, false, false, "");
    zeile("txt_rf", {7350, 2520, 1065, 315}, 9.75, false, false, "");
    zeile("txt_temkg", {7350, 1995, 1065, 315}, 9.75, false, false, "");
    zeile("txt_temtau", {7350, 1680, 1065, 315}, 9.75, false, false, "");
    zeile("txt_temlu", {7350, 1365, 1065, 315}, 9.75, false, false, "");
    zeile("lbl_Anmerkung", {4680, 630, 4785, 465}, 8.25, false, true,
          "Berechnung lt. Marwold,  Daten zur feuchten Luft - Trock- nungtechnik, "
          "KX-Jahrbuch 1996, S. 128 - 135,  ohne Gewähr");
    zeile("lbl_Fehlermeldung", {630, 5670, 8205, 855}, 11.25, true, false, "");
    zeile("lbl_Aufford_Z5", {2520, 7350, 6105, 330}, 11.25, true, true,
          "werden alle sonstigen, hier aufgeführten Daten errechnet.");
    zeile("lbl_Aufford_Z3a", {1995, 6930, 540, 225}, 11.25, true, true, "oder");
    zeile("lbl_Aufford_Z2a", {1995, 6510, 540, 225}, 11.25, true, true, "oder");
    zeile("lbl_Aufford_Z1", {630, 6090, 2010, 330}, 11.25, true, true, "Nach Eingabe von");
    zeile("lbl_Zeile_L", {1365, 5250, 4845, 300}, 11.25, false, true,
          "Enthalpie der feuchten Luft in kJ / kg tr. Luft");
    zeile("lbl_Zeile_K", {1365, 4935, 5685, 300}, 11.25, false, true,
          "Wasseraufnahmevermögen in kg Wasser / kg tr. Luft");
    zeile("lbl_Zeile_J", {1365, 4620, 5580, 300}, 11.25, false, true,
          "Wasserdampfgehalt im Kühlgrenzzustand in kg / kg");
    zeile("lbl_Zeile_I", {1365, 4095, 3270, 300}, 11.25, false, true,
          "Sättigungspartialdruck in bar");
    zeile("lbl_Zeile_H", {1365, 3780, 5475, 300}, 11.25, false, true,
          "Partialdruck des Wasserdampfes in bar (1000 hPa)");
    zeile("lbl_Zeile_G", {1365, 3465, 3795, 300}, 11.25, false, true,
          "Dichte der feuchten Luft in kg / m³");
    zeile("lbl_Zeile_F", {1365, 3150, 4740, 300}, 11.25, false, true,
          "Wasserdampfgehalt in kg Dampf / kg tr. Luft");
    zeile("lbl_Zeile_E", {1365, 2835, 4320, 300}, 11.25, false, true,
          "Absolute Feuchte in kg Dampf / m³ Luft");
    zeile("lbl_Zeile_D", {1365, 2520, 2430, 300}, 11.25, false, true, "Relative Feuchte in %");
    zeile("lbl_Zeile_C", {1365, 1995, 2955, 300}, 11.25, false, true, "Kühlgrenztemperatur in °C");
    zeile("lbl_Zeile_B", {1365, 1680, 2955, 300}, 11.25, false, true, "Taupunkttemperatur in °C");
    zeile("lbl_Zeile_A", {1365, 1365, 2220, 300}, 11.25, false, true, "Lufttemperatur in °C");
    zeile("lbl_Dunstwerk", {1620, 630, 2520, 375}, 20.25, false, true, "Dunstwerk");
  }

  void startansicht() {
    QFETCH(QRect, twips);
    QFETCH(double, punkt);
    QFETCH(bool, kursiv);
    QFETCH(bool, sichtbar);
    QFETCH(QString, text);
    const QWidget* w = E(QTest::currentDataTag());

    const QRect pixel(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15);
    QCOMPARE(w->geometry(), pixel);
    QCOMPARE(w->isVisible(), sichtbar);

    QCOMPARE(w->font().family(), QStringLiteral("Arial"));
    const QFontInfo info(w->font());
    QVERIFY(!info.family().isEmpty());
    QVERIFY(info.bold());
    QCOMPARE(info.italic(), kursiv);
    QCOMPARE(w->font().pointSizeF(), punkt);

    if (const auto* l = qobject_cast<const QLabel*>(w)) {
      QCOMPARE(l->text(), text);
      QCOMPARE(l->textFormat(), Qt::PlainText);
      QVERIFY(l->wordWrap());
      QCOMPARE(l->focusPolicy(), Qt::NoFocus);
    } else if (const auto* k = qobject_cast<const QPushButton*>(w)) {
      QCOMPARE(k->text(), text);
    } else {
      QCOMPARE(qobject_cast<const QLineEdit*>(w)->text(), text);
    }
  }

  void fenster() {
    QCOMPARE(fenster_->objectName(), QStringLiteral("frm_Dunstwerk"));
    QCOMPARE(fenster_->size(), QSize(641, 516));
    QCOMPARE(fenster_->minimumSize(), fenster_->maximumSize());
    QVERIFY(fenster_->windowTitle().isEmpty());
    QCOMPARE(fenster_->palette().color(QPalette::Window), QColor(255, 255, 192));
    QCOMPARE(fenster_->font().pointSizeF(), 14.25);
    QVERIFY(fenster_->font().bold());
    QVERIFY(!fenster_->windowIcon().pixmap(32, 32).isNull());
    // 39 controls; the picture box takes the focus, labels never do.
    QCOMPARE(fenster_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(), 39);
    QCOMPARE(E("pic_VKR")->geometry(), QRect(21, 45, 37, 28));
    QVERIFY(E("pic_VKR")->focusPolicy() & Qt::TabFocus);
    // The head line must stay clear of the title row.
    QVERIFY(E("lbl_Topzeile")->geometry().bottom() < E("lbl_Dunstwerk")->geometry().top());
  }

  void farben_data() {
    QTest::addColumn<QColor>("farbe");
    const QColor rot(255, 0, 0), blau(0, 0, 255), schwarz(0, 0, 0);
    QTest::newRow("lbl_Fehlermeldung") << rot;
    QTest::newRow("lbl_Topzeile") << blau;
    QTest::newRow("lbl_Dunstwerk") << blau;
    QTest::newRow("lbl_Aufford_Z1") << blau;
    QTest::newRow("lbl_Aufford_Z2a") << blau;
    QTest::newRow("lbl_Aufford_Z3a") << blau;
    QTest::newRow("lbl_Aufford_Z5") << blau;
    QTest::newRow("lbl_Zeile_A") << schwarz;
  }

  void farben() {
    QFETCH(QColor, farbe);
    const QWidget* w = E(QTest::currentDataTag());
    QCOMPARE(w->palette().color(QPalette::WindowText), farbe);
    QCOMPARE(w->palette().color(QPalette::Window), QColor(255, 255, 192));
  }

  void textfelderTragenIhreZeile_data() {
    QTest::addColumn<QString>("zeile");
    QTest::newRow("txt_temlu") << "lbl_Zeile_A";
    QTest::newRow("txt_temtau") << "lbl_Zeile_B";
    QTest::newRow("txt_temkg") << "lbl_Zeile_C";
    QTest::newRow("txt_rf") << "lbl_Zeile_D";
    QTest::newRow("txt_absfeu") << "lbl_Zeile_E";
    QTest::newRow("txt_x") << "lbl_Zeile_F";
    QTest::newRow("txt_rhofl") << "lbl_Zeile_G";
    QTest::newRow("txt_pd") << "lbl_Zeile_H";
    QTest::newRow("txt_psatt") << "lbl_Zeile_I";
    QTest::newRow("txt_xkg") << "lbl_Zeile_J";
    QTest::newRow("txt_xkgminusx") << "lbl_Zeile_K";
    QTest::newRow("txt_h1") << "lbl_Zeile_L";
  }

  void textfelderTragenIhreZeile() {
    QFETCH(QString, zeile);
    const QWidget* feld = E(QTest::currentDataTag());
    const auto* label = E<QLabel>(zeile.toLatin1().constData());
    QCOMPARE(feld->accessibleName(), label->text());
    QCOMPARE(feld->y(), label->y());
  }

  void eingabeansicht_data() {
    QTest::addColumn<int>("modus");
    QTest::newRow("mode 1") << 1;
    QTest::newRow("mode 2") << 2;
    QTest::newRow("mode 3") << 3;
  }

  void eingabeansicht() {
    QFETCH(int, modus);
    Klick(fenster_.get(), kModusKnopf[modus]);
    PruefeEingabeansicht(modus);
    // 7000 twips make 467 pixels; the offscreen window has no frame. The
    // command row stays in view, the last prompt line does not.
    QCOMPARE(fenster_->frameGeometry().height(), 467);
    QCOMPARE(fenster_->width(), 641);
    QVERIFY(fenster_->rect().contains(E("cmd_rechne")->geometry()));
    QVERIFY(fenster_->rect().contains(E("cmd_beenden")->geometry()));
    QVERIFY(!fenster_->rect().intersects(E("lbl_Aufford_Z5")->geometry()));
  }

  void vollstaendigerLauf_data() {
    QTest::addColumn<QLocale>("sprache");
    QTest::addColumn<int>("modus");
    QTest::addColumn<QString>("temlu");
    QTest::addColumn<QString>("zweites");
    QTest::addColumn<QStringList>("erwartet");  // name=text pairs

    QTest::newRow("mode 1 de") << kDeutsch << 1 << "20"
                               << "50"
                               << QStringList{"txt_temlu=20,00", "txt_rf=50,00",  "txt_temtau=9,28",
                                              "txt_temkg=13,75", "txt_x=0,00737", "txt_h1=38,8"};
    QTest::newRow("mode 1 en") << kEnglisch << 1 << "20"
                               << "50"
                               << QStringList{"txt_temlu=20.00", "txt_rf=50.00",  "txt_temtau=9.28",
                                              "txt_temkg=13.75", "txt_x=0.00737", "txt_h1=38.8"};
    QTest::newRow("mode 2 de") << kDeutsch << 2 << "20"
                               << "13,8"
                               << QStringList{"txt_temlu=20,00", "txt_temkg=13,80", "txt_rf=50,38",
                                              "txt_h1=38,9"};
    QTest::newRow("mode 2 en, point typed")
        << kEnglisch << 2 << "20"
        << "13.8"
        << QStringList{"txt_temlu=20.00", "txt_temkg=13.80", "txt_rf=50.38", "txt_h1=38.9"};
    QTest::newRow("mode 3 de") << kDeutsch << 3 << "20"
                               << "0,0073702"
                               << QStringList{"txt_temlu=20,00", "txt_x=0,00737", "txt_rf=50,00"};
    QTest::newRow("mode 3 en") << kEnglisch << 3 << "20"
                               << "0.0073702"
                               << QStringList{"txt_temlu=20.00", "txt_x=0.00737", "txt_rf=50.00"};
  }

  void vollstaendigerLauf() {
    QFETCH(QLocale, sprache);
    QFETCH(int, modus);
    QFETCH(QString, temlu);
    QFETCH(QString, zweites);
    QFETCH(QStringList, erwartet);
    QLocale::setDefault(sprache);

    Rechne(modus, temlu, zweites);

    QVERIFY(pausen_.empty());
    for (const QString& paar : erwartet) {
      const QStringList teile = paar.split('=');
      QCOMPARE(E<QLineEdit>(teile[0].toLatin1().constData())->text(), teile[1]);
    }
    for (const char* name : kErgebnisfelder)
      QVERIFY2(E(name)->isVisible() && !E<QLineEdit>(name)->text().isEmpty(), name);
    // Water uptake is shown as xkg - x.
    const QChar trenner = sprache.decimalPoint().at(0);
    const auto& z = fenster_->Kern().zustand;
    QCOMPARE(E<QLineEdit>("txt_xkgminusx")->text(),
             QString::number(z.xkg - z.x, 'f', 5).replace('.', trenner));
    QCOMPARE(SichtbareKinder(fenster_.get(), "cmd_"), Sortiert({"cmd_neustart", "cmd_beenden"}));
    QVERIFY(!E("lbl_Fehlermeldung")->isVisible());
    QCOMPARE(fenster_->Kern().Fehlercode, 0);
  }

  // Every way a calculation can fail: the text stands during the pause,
  // then the same mode's input view returns with empty boxes.
  void fehlerpfade_data() {
    QTest::addColumn<int>("modus");
    QTest::addColumn<QString>("temlu");
    QTest::addColumn<QString>("zweites");
    QTest::addColumn<QString>("meldung");

    const QString negativ = QString::fromUtf8("Lufttemperatur in °C muss positiv sein !");
    QTest::newRow("missing second input") << 1 << "20"
                                          << ""
                                          << "Eingaben fehlen !";
    QTest::newRow("missing air temperature") << 3 << ""
                                             << "0,007"
                                             << "Eingaben fehlen !";
    QTest::newRow("blanks are not missing, read as 0")
        << 1 << "  "
        << "0" << QString::fromUtf8("\nRelative Feuchte ist ungültig !");
    QTest::newRow("humidity above 100")
        << 1 << "20"
        << "100,01" << QString::fromUtf8("\nRelative Feuchte ist ungültig !");
    QTest::newRow("negative and humidity")
        << 1 << "-5"
        << "120" << negativ + QString::fromUtf8("\nRelative Feuchte ist ungültig !");
    QTest::newRow("negative alone") << 1 << "-5"
                                    << "50" << negativ;
    QTest::newRow("vapour pressure too high") << 1 << "100"
                                              << "100"
                                              << "Dampfdruck zu hoch, numerisch nicht erfasst.";
    QTest::newRow("wet-bulb equals air")
        << 2 << "20"
        << "20" << QString::fromUtf8("\nKühlgrenztemperatur ist zu groß !");
    QTest::newRow("negative and wet-bulb")
        << 2 << "-5"
        << "0" << negativ + QString::fromUtf8("\nKühlgrenztemperatur ist zu groß !");
    QTest::newRow("dry air") << 2 << "20"
                             << "-20"
                             << "\nDie Luft ist trocken oder allg. Fehler !";
    QTest::newRow("vapour content too high") << 3 << "20"
                                             << "10,5"
                                             << "\nDer Dampfgehalt ist unrealistisch !";
    QTest::newRow("supersaturated")
        << 3 << "20"
        << "10" << QString::fromUtf8("\nDie Luft ist übersättigt oder allg. Fehler !");
  }

  void fehlerpfade() {
    QFETCH(int, modus);
    QFETCH(QString, temlu);
    QFETCH(QString, zweites);
    QFETCH(QString, meldung);

    Rechne(modus, temlu, zweites);

    QCOMPARE(pausen_.size(), std::size_t{1});
    QCOMPARE(pausen_[0].millisekunden, 5000);
    QVERIFY(pausen_[0].meldungSichtbar);
    QVERIFY(!pausen_[0].rechneSichtbar);
    QCOMPARE(pausen_[0].meldung, meldung);
    PruefeEingabeansicht(modus);
    for (const char* name : {"txt_temlu", "txt_temkg", "txt_rf", "txt_x"})
      QVERIFY2(E<QLineEdit>(name)->text().isEmpty(), name);
    QCOMPARE(fenster_->Kern().Fehlercode, 0);
    QCOMPARE(fenster_->frameGeometry().height(), 467);
  }

  void neustartBehaeltModus_data() { eingabeansicht_data(); }

  void neustartBehaeltModus() {
    QFETCH(int, modus);
    const QString zweites[] = {"", "50", "13,8", "0,0073702"};
    Rechne(modus, "20", zweites[modus]);
    QVERIFY(E("cmd_neustart")->isVisible());

    Klick(fenster_.get(), "cmd_neustart");

    PruefeEingabeansicht(modus);
    for (const char* name : {"txt_temlu", "txt_temkg", "txt_rf", "txt_x"})
      QVERIFY2(E<QLineEdit>(name)->text().isEmpty(), name);
    // The mode choice never comes back.
    QVERIFY(SichtbareKinder(fenster_.get(), "cmd_Rechn").isEmpty());
    QCOMPARE(fenster_->frameGeometry().height(), 467);

    // And a second run in the same mode works.
    Tippe(fenster_.get(), "txt_temlu", "20");
    Tippe(fenster_.get(), kZweitesFeld[modus], zweites[modus]);
    Klick(fenster_.get(), "cmd_rechne");
    QCOMPARE(E<QLineEdit>("txt_temlu")->text(), QStringLiteral("20,00"));
  }

  void tabfolge_data() {
    QTest::addColumn<int>("modus");  // 0: start view; 4: results of mode 1
    QTest::addColumn<QStringList>("folge");
    QTest::newRow("start") << 0
                           << QStringList{"cmd_Rechn_1", "cmd_Rechn_2", "cmd_Rechn_3", "pic_VKR"};
    QTest::newRow("mode 1") << 1 << QStringList{"txt_temlu", "txt_rf", "cmd_rechne", "pic_VKR"};
    QTest::newRow("mode 2") << 2 << QStringList{"txt_temlu", "txt_temkg", "cmd_rechne", "pic_VKR"};
    QTest::newRow("mode 3") << 3 << QStringList{"txt_temlu", "txt_x", "cmd_rechne", "pic_VKR"};
    QStringList ergebnisse;
    for (const char* name : kErgebnisfelder) ergebnisse << name;
    QTest::newRow("results") << 4
                             << ergebnisse + QStringList{"cmd_neustart", "cmd_beenden", "pic_VKR"};
  }

  void tabfolge() {
    QFETCH(int, modus);
    QFETCH(QStringList, folge);
    Aktivieren();
    if (modus == 4)
      Rechne(1, "20", "50");
    else if (modus > 0)
      Klick(fenster_.get(), kModusKnopf[modus]);
    E(folge.first().toLatin1().constData())->setFocus(Qt::OtherFocusReason);

    QStringList besucht;
    for (qsizetype i = 0; i <= folge.size(); ++i) {
      besucht << QApplication::focusWidget()->objectName();
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(besucht, folge + QStringList{folge.first()});
  }

  void tastenDrueckenKnopf_data() {
    QTest::addColumn<int>("taste");
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("Enter") << int(Qt::Key_Enter);
    QTest::newRow("Space") << int(Qt::Key_Space);
  }

  void tastenDrueckenKnopf() {
    QFETCH(int, taste);
    Aktivieren();
    auto* knopf = E("cmd_Rechn_2");
    knopf->setFocus(Qt::TabFocusReason);
    QTest::keyClick(knopf, Qt::Key(taste));
    PruefeEingabeansicht(2);

    Tippe(fenster_.get(), "txt_temlu", "20");
    Tippe(fenster_.get(), "txt_temkg", "13,8");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), E("cmd_rechne"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(taste));
    QCOMPARE(E<QLineEdit>("txt_rf")->text(), QStringLiteral("50,38"));
  }

  void beendenEndetProgramm() {
    Rechne(1, "20", "50");
    QTimer::singleShot(0, this, [this] { Klick(fenster_.get(), "cmd_beenden"); });
    QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); });
    QCOMPARE(QCoreApplication::exec(), 0);
  }
};

QTEST_MAIN(FensterTest)
#include "fenster_test.moc"
