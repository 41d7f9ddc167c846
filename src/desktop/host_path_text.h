#pragma once

#include <QString>
#include <filesystem>

namespace orva {

// The one crossing between a host path and Qt's text. POSIX host paths hold UTF-8 bytes
// here, as the drive table builds them from Windows-form UTF-8 text; Windows paths are
// UTF-16 on both sides.
inline QString HostPathText(const std::filesystem::path& host) {
#ifdef _WIN32
  return QString::fromStdU16String(host.u16string());
#else
  return QString::fromStdString(host.string());
#endif
}

inline std::filesystem::path HostPathOfText(const QString& text) {
#ifdef _WIN32
  return std::filesystem::path(text.toStdU16String());
#else
  return text.toStdString();
#endif
}

}  // namespace orva
