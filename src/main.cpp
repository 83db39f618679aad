// korvel: the catalogue of an antique radio collection. It opens the collection named by korvel.ini
// in the current directory and takes no arguments.
#include <QApplication>
#include <QDialog>

#include "app/program.h"
#include "ui/dialogs/qt_dal_host.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Korvel");
  QApplication::setDesktopFileName("korvel");
  korvel::QtDalHost dialogs;
  return korvel::ProgramStart();
}
