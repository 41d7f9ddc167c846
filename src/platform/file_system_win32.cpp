// The file system on a Windows host. Paths are UTF-8 inside the program and UTF-16 at every
// call into the system; no call goes through the ANSI code page.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <random>

#include "platform/error_codes.h"
#include "platform/file_system.h"
#include "platform/utf8_path.h"

namespace orva {

namespace fs = std::filesystem;

namespace {

// Closes a handle on every return path.
class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (Valid()) ::CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE Get() const { return handle_; }
  bool Valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE Release() {
    const HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return handle;
  }
  // Closes now, reporting the result.
  bool Close() {
    const bool closed = ::CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE handle_;
};

// Hidden and system files are the system's own business: the program takes them for absent.
constexpr DWORD kNotPlain = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN |
                            FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DEVICE;

std::optional<WIN32_FILE_ATTRIBUTE_DATA> Attributes(const fs::path& host) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExW(host.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  return data;
}

// Error number of a failed open of `host`, from the system's code: a folder refuses to be
// opened as a file with "access denied".
err::Number OpenErrorNumber(const fs::path& host, DWORD code) {
  if (code == ERROR_ACCESS_DENIED) {
    const auto data = Attributes(host);
    if (data && (data->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return err::kPathFileAccess;
  }
  return ErrorNumberFromWin32(code);
}

// Opens a regular file for reading, letting others read, write, rename and delete it
// meanwhile as a POSIX descriptor would. Anything but a file on a disk reads as missing.
HANDLE OpenFile(const std::optional<fs::path>& host, err::Number& error, std::size_t& size) {
  if (!host) {
    error = err::kBadFileName;
    return INVALID_HANDLE_VALUE;
  }
  Handle file(::CreateFileW(host->c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) {
    error = OpenErrorNumber(*host, ::GetLastError());
    return INVALID_HANDLE_VALUE;
  }
  if (::GetFileType(file.Get()) != FILE_TYPE_DISK) {
    error = err::kFileNotFound;
    return INVALID_HANDLE_VALUE;
  }
  BY_HANDLE_FILE_INFORMATION info;
  if (!::GetFileInformationByHandle(file.Get(), &info)) {
    error = ErrorNumberFromWin32(::GetLastError());
    return INVALID_HANDLE_VALUE;
  }
  if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
    error = err::kPathFileAccess;
    return INVALID_HANDLE_VALUE;
  }
  const std::uint64_t bytes = (std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
  size = bytes > SIZE_MAX ? SIZE_MAX : static_cast<std::size_t>(bytes);
  error = err::kNone;
  return file.Release();
}

// Fills `buffer` as far as the file goes: the count read, or -1 with the error in `error`.
std::int64_t ReadFromHandle(HANDLE file, char* buffer, std::size_t size, err::Number& error) {
  std::size_t done = 0;
  while (done < size) {
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(size - done, 1u << 30));
    DWORD got = 0;
    if (!::ReadFile(file, buffer + done, wanted, &got, nullptr)) {
      error = ErrorNumberFromWin32(::GetLastError());
      return -1;
    }
    if (got == 0) break;
    done += got;
  }
  return static_cast<std::int64_t>(done);
}

// Writes all bytes; kNone or the error number.
err::Number WriteAll(HANDLE file, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data() + done, wanted, &written, nullptr)) {
      return ErrorNumberFromWin32(::GetLastError());
    }
    if (written == 0) return err::kDeviceIO;
    done += written;
  }
  return err::kNone;
}

// Creates a new temporary sibling of `target`; the handle, or an invalid one with the
// system's code in `code`.
HANDLE CreateSibling(const fs::path& target, fs::path& created, DWORD& code) {
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%08x", static_cast<unsigned>(random()));
    std::string name(FileSystem::kSaveTempPrefix);
    name += Utf8(target.filename());
    name += suffix;
    created = target.parent_path() / PathOfUtf8(name);
    const HANDLE file = ::CreateFileW(created.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) return file;
    code = ::GetLastError();
    if (code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) return file;
  }
  return INVALID_HANDLE_VALUE;
}

// Removes what interrupted saves of `target` left beside it: files under a temporary name of
// that target, nothing else (no folder, no link). A save holds its file open without sharing
// it, which stops its removal, but not for the moment between closing it and renaming it:
// only files last written some minutes ago are taken.
void RemoveLeftoverTemps(const fs::path& target) {
  constexpr ULONGLONG kMinutes = 10;
  constexpr ULONGLONG kTicksPerMinute = 60ull * 10'000'000;  // 100 ns ticks
  FILETIME now;
  ::GetSystemTimeAsFileTime(&now);
  const auto ticks = [](const FILETIME& t) {
    return (ULONGLONG{t.dwHighDateTime} << 32) | t.dwLowDateTime;
  };
  const std::string targetName = Utf8(target.filename());
  const fs::path pattern =
      target.parent_path() / PathOfUtf8(std::string(FileSystem::kSaveTempPrefix) + "*");
  WIN32_FIND_DATAW entry;
  const HANDLE search = ::FindFirstFileW(pattern.c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = Utf8(fs::path(entry.cFileName));
    if ((entry.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) ||
        !FileSystem::IsSaveTempName(name, targetName) ||
        ticks(entry.ftLastWriteTime) + kMinutes * kTicksPerMinute > ticks(now)) {
      continue;
    }
    ::DeleteFileW((target.parent_path() / entry.cFileName).c_str());
  } while (::FindNextFileW(search, &entry));
  ::FindClose(search);
}

// kNone when the existing target may be replaced: a file that could be written in place.
// `links` is its number of names.
err::Number ReplaceableTarget(const fs::path& target, DWORD attributes, DWORD& links) {
  links = 1;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return err::kPathFileAccess;
  if (attributes & FILE_ATTRIBUTE_READONLY) return err::kPermissionDenied;
  Handle file(::CreateFileW(target.c_str(), GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return OpenErrorNumber(target, ::GetLastError());
  BY_HANDLE_FILE_INFORMATION info;
  if (::GetFileInformationByHandle(file.Get(), &info)) links = info.nNumberOfLinks;
  return err::kNone;
}

// The file a save of `named` writes: where a symbolic link (a reparse point) leads, when that
// is a file; else `named` itself, replaced as before.
fs::path SaveTarget(const fs::path& named, DWORD attributes) {
  if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return named;
  Handle file(::CreateFileW(named.c_str(), 0,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION info;
  if (!file.Valid() || !::GetFileInformationByHandle(file.Get(), &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return named;
  }
  std::wstring resolved(MAX_PATH, L'\0');
  for (int attempt = 0; attempt < 2; ++attempt) {
    const DWORD length = ::GetFinalPathNameByHandleW(
        file.Get(), resolved.data(), static_cast<DWORD>(resolved.size()), FILE_NAME_NORMALIZED);
    if (length == 0) return named;
    if (length < resolved.size()) {
      resolved.resize(length);
      return fs::path(resolved);
    }
    resolved.resize(length);  // the size needed, its terminating zero included
  }
  return named;
}

// Writes `bytes` from the start of `file` and cuts it there, then flushes it.
err::Number Overwrite(HANDLE file, std::string_view bytes) {
  LARGE_INTEGER start{};
  if (!::SetFilePointerEx(file, start, nullptr, FILE_BEGIN)) {
    return ErrorNumberFromWin32(::GetLastError());
  }
  if (const err::Number failure = WriteAll(file, bytes)) return failure;
  if (!::SetEndOfFile(file) || !::FlushFileBuffers(file)) {
    return ErrorNumberFromWin32(::GetLastError());
  }
  return err::kNone;
}

// Writes the file `target` where it is: its links, attributes and security stay. Nobody
// else writes it meanwhile. A write that fails puts back the old bytes where they could be
// read first; a crash part-way leaves the file torn.
err::Number WriteInPlace(const fs::path& target, std::string_view bytes) {
  const auto open = [&](DWORD access) {
    return ::CreateFileW(target.c_str(), access, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  };
  HANDLE opened = open(GENERIC_READ | GENERIC_WRITE);
  const bool readable = opened != INVALID_HANDLE_VALUE;
  if (!readable && ::GetLastError() == ERROR_ACCESS_DENIED) opened = open(GENERIC_WRITE);
  Handle file(opened);
  if (!file.Valid()) return OpenErrorNumber(target, ::GetLastError());
  if (::GetFileType(file.Get()) != FILE_TYPE_DISK) return err::kFileNotFound;

  std::string previous;
  bool restorable = false;
  LARGE_INTEGER size;
  if (readable && ::GetFileSizeEx(file.Get(), &size) &&
      static_cast<ULONGLONG>(size.QuadPart) <= FileSystem::kDefaultReadLimit) {
    previous.resize(static_cast<std::size_t>(size.QuadPart));
    err::Number ignored = err::kNone;
    restorable = ReadFromHandle(file.Get(), previous.data(), previous.size(), ignored) ==
                 static_cast<std::int64_t>(previous.size());
  }
  const err::Number failure = Overwrite(file.Get(), bytes);
  if (failure && restorable) static_cast<void>(Overwrite(file.Get(), previous));
  return failure;
}

// Puts `temp` in the place of `target`: ReplaceFileW keeps the old file's attributes and
// security; where it cannot (another file system, no old file), a plain replacing move, and
// `kept` says why the old file's were not kept.
DWORD PutInPlace(const fs::path& temp, const fs::path& target, bool hadOld, err::Number& kept) {
  if (hadOld) {
    if (::ReplaceFileW(target.c_str(), temp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                       nullptr, nullptr)) {
      return ERROR_SUCCESS;
    }
    kept = ErrorNumberFromWin32(::GetLastError());
  }
  if (::MoveFileExW(temp.c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return ERROR_SUCCESS;
  }
  return ::GetLastError();
}

}  // namespace

FileSystem::FileSystem(DriveTable drives) : drives_(std::move(drives)) {}

std::vector<std::uint8_t> FileSystem::PlainFilesByFolder(
    const std::vector<std::string_view>& paths) const {
  // Each path is tested on its own here: the attributes that make a file hidden or a system
  // file come with each test.
  return std::vector<std::uint8_t>(paths.size(), kUntested);
}

std::optional<std::string> FileSystem::PlainFileHostPath(std::string_view windowsPath) const {
  const auto host = HostPath(windowsPath);
  if (!host) return std::nullopt;
  const auto data = Attributes(*host);
  if (!data || (data->dwFileAttributes & kNotPlain)) return std::nullopt;
  return Utf8(*host);
}

FileSystem::OpenedFile::~OpenedFile() {
  if (IsOpen()) ::CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

std::int64_t FileSystem::OpenedFile::ReadFull(char* buffer, std::size_t size,
                                              err::Number& error) const {
  return ReadFromHandle(reinterpret_cast<HANDLE>(handle_), buffer, size, error);
}

FileSystem::OpenedFile FileSystem::OpenForReading(std::string_view windowsPath,
                                                  err::Number& error) const {
  std::size_t size = 0;
  const HANDLE file = OpenFile(HostPath(windowsPath), error, size);
  if (file == INVALID_HANDLE_VALUE) return {};
  return {reinterpret_cast<std::intptr_t>(file), size};
}

err::Number FileSystem::SaveHostFile(const fs::path& named, std::string_view bytes,
                                     SaveNotes& said) {
  const auto atName = Attributes(named);
  const fs::path host = atName ? SaveTarget(named, atName->dwFileAttributes) : named;

  const auto old = host == named ? atName : Attributes(host);
  DWORD links = 1;
  if (old) {
    if (const err::Number refused = ReplaceableTarget(host, old->dwFileAttributes, links)) {
      return refused;
    }
  }
  // A rename would split a file from its other names.
  if (old && links > 1) {
    said.inPlace = true;
    return WriteInPlace(host, bytes);
  }

  fs::path temp;
  DWORD code = ERROR_SUCCESS;
  Handle file(CreateSibling(host, temp, code));
  if (!file.Valid()) {
    // A folder that takes no new file may still hold a file the user may write.
    if (old && code == ERROR_ACCESS_DENIED) {
      said.inPlace = true;
      return WriteInPlace(host, bytes);
    }
    return OpenErrorNumber(host, code);
  }

  err::Number failure = WriteAll(file.Get(), bytes);
  if (!failure && !::FlushFileBuffers(file.Get())) failure = ErrorNumberFromWin32(::GetLastError());
  if (!file.Close() && !failure) failure = ErrorNumberFromWin32(::GetLastError());
  if (!failure) {
    if (const DWORD moved = PutInPlace(temp, host, old.has_value(), said.mode)) {
      failure = ErrorNumberFromWin32(moved);
    }
  }
  if (failure) {
    ::DeleteFileW(temp.c_str());
    return failure;
  }
  RemoveLeftoverTemps(host);
  return err::kNone;
}

err::Number FileSystem::Remove(std::string_view windowsPath) const {
  const auto host = HostPath(windowsPath);
  if (!host) return err::kBadFileName;
  if (::DeleteFileW(host->c_str())) return err::kNone;
  const DWORD code = ::GetLastError();
  if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return err::kNone;
  return OpenErrorNumber(*host, code);
}

}  // namespace orva
