#include "platform/cp932_codec.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace orva {
namespace {

using namespace std::string_literals;

std::string Utf8(char32_t c) {
  std::string out;
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
  return out;
}

std::string BytesFromHex(const std::string& hex) {
  std::string out;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    out.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  }
  return out;
}

// Reads "hex TAB hex" lines of a reference table, skipping comments.
std::vector<std::pair<std::string, std::string>> ReadTable(const std::string& name) {
  std::ifstream in(std::string(ORVA_TESTDATA_DIR) + "/" + name);
  EXPECT_TRUE(in.good()) << name;
  std::vector<std::pair<std::string, std::string>> rows;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    const auto tab = line.find('\t');
    rows.emplace_back(line.substr(0, tab), line.substr(tab + 1));
  }
  return rows;
}

class Cp932CodecTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { codec_ = new Cp932Codec; }
  static void TearDownTestSuite() {
    delete codec_;
    codec_ = nullptr;
  }
  static Cp932Codec* codec_;
};
Cp932Codec* Cp932CodecTest::codec_ = nullptr;

TEST_F(Cp932CodecTest, DecodesEveryByteSequenceAsWindows) {
  const auto rows = ReadTable("cp932-decode.tsv");
  ASSERT_GT(rows.size(), 9000u);
  std::map<std::string, std::string> listed;  // bytes -> UTF-8
  for (const auto& [hex, code] : rows) {
    listed[BytesFromHex(hex)] = Utf8(static_cast<char32_t>(std::stoul(code, nullptr, 16)));
  }
  for (const auto& [bytes, text] : listed) {
    EXPECT_EQ(codec_->Decode(bytes), text)
        << "lead byte " << std::hex << static_cast<int>(static_cast<unsigned char>(bytes[0]));
  }

  // Anything unlisted is invalid: one U+FFFD per bad byte, and a lead byte whose trail does not
  // complete a pair leaves that trail byte to be read on its own.
  const std::string bad = Utf8(0xFFFD);
  auto single = [&](int b) {
    auto it = listed.find(std::string(1, static_cast<char>(b)));
    return it == listed.end() ? bad : it->second;
  };
  int mismatches = 0;
  for (int lead = 0; lead < 256; ++lead) {
    for (int trail = 0; trail < 256; ++trail) {
      const std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
      auto it = listed.find(bytes);
      const std::string expected = it != listed.end() ? it->second : single(lead) + single(trail);
      if (codec_->Decode(bytes) != expected && ++mismatches <= 20) {
        ADD_FAILURE() << "pair " << std::hex << lead << " " << trail;
      }
      // The UTF-16 decoding must agree with the UTF-8 one on every pair.
      char16_t units[2];
      const std::size_t count = codec_->DecodeUtf16(bytes, units);
      std::string reencoded;
      for (std::size_t u = 0; u < count; ++u) reencoded += Utf8(units[u]);
      if (reencoded != expected && ++mismatches <= 20) {
        ADD_FAILURE() << "UTF-16 pair " << std::hex << lead << " " << trail;
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
}

TEST_F(Cp932CodecTest, EncodesEveryCharacterAsWindows) {
  const auto rows = ReadTable("cp932-encode.tsv");
  ASSERT_GT(rows.size(), 9000u);
  std::map<char32_t, std::string> listed;
  for (const auto& [code, hex] : rows) {
    listed[static_cast<char32_t>(std::stoul(code, nullptr, 16))] = BytesFromHex(hex);
  }
  int mismatches = 0;
  for (char32_t c = 0; c < 0x10000; ++c) {
    if (c >= 0xD800 && c < 0xE000) continue;  // no UTF-8 form
    auto it = listed.find(c);
    const auto encoded = codec_->Encode(Utf8(c));
    const bool ok = (it != listed.end()
                         ? encoded == it->second && codec_->EncodeLossy(Utf8(c)) == it->second
                         : !encoded && codec_->EncodeLossy(Utf8(c)) == "?") &&
                    codec_->CanEncode(Utf8(c)) == encoded.has_value();
    if (!ok && ++mismatches <= 20) ADD_FAILURE() << "U+" << std::hex << static_cast<int>(c);
  }
  EXPECT_EQ(mismatches, 0);
}

TEST_F(Cp932CodecTest, BytesIcuMapsDifferentlyRoundTrip) {
  const std::string bytes("\x1A\x1C\x7F\x80\xA0\xFD\xFE\xFF", 8);
  const std::string text = codec_->Decode(bytes);
  EXPECT_EQ(text, "\x1A\x1C\x7F" + Utf8(0x80) + Utf8(0xF8F0) + Utf8(0xF8F1) + Utf8(0xF8F2) +
                      Utf8(0xF8F3));
  EXPECT_EQ(codec_->Encode(text), bytes);
}

TEST_F(Cp932CodecTest, MixedTextWithNulRoundTrips) {
  const std::string bytes =
      "\x95\xBD\x90\xAC"
      "26"
      "\x94\x4E"
      "\0"
      "C:\\VORDELN\\\xB6\xC5"s;
  const std::string text = codec_->Decode(bytes);
  EXPECT_EQ(text, "平成26年\0C:\\VORDELN\\ｶﾅ"s);
  EXPECT_EQ(codec_->Encode(text), bytes);
  EXPECT_EQ(codec_->Decode(""), "");
}

TEST_F(Cp932CodecTest, UnwritableCharacters) {
  // Euro sign, an emoji outside the BMP, and malformed UTF-8.
  EXPECT_EQ(codec_->EncodeLossy("a€b😀c"), "a?b?c");
  EXPECT_FALSE(codec_->Encode("a€b"));
  EXPECT_FALSE(codec_->Encode("\xE3\x81"));
  EXPECT_FALSE(codec_->CanEncode("x\xFFy"));
  EXPECT_TRUE(codec_->CanEncode("平成26年 C:\\A"));
  EXPECT_EQ(codec_->EncodeLossy("x\xFFy"), "x?y");
}

TEST_F(Cp932CodecTest, TruncatedLeadByteAtEnd) {
  EXPECT_EQ(codec_->Decode("ab\x82"), "ab" + Utf8(0xFFFD));
  EXPECT_EQ(codec_->Decode("\x82\x0D\x0A"), Utf8(0xFFFD) + "\r\n");
}

}  // namespace
}  // namespace orva
