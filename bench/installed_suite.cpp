#include "bench/installed_suite.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <algorithm>

#include "bench/bench_data.h"
#include "platform/cp932_codec.h"

namespace orva::bench {

InstalledSuite::InstalledSuite(int categories, int perCategory)
    : paths(ResolveInstallPaths("C:\\VORDELN")) {
  Cp932Codec codec;
  prefix.Write(paths.menuIniPath, *codec.Encode(BuildCatalogue(categories, perCategory, "")));
  prefix.Write(paths.userMenuIniPath,
               *codec.Encode(BuildCatalogue(categories, perCategory, paths.driveRoot)));
  prefix.Write("C:\\VORDELN\\vekup.exe", "x");
  for (int category = 1; category <= categories; ++category) {
    for (int edition = 1; edition <= perCategory; ++edition) {
      prefix.Write("C:\\" + EntryExe(category, edition), "x");
    }
  }
  QImage icon(32, 32, QImage::Format_ARGB32);
  for (int index = 0; index < kIconFiles; ++index) {
    icon.fill(QColor::fromHsv(index * 17, 200, 220));
    const std::string windowsPath = paths.iconDir + IconName(index);
    prefix.Write(windowsPath, "");
    icon.save(QString::fromStdString(prefix.Host(windowsPath).string()), "PNG");
  }
  for (int category = 1; category <= categories; ++category) {
    for (int edition = 1; edition <= perCategory; ++edition) {
      testedPaths.push_back(prefix.Host("C:\\" + EntryExe(category, edition)));
    }
  }
  const int icons = std::min(kIconFiles, categories * perCategory);
  for (int index = 0; index < icons; ++index) {
    testedPaths.push_back(prefix.Host(paths.iconDir + IconName(index)));
  }
  testedPaths.push_back(prefix.Host(paths.updaterPath));
}

}  // namespace orva::bench
