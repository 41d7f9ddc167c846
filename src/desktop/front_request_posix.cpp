#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QSocketNotifier>
#include <QWidget>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "desktop/front_request.h"
#include "desktop/log_categories.h"
#include "desktop/single_instance.h"
#include "desktop/startup_notifier.h"

namespace orva {
namespace {

constexpr std::size_t kMaxRequest = 4096;
constexpr char kTokenKey[] = "XDG_ACTIVATION_TOKEN=";
constexpr char kStartupIdKey[] = "DESKTOP_STARTUP_ID=";

// Beside the lock, in the folder only its user can write; nullopt when the name is too
// long for a socket address.
std::optional<sockaddr_un> FrontAddress(const SingleInstanceLock& lock) {
  const std::string path = (lock.Folder() / (lock.Name() + ".front")).string();
  sockaddr_un address = {};
  address.sun_family = AF_UNIX;
  if (lock.Folder().empty() || path.size() >= sizeof address.sun_path) return std::nullopt;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return address;
}

int Datagram() { return socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0); }

}  // namespace

void AskRunningLauncherToFront(const SingleInstanceLock& lock) {
  const std::optional<sockaddr_un> address = FrontAddress(lock);
  if (!address) return;
  const int fd = Datagram();
  if (fd < 0) return;
  // The desktop's start of this second launcher is the running one's to answer; a value
  // too long to carry is left out rather than the request.
  std::string request = "front\n";
  for (const char* key : {kTokenKey, kStartupIdKey}) {
    const std::string name(key, std::strlen(key) - 1);
    const char* value = std::getenv(name.c_str());
    if (!value || !*value) continue;
    const std::string line = std::string(key) + value + "\n";
    if (request.size() + line.size() <= kMaxRequest) request += line;
  }
  sendto(fd, request.data(), request.size(), MSG_NOSIGNAL,
         reinterpret_cast<const sockaddr*>(&*address), sizeof *address);
  close(fd);
}

struct FrontRequests::Listener {
  int fd = -1;
  std::string path;
  ino_t inode = 0;
  std::unique_ptr<QSocketNotifier> notifier;
  StartupNotifier startup;
  ~Listener() {
    notifier.reset();
    if (fd >= 0) close(fd);
    // A launcher started since the lock was let go may have put its own socket there.
    struct stat now = {};
    if (!path.empty() && lstat(path.c_str(), &now) == 0 && now.st_ino == inode) {
      unlink(path.c_str());
    }
  }
};

FrontRequests::FrontRequests(const SingleInstanceLock& lock, QWidget& window) : window_(&window) {
  const std::optional<sockaddr_un> address = FrontAddress(lock);
  if (!address) return;
  auto listener = std::make_unique<Listener>();
  listener->fd = Datagram();
  if (listener->fd < 0) return;
  // The lock is ours: whatever socket is left there is a crashed launcher's.
  unlink(address->sun_path);
  if (bind(listener->fd, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0) {
    qCWarning(lcLock).noquote() << "a second start cannot bring this window to the front:"
                                << std::strerror(errno);
    return;
  }
  listener->path = address->sun_path;
  struct stat bound = {};
  if (lstat(address->sun_path, &bound) == 0) listener->inode = bound.st_ino;
  listener->notifier = std::make_unique<QSocketNotifier>(listener->fd, QSocketNotifier::Read);
  connect(listener->notifier.get(), &QSocketNotifier::activated, this, [this] {
    char buffer[kMaxRequest];
    ssize_t size;
    while ((size = recv(listener_->fd, buffer, sizeof buffer, 0)) > 0) {
      const QByteArray request(buffer, static_cast<qsizetype>(size));
      if (!request.startsWith("front\n")) continue;
      QByteArray token;
      std::string startupId;
      for (const QByteArray& line : request.split('\n')) {
        if (line.startsWith(kTokenKey)) token = line.mid(sizeof kTokenKey - 1);
        if (line.startsWith(kStartupIdKey))
          startupId = line.mid(sizeof kStartupIdKey - 1).toStdString();
      }
      BringToFront(token);
      if (startupId.empty()) continue;
      // The time of the user's click lets a desktop that keeps background programs from
      // taking the focus give it to this window; and the second start shows no window,
      // so its startup feedback is ended here.
      if (window_ && window_->isVisible() && QGuiApplication::platformName() == "xcb") {
        listener_->startup.Activate(static_cast<std::uint32_t>(window_->winId()), startupId);
      }
      listener_->startup.Remove(startupId);
    }
  });
  listener_ = std::move(listener);
}

FrontRequests::~FrontRequests() = default;

}  // namespace orva
