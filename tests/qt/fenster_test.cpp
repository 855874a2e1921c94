// What the Qt front end adds to the window's behaviour: controls built from
// the layout table, fonts and colours, input routed to the handlers, the tab
// order and keys, readable colours on any scheme, and a few complete runs.
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontInfo>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <functional>
#include <memory>

#include "hilfen.h"
#include "ui/farben.h"
#include "ui/layout.h"
#include "ui/qt/frm_dunstwerk.h"

using dunstwerk::frm_Dunstwerk;
using namespace dunstwerk;
using namespace dunstwerk::test;

namespace {

const QLocale kDeutsch(QLocale::German, QLocale::Germany);
const QLocale kEnglisch(QLocale::English, QLocale::UnitedStates);

QString Qs(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }
Rgb Farbwert(const QColor& c) { return Rgb{c.red(), c.green(), c.blue()}; }

}  // namespace

class FensterTest : public QObject {
  Q_OBJECT

  std::unique_ptr<frm_Dunstwerk> fenster_;

  template <class T = QWidget>
  T* E(std::string_view name) {
    return Kontrolle<T>(fenster_.get(), name);
  }

  void Rechne(int modus, const QString& temlu, const QString& zweites) {
    test::Rechne(fenster_.get(), modus, temlu, zweites);
  }

  // Opens a context menu with `oeffnen`; returns the popup's name and whether
  // its entry was enabled, and chooses the entry when asked to.
  std::pair<QString, bool> Kontextmenue(const std::function<void()>& oeffnen, bool waehlen) {
    std::pair<QString, bool> gesehen;
    QTimer::singleShot(0, this, [&] {
      auto* menue = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (!menue) return;
      QAction* eintrag = menue->actions().value(0);
      gesehen = {menue->objectName(), eintrag && eintrag->isEnabled()};
      if (waehlen && gesehen.second) {
        menue->setActiveAction(eintrag);
        QTest::keyClick(menue, Qt::Key_Return);
      } else {
        menue->close();
      }
    });
    oeffnen();
    // A text box's menu pops up without a loop of its own.
    QCoreApplication::processEvents();
    return gesehen;
  }

  void RechtsklickAuf(std::string_view name) {
    QWidget* w = E(name);
    QContextMenuEvent klick(QContextMenuEvent::Mouse, QPoint(2, 2), w->mapToGlobal(QPoint(2, 2)));
    QCoreApplication::sendEvent(w, &klick);
  }

  static QString Ablage() { return QGuiApplication::clipboard()->text(); }

  void Aktivieren() {
    QApplication::setActiveWindow(fenster_.get());
    QVERIFY(QTest::qWaitForWindowActive(fenster_.get()));
  }

 private slots:
  void init() {
    QLocale::setDefault(kDeutsch);
    fenster_ = std::make_unique<frm_Dunstwerk>();
    fenster_->show();
    QVERIFY(QTest::qWaitForWindowExposed(fenster_.get()));
  }

  void cleanup() { fenster_.reset(); }

  // Every control of the table: place, size, font, caption, visibility and
  // colour; 15 twips make one pixel.
  void startansicht() {
    const QColor systemtext = QApplication::palette().color(QPalette::ButtonText);
    QCOMPARE(fenster_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(),
             qsizetype(kSteuerelemente.size()));
    for (const Steuerelement& s : kSteuerelemente) {
      const QWidget* w = E(s.name);
      const QByteArray name(s.name.data(), qsizetype(s.name.size()));
      QCOMPARE(w->geometry(), QRect(s.links / 15, s.oben / 15, s.breite / 15, s.hoehe / 15));
      QVERIFY2(w->isVisible() == s.sichtbar, name);
      const QFontInfo info(w->font());
      QCOMPARE(w->font().family(), QStringLiteral("Arial"));
      QVERIFY2(info.bold(), name);
      QVERIFY2(info.italic() == s.kursiv, name);
      QCOMPARE(w->font().pointSizeF(), s.punkt);
      if (const auto* l = qobject_cast<const QLabel*>(w)) {
        QCOMPARE(l->text(), Qs(s.text));
        QCOMPARE(l->textFormat(), Qt::PlainText);
        QVERIFY(l->wordWrap());
        QCOMPARE(l->focusPolicy(), Qt::NoFocus);
        QCOMPARE(l->palette().color(QPalette::Window), QColor(255, 255, 192));
        const Rgb farbe = Textfarbe(s.farbe, Farbwert(systemtext));
        QCOMPARE(l->palette().color(QPalette::WindowText), QColor(farbe.r, farbe.g, farbe.b));
      } else if (const auto* k = qobject_cast<const QPushButton*>(w)) {
        QCOMPARE(k->text(), Qs(s.text));
      } else if (const auto* t = qobject_cast<const QLineEdit*>(w)) {
        QVERIFY(t->text().isEmpty());
        // Screen readers announce each box by its row label.
        QCOMPARE(t->accessibleName(), Qs(kSteuerelemente[ElementVon(s.zeile)].text));
      }
    }
    QAccessibleInterface* logo = QAccessible::queryAccessibleInterface(E("pic_VKR"));
    QCOMPARE(logo->text(QAccessible::Name), Qs(kLogoName));
    QCOMPARE(logo->role(), QAccessible::Graphic);
    QVERIFY(E("pic_VKR")->focusPolicy() & Qt::TabFocus);
  }

  void fenster() {
    QCOMPARE(fenster_->objectName(), QStringLiteral("frm_Dunstwerk"));
    QCOMPARE(fenster_->size(), QSize(641, 516));
    QCOMPARE(fenster_->minimumSize(), fenster_->maximumSize());
    QVERIFY(fenster_->windowTitle().isEmpty());
    QCOMPARE(fenster_->palette().color(QPalette::Window), QColor(255, 255, 192));
    QCOMPARE(fenster_->font().pointSizeF(), 14.25);
    QVERIFY(!fenster_->windowIcon().pixmap(32, 32).isNull());

    // A mode choice: 7000 twips make 467 pixels (offscreen has no frame).
    Klick(fenster_.get(), "cmd_Rechn_1");
    QCOMPARE(fenster_->frameGeometry().height(), 467);
    QCOMPARE(fenster_->width(), 641);
    QCOMPARE(QApplication::focusWidget(), E("txt_temlu"));
  }

  // One complete run per mode, typed and clicked, in both separators.
  void vollstaendigerLauf_data() {
    QTest::addColumn<QLocale>("sprache");
    QTest::addColumn<int>("modus");
    QTest::addColumn<QString>("zweites");
    QTest::addColumn<QStringList>("erwartet");  // name=text pairs
    QTest::newRow("mode 1 de") << kDeutsch << 1 << "50"
                               << QStringList{"txt_temlu=20,00", "txt_rf=50,00",  "txt_temtau=9,28",
                                              "txt_temkg=13,75", "txt_x=0,00737", "txt_h1=38,8"};
    QTest::newRow("mode 3 en") << kEnglisch << 3 << "0.0073702"
                               << QStringList{"txt_x=0.00737", "txt_rf=50.00"};
  }

  void vollstaendigerLauf() {
    QFETCH(QLocale, sprache);
    QFETCH(int, modus);
    QFETCH(QString, zweites);
    QFETCH(QStringList, erwartet);
    QLocale::setDefault(sprache);
    fenster_ = std::make_unique<frm_Dunstwerk>();
    fenster_->show();

    Rechne(modus, "20", zweites);

    for (const QString& paar : erwartet) {
      const QStringList teile = paar.split('=');
      QCOMPARE(E<QLineEdit>(teile[0].toStdString())->text(), teile[1]);
    }
    for (Element e : kErgebnisfelder)
      QVERIFY2(E(kSteuerelemente[e].name)->isVisible(), qPrintable(Name(e)));
    QVERIFY(E("cmd_neustart")->isVisible() && E("cmd_beenden")->isVisible());
    QVERIFY(!fenster_->Pausiert());
  }

  // An error: the red text stands, input is held off, and ending the pause
  // brings back the empty input view.
  void fehler() {
    Rechne(1, "-5", "120");
    auto* meldung = E<QLabel>("lbl_Fehlermeldung");
    // Screen readers meet the error as an alert that reads its text.
    QAccessibleInterface* zugang = QAccessible::queryAccessibleInterface(meldung);
    QCOMPARE(zugang->role(), QAccessible::AlertMessage);
    QCOMPARE(zugang->text(QAccessible::Name), meldung->text());
    QVERIFY(fenster_->Pausiert());
    QVERIFY(meldung->isVisible());
    QCOMPARE(meldung->text(), QString::fromUtf8("Lufttemperatur in °C muss positiv sein !\n"
                                                "Relative Feuchte ist ungültig !"));
    // A click that reaches the button in code, not by the user, runs nothing.
    E<QPushButton>("cmd_neustart")->click();
    QVERIFY(meldung->isVisible());

    fenster_->PauseBeenden();
    QVERIFY(!fenster_->Pausiert());
    QVERIFY(!meldung->isVisible());
    QVERIFY(E("cmd_rechne")->isVisible());
    QVERIFY(E<QLineEdit>("txt_temlu")->text().isEmpty());
    QCOMPARE(QApplication::focusWidget(), E("txt_temlu"));
  }

  void tabfolge_data() {
    QTest::addColumn<bool>("ergebnisse");
    QTest::addColumn<QStringList>("folge");
    QTest::newRow("start") << false
                           << QStringList{"cmd_Rechn_1", "cmd_Rechn_2", "cmd_Rechn_3", "pic_VKR"};
    QStringList ergebnisse;
    for (Element e : kErgebnisfelder) ergebnisse << Name(e);
    QTest::newRow("results") << true
                             << ergebnisse + QStringList{"cmd_neustart", "cmd_beenden", "pic_VKR"};
  }

  void tabfolge() {
    QFETCH(bool, ergebnisse);
    QFETCH(QStringList, folge);
    Aktivieren();
    if (ergebnisse) Rechne(1, "20", "50");
    E(folge.first().toStdString())->setFocus(Qt::OtherFocusReason);
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
    E("cmd_Rechn_2")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(taste));
    Tippe(fenster_.get(), "txt_temlu", "20");
    Tippe(fenster_.get(), "txt_temkg", "13,8");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), E("cmd_rechne"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(taste));
    QCOMPARE(E<QLineEdit>("txt_rf")->text(), QStringLiteral("50,38"));
  }

  // Return and the keypad's Enter in a text box run "Rechne !"; the mode
  // chosen by key puts the focus straight into the air temperature, not
  // through the buttons that are hidden on the way.
  void enterRechnet_data() {
    QTest::addColumn<int>("taste");
    QTest::addColumn<int>("modifikator");
    QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
  }

  void enterRechnet() {
    QFETCH(int, taste);
    QFETCH(int, modifikator);
    Aktivieren();
    E("cmd_Rechn_2")->setFocus(Qt::TabFocusReason);
    QStringList fokusweg;
    auto verbindung = connect(qApp, &QApplication::focusChanged, this, [&](QWidget*, QWidget* neu) {
      fokusweg << (neu ? neu->objectName() : QString());
    });
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(taste),
                    Qt::KeyboardModifiers(modifikator));
    disconnect(verbindung);
    QCOMPARE(fokusweg, QStringList{"txt_temlu"});
    Tippe(fenster_.get(), "txt_temlu", "20");
    Tippe(fenster_.get(), "txt_temkg", "13,8");
    QTest::keyClick(E("txt_temkg"), Qt::Key(taste), Qt::KeyboardModifiers(modifikator));
    QCOMPARE(E<QLineEdit>("txt_rf")->text(), QStringLiteral("50,38"));
    // With the results standing, Enter in a box does nothing more.
    QTest::keyClick(E("txt_temkg"), Qt::Key(taste), Qt::KeyboardModifiers(modifikator));
    QVERIFY(E("cmd_neustart")->isVisible());
  }

  // Ctrl+C copies the results where no text is selected, and a selection
  // where there is one.
  void kopierenMitStrgC_data() {
    QTest::addColumn<QString>("fokus");
    QTest::addColumn<bool>("auswahl");
    QTest::addColumn<QString>("erwartet");  // empty: the twelve results
    QTest::newRow("text box") << "txt_temlu" << false << QString();
    QTest::newRow("button") << "cmd_neustart" << false << QString();
    QTest::newRow("selection") << "txt_x" << true << "0,00737";
  }

  void kopierenMitStrgC() {
    QFETCH(QString, fokus);
    QFETCH(bool, auswahl);
    QFETCH(QString, erwartet);
    Aktivieren();
    Rechne(1, "20", "50");
    QGuiApplication::clipboard()->clear();
    QWidget* w = E(fokus.toStdString());
    w->setFocus(Qt::OtherFocusReason);
    if (auswahl) static_cast<QLineEdit*>(w)->selectAll();
    QTest::keyClick(w, Qt::Key_C, Qt::ControlModifier);
    if (!erwartet.isEmpty()) {
      QCOMPARE(Ablage(), erwartet);
      return;
    }
    const QStringList zeilen = Ablage().split(u'\n');
    QCOMPARE(zeilen.size(), 13);  // twelve lines, each ended
    QCOMPARE(zeilen[0], QString::fromUtf8("Lufttemperatur in °C\t20,00"));
    QCOMPARE(zeilen[11],
             QString::fromUtf8("Enthalpie der feuchten Luft in kJ / kg tr. Luft\t38,8"));
    const QString html = QGuiApplication::clipboard()->mimeData()->html();
    QVERIFY(html.contains(QString::fromUtf8("<td>Lufttemperatur in °C</td><td>20,00</td>")));
  }

  // The window's menu: its one entry is disabled until results stand; the
  // text boxes keep their own menus.
  void kopierenUeberDasKontextmenue() {
    Aktivieren();
    auto [name, aktiv] = Kontextmenue([&] { RechtsklickAuf("lbl_Zeile_B"); }, true);
    QCOMPARE(name, QStringLiteral("kontextmenue"));
    QVERIFY(!aktiv);

    Rechne(1, "20", "50");
    QGuiApplication::clipboard()->clear();
    std::tie(name, aktiv) = Kontextmenue([&] { RechtsklickAuf("lbl_Dunstwerk"); }, true);
    QVERIFY(aktiv);
    QVERIFY(Ablage().startsWith(QString::fromUtf8("Lufttemperatur in °C\t20,00\n")));

    // Shift+F10 opens the menu of what has the focus.
    E("cmd_beenden")->setFocus(Qt::OtherFocusReason);
    std::tie(name, aktiv) = Kontextmenue(
        [&] { QTest::keyClick(E("cmd_beenden"), Qt::Key_F10, Qt::ShiftModifier); }, false);
    QCOMPARE(name, QStringLiteral("kontextmenue"));
    QVERIFY(aktiv);
    std::tie(name, aktiv) = Kontextmenue([&] { RechtsklickAuf("txt_x"); }, false);
    QVERIFY(!name.isEmpty());
    QVERIFY(name != QStringLiteral("kontextmenue"));
  }

  void beendenEndetProgramm() {
    Rechne(1, "20", "50");
    QTimer::singleShot(0, this, [this] { Klick(fenster_.get(), "cmd_beenden"); });
    QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); });
    QCOMPARE(QCoreApplication::exec(), 0);
  }

  // Labels in the system's text colour stand on fixed yellow: a dark scheme
  // must not turn them white there; a light one keeps its colour.
  void farbschemata_data() {
    QTest::addColumn<QColor>("systemtext");
    QTest::addColumn<QColor>("erwartet");
    QTest::newRow("dark") << QColor(240, 240, 240) << QColor(0, 0, 0);
    QTest::newRow("light") << QColor(20, 20, 90) << QColor(20, 20, 90);
  }

  void farbschemata() {
    QFETCH(QColor, systemtext);
    QFETCH(QColor, erwartet);
    const QPalette vorher = QApplication::palette();
    QPalette schema = vorher;
    schema.setColor(QPalette::ButtonText, systemtext);
    schema.setColor(QPalette::WindowText, systemtext);
    QApplication::setPalette(schema);
    fenster_ = std::make_unique<frm_Dunstwerk>();
    const QColor zeileB = E("lbl_Zeile_B")->palette().color(QPalette::WindowText);
    const QColor zeileA = E("lbl_Zeile_A")->palette().color(QPalette::WindowText);
    QApplication::setPalette(vorher);
    QCOMPARE(zeileB, erwartet);
    QCOMPARE(zeileA, QColor(0, 0, 0));  // fixed black in every scheme

    // A scheme changed while the window is open applies at once.
    QApplication::setPalette(schema);
    QCOMPARE(E("lbl_Anmerkung")->palette().color(QPalette::WindowText), erwartet);
    QApplication::setPalette(vorher);
  }
};

QTEST_MAIN(FensterTest)
#include "fenster_test.moc"
