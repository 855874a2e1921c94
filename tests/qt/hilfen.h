// What the Qt window tests share: controls found by their names from the
// layout table, and a run as a user types it.
#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWidget>
#include <string_view>

#include "ui/layout.h"

namespace dunstwerk::test {

template <class T = QWidget>
T* Kontrolle(const QWidget* fenster, std::string_view name) {
  auto* w = fenster->findChild<T*>(QString::fromUtf8(name.data(), qsizetype(name.size())));
  if (!w) qFatal("control %.*s missing", int(name.size()), name.data());
  return w;
}

// Picks the mode (1 to 3, as on the buttons), types both inputs and presses
// "Rechne !".
inline void Rechne(const QWidget* fenster, int modus, const QString& temlu,
                   const QString& zweites) {
  const Modus& m = kModi[std::size_t(modus - 1)];
  QTest::mouseClick(Kontrolle<QPushButton>(fenster, kSteuerelemente[m.knopf].name), Qt::LeftButton);
  QTest::keyClicks(Kontrolle<QLineEdit>(fenster, "txt_temlu"), temlu);
  QTest::keyClicks(Kontrolle<QLineEdit>(fenster, kSteuerelemente[m.zweitesFeld].name), zweites);
  QTest::mouseClick(Kontrolle<QPushButton>(fenster, "cmd_rechne"), Qt::LeftButton);
}

}  // namespace dunstwerk::test
