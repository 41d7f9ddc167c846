#include "bench/bench_prefix.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace orva::bench {

namespace fs = std::filesystem;

BenchPrefix::BenchPrefix() {
  std::string pattern = (fs::temp_directory_path() / "orva-bench-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  root_ = pattern;
  fs::create_directories(root_ / "drive_c" / "VORDELN");
  fs::create_directories(root_ / "dosdevices");
  fs::create_symlink("../drive_c", root_ / "dosdevices" / "c:");
  files_ = std::make_unique<FileSystem>(DriveTable::FromWinePrefix(root_));
}

BenchPrefix::BenchPrefix(fs::path existing)
    : root_(std::move(existing)),
      files_(std::make_unique<FileSystem>(DriveTable::FromWinePrefix(root_))),
      owned_(false) {}

BenchPrefix::~BenchPrefix() {
  if (!owned_) return;
  std::error_code ec;
  fs::remove_all(root_, ec);
}

fs::path BenchPrefix::Host(std::string_view windowsPath) const {
  std::string rest(windowsPath.substr(3));
  for (char& c : rest) {
    if (c == '\\') c = '/';
  }
  return root_ / "drive_c" / rest;
}

void BenchPrefix::Write(std::string_view windowsPath, std::string_view bytes) const {
  const fs::path host = Host(windowsPath);
  fs::create_directories(host.parent_path());
  std::ofstream out(host, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + host.string());
}

std::string RawRead(const fs::path& host) {
  const int fd = ::open(host.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return {};
  struct stat st;
  std::string bytes;
  if (::fstat(fd, &st) == 0) {
    bytes.resize(static_cast<std::size_t>(st.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
  }
  ::close(fd);
  return bytes;
}

}  // namespace orva::bench
