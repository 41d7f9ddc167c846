// The floor for the launcher's cold start: a Qt Widgets program that shows one main window
// holding one empty table view, about the size of the launcher's designed window.
#include <QApplication>
#include <QMainWindow>
#include <QTableView>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle("bare");
  window.setCentralWidget(new QTableView(&window));
  window.resize(527, 280);
  window.show();
  return app.exec();
}
