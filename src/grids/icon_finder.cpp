#include "grids/icon_finder.h"

#include <QImageReader>

#include "platform/file_system.h"

namespace orva {

const FoundIcon& IconFinder::Find(const std::string& menuIcon) {
  auto known = found_.find(menuIcon);
  if (known != found_.end()) return known->second;

  FoundIcon icon;
  icon.name = QString::fromStdString(menuIcon);
  for (const std::string* folder : {&iconDir_, &installDir_}) {
    const auto host = files_.PlainFileHostPath(*folder + menuIcon);
    if (!host) continue;
    // A file that is there but is no readable picture leaves the row without an icon.
    QImageReader reader(QString::fromStdString(*host));
    QImage image = reader.read();
    if (!image.isNull()) icon.picture = QPixmap::fromImage(std::move(image));
    break;
  }
  return found_.emplace(menuIcon, std::move(icon)).first->second;
}

}  // namespace orva
