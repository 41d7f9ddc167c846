#include "platform/startup_notice.h"

#include <charconv>

namespace orva {
namespace {

constexpr std::string_view kTimeMark = "_TIME";

bool PlainIdCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
         c == '_' || c == '-';
}

// Letters, digits and ".-_" only: an id is used unquoted by some readers.
std::string PlainIdPart(std::string_view part) {
  std::string plain;
  for (char c : part) plain += PlainIdCharacter(c) ? c : '_';
  return plain;
}

}  // namespace

std::string StartupNoticeText(std::string_view kind, const std::vector<StartupField>& fields) {
  std::string text(kind);
  text += ':';
  // Every value quoted: blanks in names and paths stay inside their value.
  for (const StartupField& field : fields) {
    text += ' ';
    text += field.key;
    text += "=\"";
    for (char c : field.value) {
      if (c == '"' || c == '\\') text += '\\';
      text += c;
    }
    text += '"';
  }
  return text;
}

std::vector<StartupNoticePiece> StartupNoticePieces(std::string_view text) {
  const std::size_t size = text.size() + 1;  // the receiver reads up to the NUL
  std::vector<StartupNoticePiece> pieces((size + 19) / 20);
  for (StartupNoticePiece& piece : pieces) piece.fill('\0');
  for (std::size_t i = 0; i < text.size(); ++i) pieces[i / 20][i % 20] = text[i];
  return pieces;
}

std::string NewStartupId(std::string_view launcher, std::string_view host, long processId,
                         std::string_view program, unsigned sequence, std::uint32_t time) {
  return PlainIdPart(launcher) + '-' + std::to_string(processId) + '-' + PlainIdPart(host) + '-' +
         PlainIdPart(program) + '-' + std::to_string(sequence) + std::string(kTimeMark) +
         std::to_string(time);
}

std::uint32_t StartupIdTime(std::string_view id) {
  const std::size_t mark = id.rfind(kTimeMark);
  if (mark == std::string_view::npos) return 0;
  const std::string_view digits = id.substr(mark + kTimeMark.size());
  std::uint32_t time = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), time);
  return error == std::errc() && end == digits.data() + digits.size() ? time : 0;
}

}  // namespace orva
