#include "platform/qt_translation.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

namespace orva {
namespace {

TEST(QtTranslationTest, MessageBoxButtonsAreJapanese) {
  const QString file =
      QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_ja.qm");
  if (!QFile::exists(file)) {
    GTEST_SKIP() << "Qt's Japanese translation is not installed (" << file.toStdString()
                 << "); tools/bootstrap installs it";
  }
  QTranslator* translator = InstallQtJapaneseTranslation(*QApplication::instance());
  ASSERT_NE(translator, nullptr);
  QString cancel;
  {
    QMessageBox box(QMessageBox::NoIcon, "t", "x", QMessageBox::Ok | QMessageBox::Cancel);
    cancel = box.button(QMessageBox::Cancel)->text();
  }
  QCoreApplication::removeTranslator(translator);
  delete translator;
  EXPECT_EQ(cancel, QString::fromUtf8("キャンセル"));
}

}  // namespace
}  // namespace orva
