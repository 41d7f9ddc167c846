#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>
#include <optional>
#include <string>
#include <unordered_map>

namespace orva {

class FileSystem;

class FoundIcon {
 public:
  FoundIcon(QString name, QImage image) : name_(std::move(name)), image_(std::move(image)) {}

  const QString& Name() const { return name_; }
  // Null when no readable picture was found.
  bool IsNull() const { return image_.isNull(); }
  // The picture as a cell shows it. A pixmap belongs to the window's thread: it is made
  // there at the first use, once for all the rows that show the icon.
  const QPixmap& Picture() const;

 private:
  QString name_;
  QImage image_;
  mutable std::optional<QPixmap> picture_;  // not even an empty one off the window's thread
};

// Finds an item's icon in the icon folder, then in the install folder. Results are kept
// for the life of the finder, so one fill tests and loads each icon name once. Finding
// touches no widget or pixmap: any thread may find, and the finder may be moved
// without moving what it found.
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
