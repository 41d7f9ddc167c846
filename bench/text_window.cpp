// The bare window of bare_window.cpp showing about the text of the launcher's first screen
// on the demo suite, in the launcher's font: two rows of menu captions and seven rows of a
// program's title, the works-list caption and its path, drawn by Qt's own item view. What
// it costs over the bare window is what drawing that text costs any Qt program.
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>
#include <iterator>

#include "widgets/installed_family.h"

namespace {

constexpr const char* kMenuRows[] = {
    "終了(X)　画面切替(S)　表示設定(D)　機能(U)　遠隔操作(R)",
    "最新データアッブデート　ホームページ(O)　ヘルプ(H)",
};

struct ShownProgram {
  const char* title;
  const char* path;
};

constexpr ShownProgram kPrograms[] = {
    {"平成30年度 後期版 (H30/10) 土木積算", "C:\\VORDELN\\DOBOKU\\H30B\\doboku.exe"},
    {"平成28年度版 (H28/4) 港湾積算", "C:\\VORDELN\\KOWAN\\H28\\kowan.exe"},
    {"平成21年度版 (H21/4) 水道積算", "C:\\VORDELN\\SUIDO\\H21\\suido.exe"},
    {"令和6年度 前期版 (R6/4) 土木積算", "C:\\VORDELN\\DOBOKU\\R06\\doboku.exe"},
    {"令和6年度版 (R6/4) 農林積算", "C:\\VORDELN\\NORIN\\R06\\norin.exe"},
    {"令和6年度版 (R6/4) 港湾積算", "C:\\VORDELN\\KOWAN\\R06\\kowan.exe"},
    {"実行予算 令和6年版 (R6/4) 実行予算", "C:\\VORDELN\\JIKKO\\R06\\jikko.exe"},
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle("text");
  QFont font;
  orva::SetSuiteFont(font, {"IPAPGothic", "Noto Sans CJK JP"}, 9);
  window.setFont(font);

  auto* central = new QWidget(&window);
  auto* layout = new QVBoxLayout(central);
  for (const char* row : kMenuRows) layout->addWidget(new QLabel(QString::fromUtf8(row), central));
  auto* view = new QTableView(central);
  auto* model = new QStandardItemModel(static_cast<int>(std::size(kPrograms)), 3, view);
  for (int row = 0; row < model->rowCount(); ++row) {
    model->setItem(row, 0, new QStandardItem(QString::fromUtf8(kPrograms[row].title)));
    model->setItem(row, 1, new QStandardItem(QString::fromUtf8("工事一覧")));
    model->setItem(row, 2, new QStandardItem(QString::fromUtf8(kPrograms[row].path)));
  }
  view->setModel(model);
  view->horizontalHeader()->hide();
  view->verticalHeader()->hide();
  view->setColumnWidth(0, 355);
  view->setColumnWidth(1, 60);
  layout->addWidget(view);
  window.setCentralWidget(central);
  window.resize(527, 280);
  window.show();
  return app.exec();
}
