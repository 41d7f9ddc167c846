#include "widgets/installed_family.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontDatabase>

namespace orva {
namespace {

const QString kMissing = QStringLiteral("No Such Family 7f3a");

TEST(InstalledFamilyTest, NamesTheFirstInstalledFamilyAlone) {
  const QStringList installed = QFontDatabase::families();
  if (installed.isEmpty()) GTEST_SKIP() << "no font is installed";
  // The font database matches family names whatever their case.
  const QString wanted = installed.last().toUpper();
  QFont font;
  SetFirstInstalledFamily(font, {kMissing, wanted, installed.first()});
  EXPECT_EQ(font.families(), QStringList{wanted});
}

TEST(InstalledFamilyTest, KeepsEveryFamilyWhenNoneIsInstalled) {
  const QStringList wanted{kMissing, QStringLiteral("Nor This One 7f3b")};
  QFont font;
  SetFirstInstalledFamily(font, wanted);
  EXPECT_EQ(font.families(), wanted);
}

}  // namespace
}  // namespace orva
