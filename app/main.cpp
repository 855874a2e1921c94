// Dunstwerk: state of moist air at 1 bar.
#include <QApplication>

#include "ui/qt/frm_dunstwerk.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Dunstwerk"));
  QApplication::setApplicationVersion(QStringLiteral(DUNSTWERK_VERSION));
  // Ties the window to its menu entry on Wayland.
  QGuiApplication::setDesktopFileName(QStringLiteral("de.dunstwerk.Dunstwerk"));

  dunstwerk::frm_Dunstwerk fenster;
  fenster.show();
  return QApplication::exec();
}
