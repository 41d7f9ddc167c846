// The view-state reader under any bytes: no undefined behaviour (UBSan watches the 16-bit
// store), only the first line counts, and what the launcher writes reads back.
#include "fuzz_check.h"
#include "platform/field_reader.h"
#include "ui/view_state_file.h"

using orva::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = orva::fuzz::Bytes(data, size);
  const std::int16_t value = orva::ParseViewState(bytes);
  Require(value == orva::ParseViewState(orva::FirstLine(bytes)), "only the first line counts");
  if (value != 0) {
    Require(orva::FirstLine(bytes).find_first_of("0123456789") != std::string_view::npos,
            "a value other than 0 was written in digits");
  }
  Require(orva::ParseViewState(orva::ViewStateBytes(true)) == 0, "combined view reads back");
  Require(orva::ParseViewState(orva::ViewStateBytes(false)) == 1, "category view reads back");
  return 0;
}
