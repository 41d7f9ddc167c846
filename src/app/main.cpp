#include <QApplication>

int main(int argc, char** argv) {
  Q_INIT_RESOURCE(icons);
  QApplication app(argc, argv);
  return 0;
}
