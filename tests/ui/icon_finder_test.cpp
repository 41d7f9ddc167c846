#include "grids/icon_finder.h"

#include <gtest/gtest.h>

#include <QImage>

#include "desktop/host_path_text.h"
#include "support/hostile_files.h"
#include "support/install_tree.h"

namespace orva {
namespace {

// Icons are read through the program's own bounded reads: a file too large for an icon,
// or a small one that decodes into a huge picture, leaves the row without an icon, and a
// large picture is kept at icon size.
TEST(IconFinderTest, IconsStayWithinTheirBounds) {
  test::InstallTree tree;
  const auto save = [&](const QImage& image, const char* name) {
    const std::filesystem::path host = tree.Host(std::string("C:\\VORDELN\\icon\\") + name);
    std::filesystem::create_directories(host.parent_path());
    ASSERT_TRUE(image.save(HostPathText(host), "PNG"));
  };
  QImage wide(600, 300, QImage::Format_RGB32);
  wide.fill(Qt::blue);
  save(wide, "wide.png");
  QImage vast(12000, 12000, QImage::Format_Mono);  // a small file, 18 MB once decoded
  vast.fill(0);
  save(vast, "vast.png");
  test::MakeSparse(tree.Host("C:\\VORDELN\\icon\\huge.png"), std::uintmax_t{5} << 20);

  IconFinder icons(tree.Files(), "C:\\VORDELN\\icon\\", "C:\\VORDELN\\");
  EXPECT_EQ(icons.Find("wide.png").Picture().size(), QSize(256, 128));
  EXPECT_TRUE(icons.Find("vast.png").IsNull());
  EXPECT_TRUE(icons.Find("huge.png").IsNull());
}

}  // namespace
}  // namespace orva
