#pragma once

#include <QString>
#include <filesystem>

namespace orva {

// The one crossing between a host path and Qt's text. Host paths hold UTF-8 bytes here,
// as the drive table builds them from Windows-form UTF-8 text.
inline QString HostPathText(const std::filesystem::path& host) {
  return QString::fromStdString(host.string());
}

inline std::filesystem::path HostPathOfText(const QString& text) { return text.toStdString(); }

}  // namespace orva
