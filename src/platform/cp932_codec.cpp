#include "platform/cp932_codec.h"

#include <unicode/ucnv.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace orva {

namespace {

constexpr char16_t kNoChar = 0xFFFF;       // never the decoding of a code page 932 code
constexpr std::uint16_t kNoCode = 0xFFFF;  // never a code page 932 code

// ICU swaps these the IBM way or leaves them unmapped; Windows maps them like this.
constexpr std::array<std::pair<unsigned char, char16_t>, 8> kWindowsSingleBytes = {{
    {0x1A, 0x001A},
    {0x1C, 0x001C},
    {0x7F, 0x007F},
    {0x80, 0x0080},
    {0xA0, 0xF8F0},
    {0xFD, 0xF8F1},
    {0xFE, 0xF8F2},
    {0xFF, 0xF8F3},
}};

struct ConverterCloser {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};

// The one character ICU decodes from `bytes`, or kNoChar when it is not exactly one.
char16_t DecodeWithIcu(UConverter* converter, const char* bytes, int length) {
  ucnv_resetToUnicode(converter);
  UChar out[4];
  UErrorCode status = U_ZERO_ERROR;
  int32_t produced = ucnv_toUChars(converter, out, 4, bytes, length, &status);
  if (U_FAILURE(status) || produced != 1) return kNoChar;
  return out[0];
}

// Every pair behind `lead` into `pair` (kNoChar where there is none), in one conversion: ICU's
// set-up per call costs far more than a character, and there are some 11,000 pairs. Each pair
// stands alone, followed by an ASCII byte that ends whatever sequence a bad trail byte starts;
// a pair decodes to the one unit whose source offset is its lead byte. `converter` skips what
// it cannot decode.
void DecodePairsBehind(UConverter* converter, int lead, std::vector<char16_t>& pair) {
  constexpr int kFirstTrail = 0x40;
  constexpr int kTrails = 0x100 - kFirstTrail;
  constexpr int kStride = 3;
  char bytes[kTrails * kStride];
  for (int i = 0; i < kTrails; ++i) {
    bytes[i * kStride] = static_cast<char>(lead);
    bytes[i * kStride + 1] = static_cast<char>(kFirstTrail + i);
    bytes[i * kStride + 2] = 'A';
  }
  UChar units[kTrails * kStride];
  int32_t offsets[kTrails * kStride];
  UChar* target = units;
  const char* source = bytes;
  UErrorCode status = U_ZERO_ERROR;
  ucnv_resetToUnicode(converter);
  ucnv_toUnicode(converter, &target, units + kTrails * kStride, &source, bytes + sizeof bytes,
                 offsets, true, &status);
  std::array<int, kTrails * kStride> unitsFrom{};
  std::array<char16_t, kTrails * kStride> unitFrom{};
  for (const UChar* unit = units; unit < target; ++unit) {
    const int32_t from = offsets[unit - units];
    if (from < 0) continue;
    ++unitsFrom[from];
    unitFrom[from] = *unit;
  }
  for (int i = 0; i < kTrails; ++i) {
    const int at = i * kStride;
    const bool one = U_SUCCESS(status) && unitsFrom[at] == 1 && unitsFrom[at + 1] == 0;
    pair[lead * 256 + kFirstTrail + i] = one ? unitFrom[at] : kNoChar;
  }
}

// Decoded characters are kept as ready UTF-8: up to three bytes, their count in bits 24-25,
// and kNotWrittenBack when encoding the character would not give its bytes back.
using PackedUtf8 = std::uint32_t;
constexpr PackedUtf8 kNotWrittenBack = 1u << 31;
constexpr PackedUtf8 kUtf8Length = 3u << 24;

PackedUtf8 Pack(char16_t c) {
  const PackedUtf8 u = c;
  if (u < 0x80) return (1u << 24) | u;
  if (u < 0x800) return (2u << 24) | (0xC0 | (u >> 6)) | (0x80 | (u & 0x3F)) << 8;
  return (3u << 24) | (0xE0 | (u >> 12)) | (0x80 | ((u >> 6) & 0x3F)) << 8 |
         (0x80 | (u & 0x3F)) << 16;
}

}  // namespace

struct Cp932Codec::Tables {
  std::array<PackedUtf8, 256> single;  // U+FFFD for a byte that is no character on its own
  std::vector<PackedUtf8> pair;        // lead * 256 + trail; 0 when not a pair
  std::vector<std::uint16_t> encode;   // UTF-16 unit -> byte (< 0x100) or lead * 256 + trail
  std::array<char16_t, 256> single16;  // the same characters as UTF-16
  std::vector<char16_t> pair16;        // 0 when not a pair
  bool asciiAsIs = false;              // bytes below 0x80 decode to themselves
};

namespace {

std::unique_ptr<const Cp932Codec::Tables> BuildTables();

}  // namespace

// The tables are the same for every codec and never change: built once per process, by
// whichever thread first needs them.
const Cp932Codec::Tables& Cp932Codec::SharedTables() {
  static const std::unique_ptr<const Tables> shared = BuildTables();
  return *shared;
}

namespace {

std::unique_ptr<const Cp932Codec::Tables> BuildTables() {
  auto tables = std::make_unique<Cp932Codec::Tables>();
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<UConverter, ConverterCloser> converter(ucnv_open("windows-31j", &status));
  if (U_FAILURE(status)) throw std::runtime_error("ICU converter windows-31j is missing");
  ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);

  std::array<char16_t, 256> single;
  for (int b = 0; b < 256; ++b) {
    const char byte = static_cast<char>(b);
    single[b] = DecodeWithIcu(converter.get(), &byte, 1);
  }
  for (const auto& [byte, c] : kWindowsSingleBytes) single[byte] = c;

  // Lead bytes are those ICU does not take on their own; pairs exist only behind them.
  std::vector<char16_t> pair(256 * 256, kNoChar);
  ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_SKIP, nullptr, nullptr, nullptr, &status);
  for (int lead = 0x81; lead < 0x100; ++lead) {
    if (single[lead] == kNoChar) DecodePairsBehind(converter.get(), lead, pair);
  }

  // Encoding writes the lowest code of a character, never lead byte ED or EE (the NEC-selected
  // duplicates of the IBM extension), so a file round-trips as Windows writes it.
  tables->encode.assign(0x10000, kNoCode);
  for (int b = 0; b < 256; ++b) {
    const char16_t c = single[b];
    if (c != kNoChar && tables->encode[c] == kNoCode) {
      tables->encode[c] = static_cast<std::uint16_t>(b);
    }
  }
  for (int code = 0x8100; code < 0x10000; ++code) {
    const int lead = code >> 8;
    if (lead == 0xED || lead == 0xEE) continue;
    const char16_t c = pair[code];
    if (c != kNoChar && tables->encode[c] == kNoCode) {
      tables->encode[c] = static_cast<std::uint16_t>(code);
    }
  }

  // A byte that is no character, or a second code of a character, does not come back from
  // its decoding: the decoder says so through the packed value.
  const auto packed = [&](char16_t c, int code) {
    if (c == kNoChar) return Pack(0xFFFD) | kNotWrittenBack;
    return tables->encode[c] == code ? Pack(c) : Pack(c) | kNotWrittenBack;
  };
  for (int b = 0; b < 256; ++b) tables->single[b] = packed(single[b], b);
  tables->asciiAsIs = true;
  for (int b = 0; b < 0x80; ++b) tables->asciiAsIs = tables->asciiAsIs && single[b] == b;
  tables->pair.assign(pair.size(), 0);
  tables->pair16.assign(pair.size(), 0);
  for (std::size_t code = 0; code < pair.size(); ++code) {
    if (pair[code] == kNoChar) continue;
    tables->pair[code] = packed(pair[code], static_cast<int>(code));
    tables->pair16[code] = pair[code];
  }
  for (int b = 0; b < 256; ++b) tables->single16[b] = single[b] == kNoChar ? 0xFFFD : single[b];
  return tables;
}

}  // namespace

std::string Cp932Codec::Decode(std::string_view bytes) const {
  std::string out;
  DecodeInto(bytes, out);
  return out;
}

bool Cp932Codec::DecodeInto(std::string_view bytes, std::string& out) const {
  const Tables& tables = SharedTables();
  // Codes, paths and numbers are mostly plain ASCII: a copy decodes them.
  if (tables.asciiAsIs &&
      std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; })) {
    out.assign(bytes);
    return true;
  }
  // Every byte yields at most three UTF-8 bytes; write straight into a buffer of that size.
  out.resize(bytes.size() * 3);
  char* write = out.data();
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t size = bytes.size();
  std::size_t i = 0;
  PackedUtf8 lost = 0;
  while (i < size) {
    const unsigned char b = data[i];
    PackedUtf8 packed = 0;
    if (b >= 0x80 && i + 1 < size) packed = tables.pair[b * 256 + data[i + 1]];
    if (packed != 0) {
      i += 2;
    } else {
      packed = tables.single[b];
      ++i;
    }
    // Store all three bytes; only the length counts.
    write[0] = static_cast<char>(packed & 0xFF);
    write[1] = static_cast<char>((packed >> 8) & 0xFF);
    write[2] = static_cast<char>((packed >> 16) & 0xFF);
    write += (packed & kUtf8Length) >> 24;
    lost |= packed;
  }
  out.resize(static_cast<std::size_t>(write - out.data()));
  return (lost & kNotWrittenBack) == 0;
}

std::size_t Cp932Codec::DecodeUtf16(std::string_view bytes, char16_t* out) const {
  const Tables& tables = SharedTables();
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t size = bytes.size();
  char16_t* write = out;
  std::size_t i = 0;
  while (i < size) {
    const unsigned char b = data[i];
    char16_t c = 0;
    if (b >= 0x80 && i + 1 < size) c = tables.pair16[b * 256 + data[i + 1]];
    if (c != 0) {
      i += 2;
    } else {
      c = tables.single16[b];
      ++i;
    }
    *write++ = c;
  }
  return static_cast<std::size_t>(write - out);
}

namespace {

// Calls `take` with each character's code in turn (a byte below 0x100, or lead * 256 +
// trail), kNoCode for a character the code page cannot hold and for malformed UTF-8;
// stops early when `take` returns false.
template <typename Take>
void ForEachCode(const std::vector<std::uint16_t>& table, std::string_view utf8, Take take) {
  const auto* data = reinterpret_cast<const std::uint8_t*>(utf8.data());
  const int32_t size = static_cast<int32_t>(utf8.size());
  int32_t i = 0;
  while (i < size) {
    UChar32 c = data[i];
    if (c < 0x80) {
      ++i;  // ASCII needs no decoding
    } else {
      U8_NEXT(data, i, size, c);
    }
    if (!take((c >= 0 && c < 0x10000) ? table[c] : kNoCode)) return;
  }
}

// Encodes utf8 through the table; unmappable characters and malformed UTF-8 become '?' or,
// without `lossy`, end the conversion with nullopt.
std::optional<std::string> EncodeWith(const std::vector<std::uint16_t>& table,
                                      std::string_view utf8, bool lossy) {
  std::string out;
  out.reserve(utf8.size());
  bool whole = true;
  ForEachCode(table, utf8, [&](std::uint16_t code) {
    if (code == kNoCode) {
      if (!lossy) {
        whole = false;
        return false;
      }
      out.push_back('?');
    } else if (code < 0x100) {
      out.push_back(static_cast<char>(code));
    } else {
      out.push_back(static_cast<char>(code >> 8));
      out.push_back(static_cast<char>(code & 0xFF));
    }
    return true;
  });
  if (!whole) return std::nullopt;
  return out;
}

}  // namespace

std::string Cp932Codec::EncodeLossy(std::string_view utf8) const {
  return *EncodeWith(SharedTables().encode, utf8, true);
}

std::optional<std::string> Cp932Codec::Encode(std::string_view utf8) const {
  return EncodeWith(SharedTables().encode, utf8, false);
}

bool Cp932Codec::CanEncode(std::string_view utf8) const {
  bool whole = true;
  ForEachCode(SharedTables().encode, utf8, [&whole](std::uint16_t code) {
    whole = code != kNoCode;
    return whole;
  });
  return whole;
}

}  // namespace orva
