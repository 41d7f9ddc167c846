// Code page 932 both ways under any bytes, read once as file bytes and once as UTF-8 text:
// the two decoders agree, decoded text encodes to bytes that decode to the same text, and
// text that encodes comes back unchanged.
#include <unicode/ustring.h>

#include <string>
#include <vector>

#include "fuzz_check.h"
#include "platform/cp932_codec.h"

using orva::fuzz::Require;

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD, a byte that decodes to nothing

std::u16string Utf16(const std::string& utf8) {
  std::u16string out(utf8.size(), u'\0');
  int32_t length = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strFromUTF8(reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()), &length,
                utf8.data(), static_cast<int32_t>(utf8.size()), &status);
  Require(U_SUCCESS(status), "decoded text is well-formed UTF-8");
  out.resize(static_cast<std::size_t>(length));
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const orva::Cp932Codec codec;
  const std::string_view bytes = orva::fuzz::Bytes(data, size);

  // As file bytes.
  const std::string text = codec.Decode(bytes);
  std::string reused = "left over from an earlier field";
  codec.DecodeInto(bytes, reused);
  Require(reused == text, "decoding into used storage gives the same text");
  std::u16string units(size, u'\0');
  units.resize(codec.DecodeUtf16(bytes, units.data()));
  Require(units == Utf16(text), "UTF-16 and UTF-8 decoding agree");

  const std::optional<std::string> encoded = codec.Encode(text);
  const bool whole = text.find(kReplacement) == std::string::npos;
  Require(encoded.has_value() == whole, "decoded text encodes unless a byte was bad");
  if (encoded) {
    Require(codec.Decode(*encoded) == text, "encoding decoded text keeps it");
    Require(codec.EncodeLossy(text) == *encoded, "lossless and lossy encoding agree");
  }

  // As UTF-8 text, as a chosen path or a catalogue field comes in.
  const std::string lossy = codec.EncodeLossy(bytes);
  if (const std::optional<std::string> exact = codec.Encode(bytes)) {
    Require(codec.Decode(*exact) == bytes, "text that encodes comes back");
    Require(lossy == *exact, "lossy encoding of encodable text is exact");
  } else {
    Require(lossy.find('?') != std::string::npos, "what cannot be encoded shows as '?'");
  }
  return 0;
}
