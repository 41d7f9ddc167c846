// The comma/line field reader under any bytes: fields are slices without line ends, and
// every read moves on, so a file is read in at most one field per byte (plus a last empty one).
#include "fuzz_check.h"
#include "platform/field_reader.h"

using orva::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = orva::fuzz::Bytes(data, size);

  // As the catalogue reader asks: fields until only blanks and line ends are left.
  orva::FieldReader entries(bytes);
  std::string_view field;
  std::size_t fields = 0;
  while (!entries.AtEnd() && entries.Next(field)) {
    Require(orva::fuzz::SliceOf(field, bytes), "a field is a slice of the input");
    Require(field.find_first_of("\r\n") == std::string_view::npos, "no line end in a field");
    Require(++fields <= size + 1, "reading moves on");
  }

  // Reading on past AtEnd: every call still ends, and the end stays the end.
  orva::FieldReader all(bytes);
  std::size_t calls = 0;
  while (all.Next(field)) Require(++calls <= size + 1, "reading ends");
  Require(!all.Next(field) && field.empty(), "the end stays the end");
  Require(all.AtEnd(), "nothing is left after the last field");

  const std::string_view line = orva::FirstLine(bytes);
  Require(line.data() == bytes.data(), "the first line starts the input");
  Require(line.find_first_of("\r\n") == std::string_view::npos, "the first line has no line end");
  return 0;
}
