#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orva {

// The X desktop's startup notification: a launcher says "new:" with the id it hands the
// started program in DESKTOP_STARTUP_ID, and "remove:" when the start is over, so the
// desktop shows its own feedback meanwhile and lets the new window take the focus.

struct StartupField {
  std::string key;
  std::string value;
};

// `kind` ("new", "remove") and the fields as one message: `new: ID="…" NAME="…"`.
std::string StartupNoticeText(std::string_view kind, const std::vector<StartupField>& fields);

// The message with its closing NUL in the 20-byte pieces that X client messages carry;
// the last one padded with NULs.
using StartupNoticePiece = std::array<char, 20>;
std::vector<StartupNoticePiece> StartupNoticePieces(std::string_view text);

// An id that no other start shares and that carries the X server time of the start as
// desktops read it ("…_TIME<time>"). Characters that would need quoting are left out.
std::string NewStartupId(std::string_view launcher, std::string_view host, long processId,
                         std::string_view program, unsigned sequence, std::uint32_t time);

// The X server time an id carries in its "_TIME<n>" ending; 0 (any time) without one.
std::uint32_t StartupIdTime(std::string_view id);

}  // namespace orva
