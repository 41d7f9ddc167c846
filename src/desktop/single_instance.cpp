#include "desktop/single_instance.h"

#include <QCryptographicHash>
#include <QString>
#include <cstdlib>

namespace orva {

LockFolders LockFolders::FromEnvironment() {
  LockFolders folders;
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) {
    folders.runtimeDir = runtime;
  }
  std::error_code error;
  folders.tempDir = std::filesystem::temp_directory_path(error);
  if (error) folders.tempDir = "/tmp";
  return folders;
}

SingleInstanceLock::SingleInstanceLock(const std::filesystem::path& installRoot,
                                       LockFolders folders)
    : folders_(std::move(folders)) {
  std::error_code ignored;
  const auto canonical = std::filesystem::weakly_canonical(installRoot, ignored);
  const std::filesystem::path& root = canonical.empty() ? installRoot : canonical;
#ifdef _WIN32
  // One install root however its name is cased.
  const QByteArray name = QString::fromStdU16String(root.u16string()).toLower().toUtf8();
#else
  const QByteArray name = QByteArray::fromStdString(root.string());
#endif
  const QByteArray hash = QCryptographicHash::hash(name, QCryptographicHash::Sha1);
  name_ = "orva-menu-" + hash.toHex().left(16).toStdString();
}

SingleInstanceLock::Outcome SingleInstanceLock::Fail(std::string reason) {
  reason_ = std::move(reason);
  return Outcome::Failed;
}

}  // namespace orva
