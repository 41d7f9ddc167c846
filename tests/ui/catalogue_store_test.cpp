#include "app/catalogue_store.h"

#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

#include "catalogue/install_paths.h"
#include "desktop/host_path_text.h"
#include "platform/file_system.h"
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

// Notes every plain-file test the reading makes; the reading runs on a thread of its own.
class RecordingFiles final : public FileSystem {
 public:
  using FileSystem::FileSystem;
  bool IsPlainFile(std::string_view windowsPath) const override {
    const std::lock_guard<std::mutex> hold(mutex_);
    asked_.emplace_back(windowsPath);
    return FileSystem::IsPlainFile(windowsPath);
  }
  bool Asked(const std::string& windowsPath) const {
    const std::lock_guard<std::mutex> hold(mutex_);
    return std::find(asked_.begin(), asked_.end(), windowsPath) != asked_.end();
  }

 private:
  mutable std::mutex mutex_;
  mutable std::vector<std::string> asked_;
};

TEST_F(CatalogueStoreTest, StoreDroppedBeforeAnyWindowEndsItsReading) {
  const RecordingFiles files(tree.Files().Drives());
  auto store = std::make_unique<CatalogueStore>(files, paths);
  store->StartFirstReading();
  store.reset();  // returns once the reading is over
  // The reading went as far as testing the programs, then gave up the icons instead of
  // waiting for an application that will never stand.
  EXPECT_TRUE(files.Asked("C:\\VORDELN\\a.exe"));
  EXPECT_FALSE(files.Asked("C:\\VORDELN\\icon\\a.png"));
}

}  // namespace
}  // namespace orva
