// Writes pictures of the Qt window's views for a person to look at: start,
// input, results and two error texts, in German and English.
//
//   QT_QPA_PLATFORM=offscreen build/tools/qt_bildschirmfotos build/screenshots [dunkel]
//
// With "dunkel" the pictures show the window under a dark colour scheme.
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPalette>
#include <QPushButton>
#include <QTest>
#include <cstdio>

#include "ui/qt/frm_dunstwerk.h"

namespace {

template <class T = QWidget>
T* E(const QWidget& fenster, const char* name) {
  return fenster.findChild<T*>(QLatin1String(name));
}

void Klick(const QWidget& f, const char* name) { E<QPushButton>(f, name)->click(); }
void Tippe(const QWidget& f, const char* name, const char* text) {
  QTest::keyClicks(E<QLineEdit>(f, name), QString::fromUtf8(text));
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const QDir ordner(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots"));
  if (!ordner.mkpath(QStringLiteral("."))) return 1;
  const bool dunkel = argc > 2 && QString::fromLocal8Bit(argv[2]) == QStringLiteral("dunkel");
  if (dunkel) {
    QApplication::setStyle(QStringLiteral("Fusion"));
    QPalette schema;
    schema.setColor(QPalette::Window, QColor(53, 53, 53));
    schema.setColor(QPalette::WindowText, Qt::white);
    schema.setColor(QPalette::Base, QColor(35, 35, 35));
    schema.setColor(QPalette::Text, Qt::white);
    schema.setColor(QPalette::Button, QColor(53, 53, 53));
    schema.setColor(QPalette::ButtonText, Qt::white);
    QApplication::setPalette(schema);
  }
  const QString vorsilbe = dunkel ? QStringLiteral("qt_dunkel") : QStringLiteral("qt");
  int fehler = 0;
  for (const auto& [tag, sprache] : {std::pair{"de", QLocale(QLocale::German, QLocale::Germany)},
                                     std::pair{"en", QLocale(QLocale::English)}}) {
    QLocale::setDefault(sprache);
    dunstwerk::frm_Dunstwerk fenster;
    fenster.show();
    (void)QTest::qWaitForWindowExposed(&fenster);
    auto foto = [&](const char* name) {
      const QString pfad = ordner.filePath(QStringLiteral("%1_%2_%3.png").arg(vorsilbe, name, tag));
      if (!fenster.grab().save(pfad)) ++fehler;
      std::printf("%s\n", qPrintable(pfad));
    };
    foto("start");
    Klick(fenster, "cmd_Rechn_1");
    Tippe(fenster, "txt_temlu", "20");
    Tippe(fenster, "txt_rf", "50");
    foto("eingabe");
    Klick(fenster, "cmd_rechne");
    foto("ergebnis");
    Klick(fenster, "cmd_neustart");
    Tippe(fenster, "txt_temlu", "-5");
    Tippe(fenster, "txt_rf", "120");
    Klick(fenster, "cmd_rechne");
    foto("fehler");
    fenster.PauseBeenden();
  }
  return fehler;
}
