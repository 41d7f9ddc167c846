#include "grids/icon_finder.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include "desktop/log_categories.h"
#include "platform/error_number.h"
#include "platform/file_system.h"
#include "platform/path_split.h"

namespace orva {
namespace {

// The largest icon file read: a 256-pixel icon with every smaller size takes well under
// a megabyte.
constexpr std::size_t kMaxIconBytes = std::size_t{4} << 20;
// Decoding a small file may still claim a huge picture; the reader refuses beyond this.
constexpr int kMaxDecodedMegabytes = 16;
// A cell shows an icon at 32 pixels; a larger picture is kept no larger than an icon gets.
constexpr int kMaxKeptSide = 256;

// Formats Qt reads itself: named for one of them, a file is read as such. A reader left to
// guess would first load every image plugin only to hear that the format is not theirs.
bool BuiltInFormat(const QByteArray& format) {
  const QByteArray lower = format.toLower();
  return lower == "png" || lower == "bmp";
}

// The picture in an icon file's bytes; null when they hold none. The file's suffix names
// the format first, as for a picture loaded from its path.
QImage DecodeIcon(const std::string& bytes, const std::string& path) {
  QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  const std::string name = PathFileName(path);
  const std::size_t dot = name.rfind('.');
  const QByteArray format =
      QByteArray::fromStdString(dot == std::string::npos ? "" : name.substr(dot + 1));
  QImageReader reader(&buffer, format);
  reader.setAutoDetectImageFormat(!BuiltInFormat(format));
  reader.setAllocationLimit(kMaxDecodedMegabytes);
  QImage image = reader.read();
  if (image.width() > kMaxKeptSide || image.height() > kMaxKeptSide) {
    image = image.scaled(kMaxKeptSide, kMaxKeptSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  }
  return image;
}

}  // namespace

const QPixmap& FoundIcon::Picture() const {
  if (!picture_) picture_ = QPixmap::fromImage(image_);
  return *picture_;
}

const FoundIcon& IconFinder::Find(const std::string& menuIcon) {
  auto known = found_.find(menuIcon);
  if (known != found_.end()) return known->second;

  QImage image;
  for (const std::string* folder : {&iconDir_, &installDir_}) {
    const std::string path = *folder + menuIcon;
    if (!files_.IsPlainFile(path)) continue;
    // A file that is there but is no readable picture (or no longer a plain file, or too
    // large) leaves the row without an icon; one that cannot be read is logged.
    const Result<std::string> file = files_.ReadAll(path, kMaxIconBytes);
    if (file.ok()) {
      image = DecodeIcon(file.value(), path);
    } else {
      LogFileFailure(files_, "read", path, file.error());
    }
    break;
  }
  return found_.emplace(menuIcon, FoundIcon(QString::fromStdString(menuIcon), std::move(image)))
      .first->second;
}

}  // namespace orva
