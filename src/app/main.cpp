#include <QtGlobal>

#include "app/launcher_app.h"

int main(int argc, char** argv) {
  Q_INIT_RESOURCE(icons);
  return orva::RunLauncher(argc, argv);
}
