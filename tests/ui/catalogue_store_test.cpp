#include "app/catalogue_store.h"

#include <gtest/gtest.h>

#include <QImage>

#include "catalogue/install_paths.h"
#include "desktop/host_path_text.h"
#include "support/install_tree.h"

namespace orva {
namespace {

// The first reading runs on a thread of its own and decodes its icons only once the
// application stands. It must end in every case: told so or not, and when the store goes
// before any window was made (a start-up that ends early must not hang on its way out).
class CatalogueStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tree.WriteText("C:\\VORDELN\\MENU.INI",
                   test::CatalogueLine("11111", "a", "VORDELN\\a.exe", "a.png"));
    tree.Touch("C:\\VORDELN\\a.exe");
    const std::filesystem::path icon = tree.Host("C:\\VORDELN\\icon\\a.png");
    std::filesystem::create_directories(icon.parent_path());
    QImage picture(16, 16, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(HostPathText(icon), "PNG"));
  }

  test::InstallTree tree;
  const InstallPaths paths = ResolveInstallPaths("C:\\VORDELN");
};

TEST_F(CatalogueStoreTest, ReadingEndsWithItsIconsWhenItsEndIsAskedFor) {
  CatalogueStore store(tree.Files(), paths);
  store.StartFirstReading();
  EXPECT_EQ(store.FinishFirstReading(), err::kNone);
  const MenuRows rows = store.TakeRows();
  ASSERT_TRUE(rows.Of(1, 1).installed);
  ASSERT_NE(rows.Of(1, 1).icon, nullptr);
  EXPECT_EQ(rows.Of(1, 1).icon->Picture().size(), QSize(16, 16));
}

TEST_F(CatalogueStoreTest, StoreDroppedBeforeAnyWindowEndsItsReading) {
  auto store = std::make_unique<CatalogueStore>(tree.Files(), paths);
  store->StartFirstReading();
  store.reset();  // returns: the reading gives up its icons instead of waiting for them
  SUCCEED();
}

}  // namespace
}  // namespace orva
