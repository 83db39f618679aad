// korvel: the catalogue of an antique radio collection. It opens the collection named by korvel.ini
// in the current directory and takes no arguments.
#include <QApplication>
#include <QDialog>
#include <cstdio>
#include <cstring>

#include "app/program.h"
#include "ui/dialogs/qt_dal_host.h"

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(
          "usage: korvel\n"
          "  opens the radio collection named by korvel.ini in the current directory (a first start\n"
          "  offers a new collection there); the settings and the collection are written only when\n"
          "  you leave with Yes.\n",
          stdout);
      return 0;
    }
  }
  QApplication application(argc, argv);
  QApplication::setApplicationName("Korvel");
  QApplication::setDesktopFileName("korvel");
  korvel::QtDalHost dialogs;
  return korvel::ProgramStart();
}
