// Small helpers the Qt window tests share: find controls by name, click, type.
#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWidget>

namespace dunstwerk::test {

template <class T = QWidget>
T* Kontrolle(const QWidget* fenster, const char* name) {
  auto* w = fenster->findChild<T*>(QLatin1String(name));
  if (!w) qFatal("control %s missing", name);
  return w;
}

inline void Klick(const QWidget* fenster, const char* name) {
  QTest::mouseClick(Kontrolle<QPushButton>(fenster, name), Qt::LeftButton);
}

inline void Tippe(const QWidget* fenster, const char* name, const QString& text) {
  QTest::keyClicks(Kontrolle<QLineEdit>(fenster, name), text);
}

inline const char* const kModusKnopf[] = {nullptr, "cmd_Rechn_1", "cmd_Rechn_2", "cmd_Rechn_3"};
inline const char* const kZweitesFeld[] = {nullptr, "txt_rf", "txt_temkg", "txt_x"};

inline const char* const kErgebnisnamen[] = {"txt_temlu",  "txt_temtau", "txt_temkg",     "txt_rf",
                                             "txt_absfeu", "txt_x",      "txt_rhofl",     "txt_pd",
                                             "txt_psatt",  "txt_xkg",    "txt_xkgminusx", "txt_h1"};

}  // namespace dunstwerk::test
