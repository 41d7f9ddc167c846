#pragma once

#include <QPixmap>
#include <QString>
#include <string>
#include <unordered_map>

namespace orva {

class FileSystem;

struct FoundIcon {
  QPixmap picture;  // null when no readable picture was found
  QString name;
};

// Finds an item's icon in the icon folder, then in the install folder. Results are kept
// for the life of the finder, so one fill tests and loads each icon name once.
class IconFinder {
 public:
  IconFinder(const FileSystem& files, std::string iconDir, std::string installDir)
      : files_(files), iconDir_(std::move(iconDir)), installDir_(std::move(installDir)) {}

  const FoundIcon& Find(const std::string& menuIcon);

 private:
  const FileSystem& files_;
  std::string iconDir_;
  std::string installDir_;
  std::unordered_map<std::string, FoundIcon> found_;
};

}  // namespace orva
