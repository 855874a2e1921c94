// Dunstwerk: state of moist air at 1 bar.
#include <QApplication>

#include "ui/qt/frm_dunstwerk.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Dunstwerk"));
  QApplication::setApplicationVersion(QStringLiteral("1.00"));

  dunstwerk::frm_Dunstwerk fenster;
  fenster.show();
  return QApplication::exec();
}
