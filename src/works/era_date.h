#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/leading_number.h"

namespace orva {

// Shows a works file's "YYYYMMDD" date text in Japanese era form ("H 21/04/01"). The eras
// come from ICU's Japanese calendar, so a new era needs no change here.
// ICU's calendar and time zone are set up on the first date formatted, not when the
// formatter is made: a window holds one from its start and most runs never list a works file.
// Keep one for many dates: setting ICU up is slow. Not thread-safe (it caches era texts).
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
  // The era and era year of every day of a month, when they are the same for all of them.
  struct MonthEra {
    bool uniform = false;
    std::int32_t era = 0;
    std::int32_t eraYear = 0;
    double instant = 0;  // a moment of the month, to name the era by
  };

  Icu& Calendar() const;  // set up on first use
  std::string FormatValidDate(int year, int month, int day) const;
  const MonthEra& EraOfMonth(int year, int month) const;
  const std::string& EraText(std::int32_t era, double instant) const;

  mutable std::unique_ptr<Icu> icu_;
  // Formatting a whole date through ICU costs about seven times reading the era and year
  // fields; a list may hold tens of thousands of dates. So ICU formats each era's initial
  // once and the digits are written here.
  mutable std::map<std::int32_t, std::string> eraTexts_;
  // Asking ICU for each date costs more than all the rest of a works row; a month's era
  // changes at most once, so most months are asked about once.
  mutable std::unordered_map<std::int32_t, MonthEra> monthEras_;
};

}  // namespace orva
