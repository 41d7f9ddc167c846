#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace orva {

// An absolute Windows-form path read once: "C:\A\..\B\" is drive C, the components A, ".."
// and B as written, and a trailing separator. "\" and "/" both separate and a run of them
// counts as one, as Windows reads them. The components view the parsed text, which must
// outlive the path.
class WindowsPath {
 public:
  // nullopt unless the text starts with a drive letter, ":" and a separator.
  static std::optional<WindowsPath> Parse(std::string_view text);

  // 0 for A: to 25 for Z:, either case; -1 for anything else.
  static int DriveIndex(char letter);

  int Drive() const { return drive_; }  // 0 for A:
  const std::vector<std::string_view>& Components() const { return components_; }
  bool EndsWithSeparator() const { return endsWithSeparator_; }

  // Whether every component is a name Windows takes: no control character, no <>:"|?*.
  bool NamesAreValid() const;
  // Whether a component is "." or "..", which only a lookup can resolve.
  bool HasDotComponents() const;
  // The components with "." dropped and ".." climbing, never above the drive's root.
  std::vector<std::string_view> Resolved() const;

  // Splitting the text of any path, absolute or not, at its last "\" only ("/" stays in
  // the name here, as it always has for these two).
  // Up to and including the last "\"; empty when there is none.
  static std::string_view FolderOf(std::string_view text);
  // After the last "\"; the whole text when there is none.
  static std::string_view FileNameOf(std::string_view text);

 private:
  int drive_ = -1;
  std::vector<std::string_view> components_;
  bool endsWithSeparator_ = false;
};

}  // namespace orva
