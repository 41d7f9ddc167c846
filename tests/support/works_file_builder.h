#pragma once

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>

namespace orva::test {

// Builds one 931-byte works record byte by byte. Every field, read or not, gets its own
// recognisable content, so a reader that uses a wrong offset picks up a decoy instead.
class WorksRecordBuilder {
 public:
  static constexpr std::size_t kSize = 931;

  WorksRecordBuilder() : bytes_(kSize, '\0') {
    Number(1).NameFirst("NAME-A").NameSecond("NAME-B").Client("CLIENT").Route("ROUTE");
    Date("20090401");
    Text(104, 1, "x");
    Int16(105, 0x3131);
    Int16(107, 0x3232);
    Text(109, 2, "ab");
    Text(111, 2, "cd");
    for (std::size_t at = 113; at < 137; at += 4) Real32(at, -7.5f);
    Int16(137, 0x3333);
    Int16(189, 0x3434);
    Text(249, 8, "19991399");  // looks like a date, is not one
    Text(257, 50, "DECOY-257");
    Text(307, 50, "DECOY-307");
    Text(357, 8, "20200202");
    Text(365, 8, "20210303");
    Text(373, 50, "DECOY-373");
    Text(423, 50, "DECOY-423");
    Int16(473, 0x3535);
    Int16(475, 0x3636);
    Int16(477, 0x3737);
    // Element 0 of each real pair, and the pairs not read, hold decoys.
    for (std::size_t at = 479; at < 559; at += 8) Real64(at, -999.25);
    DirectCost(1234.5);
    TotalCost(6789.75);
    Text(559, 372, std::string(372, '#'));
  }

  WorksRecordBuilder& Number(std::int32_t value) {
    UInt(0, 4, static_cast<std::uint32_t>(value));
    return *this;
  }
  // Text arguments are raw code page 932 bytes, padded here with blanks.
  WorksRecordBuilder& NameFirst(std::string_view bytes) { return Text(4, 50, bytes); }
  WorksRecordBuilder& NameSecond(std::string_view bytes) { return Text(54, 50, bytes); }
  WorksRecordBuilder& Client(std::string_view bytes) { return Text(139, 50, bytes); }
  WorksRecordBuilder& Route(std::string_view bytes) { return Text(191, 50, bytes); }
  WorksRecordBuilder& Date(std::string_view bytes) { return Text(241, 8, bytes); }
  WorksRecordBuilder& DirectCost(double value) { return Real64(503, value); }
  WorksRecordBuilder& TotalCost(double value) { return Real64(551, value); }

  const std::string& Bytes() const { return bytes_; }

 private:
  WorksRecordBuilder& Text(std::size_t at, std::size_t size, std::string_view bytes) {
    for (std::size_t i = 0; i < size; ++i) bytes_[at + i] = i < bytes.size() ? bytes[i] : ' ';
    return *this;
  }
  WorksRecordBuilder& UInt(std::size_t at, std::size_t size, std::uint64_t value) {
    for (std::size_t i = 0; i < size; ++i) {
      bytes_[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    return *this;
  }
  WorksRecordBuilder& Int16(std::size_t at, std::uint16_t value) { return UInt(at, 2, value); }
  WorksRecordBuilder& Real32(std::size_t at, float value) {
    return UInt(at, 4, std::bit_cast<std::uint32_t>(value));
  }
  WorksRecordBuilder& Real64(std::size_t at, double value) {
    return UInt(at, 8, std::bit_cast<std::uint64_t>(value));
  }

  std::string bytes_;
};

}  // namespace orva::test
