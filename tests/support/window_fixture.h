#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <memory>
#include <string>
#include <string_view>

#include "app/launcher_window.h"
#include "catalogue/categories.h"
#include "catalogue/install_paths.h"
#include "desktop/host_path_text.h"
#include "support/install_tree.h"
#include "support/scripted_desktop.h"

namespace orva::test {

inline constexpr const char* kMenuIni = "C:\\VORDELN\\MENU.INI";
inline constexpr const char* kUserIni = "C:\\VORDELN\\USERMENU.INI";
inline constexpr const char* kViewIni = "C:\\VORDELN\\dMENU.INI";

// A program's title in the combined grid: its name and its category's label.
inline QString CombinedTitle(const char* name, int category) {
  return QString::fromUtf8(name) + QString::fromUtf8(CategoryAt(category).label);
}

// A suite of six items, one of them not installed, with an icon, on a temporary drive C.
class WindowFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    tree.WriteText(kMenuIni,
                   CatalogueLine("12501", "平成25年度", "VORDELN\\p25\\prog.exe", "a.png") +
                       CatalogueLine("12601", "平成26年度 前期第1版 (H26/4)",
                                     "VORDELN\\p26\\prog.exe", "a.png", "DIR.TXT", "DATA\\") +
                       CatalogueLine("12602", "平成26年度 後期", "VORDELN\\missing.exe") +
                       CatalogueLine("22601", "農林26", "VORDELN\\n26.exe") +
                       CatalogueLine("21501", "農林15", "VORDELN\\n15.exe") +
                       CatalogueLine("61001", "実行予算", "VORDELN\\j.exe", "nowhere.png"));
    for (const char* exe : {"p25\\prog.exe", "p26\\prog.exe", "n26.exe", "n15.exe", "j.exe"}) {
      tree.Touch(std::string("C:\\VORDELN\\") + exe);
    }
    QImage icon(32, 32, QImage::Format_RGB32);
    icon.fill(Qt::red);
    std::filesystem::create_directories(tree.Host("C:\\VORDELN\\icon\\"));
    icon.save(HostPathText(tree.Host("C:\\VORDELN\\icon\\a.png")));
  }

  std::unique_ptr<LauncherWindow> Start() {
    auto window =
        std::make_unique<LauncherWindow>(desktop, tree.Files(), ResolveInstallPaths("C:\\VORDELN"));
    result = window->Startup();
    return window;
  }

  std::string Bytes(std::string_view utf8) { return *tree.Codec().Encode(utf8); }

  // The user file a close writes for the suite above, nothing changed.
  std::string UnchangedUserMenu() {
    return Bytes(
        "\"12501\",\"平成25年度\",\"C:\\VORDELN\\p25\\prog.exe\",\"a.png\",\"\",\"\"\r\n"
        "\"12601\",\"平成26年度 前期第1版 (H26/4)\",\"C:\\VORDELN\\p26\\prog.exe\","
        "\"a.png\",\"DIR.TXT\",\"DATA\\\"\r\n"
        "\"12602\",\"平成26年度 後期\",\"C:\\VORDELN\\missing.exe\",\"\",\"\",\"\"\r\n"
        "\"21501\",\"農林15\",\"C:\\VORDELN\\n15.exe\",\"\",\"\",\"\"\r\n"
        "\"22601\",\"農林26\",\"C:\\VORDELN\\n26.exe\",\"\",\"\",\"\"\r\n"
        "\"61001\",\"実行予算\",\"C:\\VORDELN\\j.exe\",\"nowhere.png\",\"\",\"\"\r\n");
  }

  QString HostText(std::string_view windowsPath) const {
    return HostPathText(tree.Host(windowsPath));
  }

  InstallTree tree;
  ScriptedDesktop desktop;
  Result<void> result;
};

}  // namespace orva::test
