#include "desktop/qt_translation.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

namespace orva {
namespace {

TEST(QtTranslationTest, MessageBoxAndFileDialogTextsAreJapanese) {
  const QString file =
      QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_ja.qm");
  if (!QFile::exists(file)) {
    GTEST_SKIP() << "Qt's Japanese translation is not installed (" << file.toStdString()
                 << "); tools/bootstrap installs it";
  }
  QTranslator* translator = InstallQtJapaneseTranslation(*QApplication::instance());
  ASSERT_NE(translator, nullptr);
  QString cancel, fileNameLabel;
  {
    QMessageBox box(QMessageBox::NoIcon, "t", "x", QMessageBox::Ok | QMessageBox::Cancel);
    cancel = box.button(QMessageBox::Cancel)->text();
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (auto* label = dialog.findChild<QLabel*>("fileNameLabel")) fileNameLabel = label->text();
  }
  QCoreApplication::removeTranslator(translator);
  delete translator;
  EXPECT_EQ(cancel, QString::fromUtf8("キャンセル"));
  EXPECT_TRUE(fileNameLabel.contains(QString::fromUtf8("ファイル名")))
      << fileNameLabel.toStdString();
}

}  // namespace
}  // namespace orva
