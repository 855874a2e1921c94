// Small helpers the Qt window tests share: find controls by their names from
// the layout table, click, type.
#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWidget>
#include <string_view>

#include "ui/layout.h"

namespace dunstwerk::test {

inline QString Name(Element e) {
  const std::string_view n = kSteuerelemente[e].name;
  return QString::fromUtf8(n.data(), qsizetype(n.size()));
}

template <class T = QWidget>
T* Kontrolle(const QWidget* fenster, std::string_view name) {
  auto* w = fenster->findChild<T*>(Name(ElementVon(name)));
  if (!w) qFatal("control %.*s missing", int(name.size()), name.data());
  return w;
}

inline void Klick(const QWidget* fenster, std::string_view name) {
  QTest::mouseClick(Kontrolle<QPushButton>(fenster, name), Qt::LeftButton);
}

inline void Tippe(const QWidget* fenster, std::string_view name, const QString& text) {
  QTest::keyClicks(Kontrolle<QLineEdit>(fenster, name), text);
}

// Picks the mode (1 to 3, as on the buttons), types both inputs and presses
// "Rechne !".
inline void Rechne(const QWidget* fenster, int modus, const QString& temlu,
                   const QString& zweites) {
  const Modus& m = kModi[std::size_t(modus - 1)];
  Klick(fenster, kSteuerelemente[m.knopf].name);
  Tippe(fenster, "txt_temlu", temlu);
  Tippe(fenster, kSteuerelemente[m.zweitesFeld].name, zweites);
  Klick(fenster, "cmd_rechne");
}

}  // namespace dunstwerk::test
