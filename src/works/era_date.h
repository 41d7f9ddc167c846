#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace orva {

// Shows a works file's "YYYYMMDD" date text in Japanese era form ("H 21/04/01"). The eras
// come from ICU's Japanese calendar, so a new era needs no change here.
// Construct once: building the ICU formatter is slow. Not thread-safe (it caches era texts).
class EraDateFormatter {
 public:
  EraDateFormatter();
  ~EraDateFormatter();
  EraDateFormatter(const EraDateFormatter&) = delete;
  EraDateFormatter& operator=(const EraDateFormatter&) = delete;

  // Empty when the text's numeric value is 0 (blank, zeros, or no leading digit).
  // Parts that form no calendar date: the text as stored, trailing blanks removed.
  // Dates before the first era ICU counts as modern (Meiji): Western "YYYY/MM/DD".
  std::string Format(std::string_view eightBytes) const;

 private:
  struct Icu;
  std::string FormatValidDate(int year, int month, int day) const;
  const std::string& EraText(std::int32_t era, double instant) const;

  std::unique_ptr<Icu> icu_;
  // Formatting a whole date through ICU costs about seven times reading the era and year
  // fields; a list may hold tens of thousands of dates. So ICU formats each era's initial
  // once and the digits are written here.
  mutable std::map<std::int32_t, std::string> eraTexts_;
};

// The number formed by the leading decimal digits of `text`, blanks ignored; 0 when it
// starts with no digit.
std::int64_t LeadingNumber(std::string_view text);

}  // namespace orva
