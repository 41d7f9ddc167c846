#include "platform/single_instance.h"

#include <QCryptographicHash>
#include <QDir>

namespace orva {

SingleInstanceLock::SingleInstanceLock(const std::filesystem::path& installRoot) {
  std::error_code ignored;
  const auto canonical = std::filesystem::weakly_canonical(installRoot, ignored);
  const std::filesystem::path& root = canonical.empty() ? installRoot : canonical;
  const QByteArray key = QByteArray::fromStdString(root.string());
  const QString hash = QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16);
  lock_ = std::make_unique<QLockFile>(QDir::temp().filePath("orva-menu-" + hash + ".lock"));
  lock_->setStaleLockTime(0);  // stale only when its owner is gone, never by age
}

bool SingleInstanceLock::TryAcquire() { return lock_->tryLock(0); }

}  // namespace orva
