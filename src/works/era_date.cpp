#include "works/era_date.h"

#include <unicode/calendar.h>
#include <unicode/gregocal.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>

#include <cstdio>
#include <stdexcept>

namespace orva {
namespace {

// Earliest UDate ICU accepts: makes the Gregorian calendar proleptic, so a year before
// 1582 is not read as Julian.
constexpr UDate kProlepticChange = -184303902528000000.0;
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return kDays[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

bool IsCalendarDate(int year, int month, int day) {
  if (year < 1 || month < 1 || month > 12 || day < 1) return false;
  return day <= DaysInMonth(year, month);
}

void AppendTwoDigits(std::string& text, int value) {
  text += static_cast<char>('0' + value / 10);
  text += static_cast<char>('0' + value % 10);
}

// The date field as it stands, for dates that cannot be shown in era form. The field
// should hold ASCII digits; any other byte is shown as a replacement character.
std::string AsStored(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  std::string shown;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F) {
      shown += c;
    } else {
      shown += kReplacement;
    }
  }
  return shown;
}

std::string Western(int year, int month, int day) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d", year, month, day);
  return text;
}

}  // namespace

struct EraDateFormatter::Icu {
  std::unique_ptr<icu::GregorianCalendar> gregorian;
  std::unique_ptr<icu::SimpleDateFormat> eraFormat;
  std::unique_ptr<icu::Calendar> japanese;
  std::int32_t meijiEra = 0;

  UDate Instant(int year, int month, int day, UErrorCode& status) {
    gregorian->clear();
    gregorian->set(year, month - 1, day);
    return gregorian->getTime(status);
  }

  std::int32_t Era(UDate instant, UErrorCode& status) {
    japanese->setTime(instant, status);
    return japanese->get(UCAL_ERA, status);
  }
};

EraDateFormatter::EraDateFormatter() = default;

EraDateFormatter::~EraDateFormatter() = default;

EraDateFormatter::Icu& EraDateFormatter::Calendar() const {
  if (icu_) return *icu_;
  auto icu = std::make_unique<Icu>();
  UErrorCode status = U_ZERO_ERROR;
  icu->gregorian =
      std::make_unique<icu::GregorianCalendar>(icu::TimeZone::createTimeZone("UTC"), status);
  icu->gregorian->setGregorianChange(kProlepticChange, status);
  const icu::Locale locale("en@calendar=japanese");
  // "GGGGG": the narrow era name, a one-letter initial from Meiji on.
  icu->eraFormat =
      std::make_unique<icu::SimpleDateFormat>(icu::UnicodeString(u"GGGGG"), locale, status);
  if (U_FAILURE(status)) throw std::runtime_error("ICU Japanese date format unavailable");
  icu->eraFormat->adoptTimeZone(icu::TimeZone::createTimeZone("UTC"));
  icu->japanese.reset(icu->eraFormat->getCalendar()->clone());
  // Eras before Meiji have no one-letter initial. Rather than keep our own era table, ask
  // ICU which era a date well inside Meiji falls in; eras count up in time.
  icu->meijiEra = icu->Era(icu->Instant(1900, 1, 1, status), status);
  if (U_FAILURE(status)) throw std::runtime_error("ICU Japanese calendar unavailable");
  icu_ = std::move(icu);
  return *icu_;
}

std::string EraDateFormatter::Format(std::string_view eightBytes) const {
  if (LeadingNumber(eightBytes) <= 0) return {};
  const auto part = [&](std::size_t at, std::size_t size) {
    return at < eightBytes.size() ? LeadingNumber(eightBytes.substr(at, size)) : 0;
  };
  const auto year = static_cast<int>(part(0, 4));
  const auto month = static_cast<int>(part(4, 2));
  const auto day = static_cast<int>(part(6, 2));
  if (!IsCalendarDate(year, month, day)) return AsStored(eightBytes);
  return FormatValidDate(year, month, day);
}

// Same text as ICU's "GGGGG yy/MM/dd" in the Japanese calendar: the calendar's months and
// days are the Gregorian ones, and "yy" keeps the last two digits of the era year.
std::string EraDateFormatter::FormatValidDate(int year, int month, int day) const {
  Icu& calendar = Calendar();
  std::int32_t era = 0;
  std::int32_t eraYear = 0;
  UDate instant = 0;
  if (const MonthEra& known = EraOfMonth(year, month); known.uniform) {
    era = known.era;
    eraYear = known.eraYear;
    instant = known.instant;
  } else {
    UErrorCode status = U_ZERO_ERROR;
    instant = calendar.Instant(year, month, day, status);
    era = calendar.Era(instant, status);
    eraYear = calendar.japanese->get(UCAL_YEAR, status);
    if (U_FAILURE(status)) return Western(year, month, day);
  }
  if (era < calendar.meijiEra) return Western(year, month, day);

  std::string text = EraText(era, instant);
  text += ' ';
  AppendTwoDigits(text, eraYear % 100);
  text += '/';
  AppendTwoDigits(text, month);
  text += '/';
  AppendTwoDigits(text, day);
  return text;
}

const EraDateFormatter::MonthEra& EraDateFormatter::EraOfMonth(int year, int month) const {
  const std::int32_t key = year * 12 + month - 1;
  auto found = monthEras_.find(key);
  if (found != monthEras_.end()) return found->second;
  Icu& calendar = Calendar();
  // Eras only count up, so the same era and year on the first and the last day hold for
  // every day between.
  UErrorCode status = U_ZERO_ERROR;
  MonthEra first;
  first.instant = calendar.Instant(year, month, 1, status);
  first.era = calendar.Era(first.instant, status);
  first.eraYear = calendar.japanese->get(UCAL_YEAR, status);
  const UDate lastInstant = calendar.Instant(year, month, DaysInMonth(year, month), status);
  const std::int32_t lastEra = calendar.Era(lastInstant, status);
  const std::int32_t lastYear = calendar.japanese->get(UCAL_YEAR, status);
  first.uniform = U_SUCCESS(status) && lastEra == first.era && lastYear == first.eraYear;
  return monthEras_.emplace(key, first).first->second;
}

const std::string& EraDateFormatter::EraText(std::int32_t era, double instant) const {
  auto found = eraTexts_.find(era);
  if (found == eraTexts_.end()) {
    icu::UnicodeString text;
    Calendar().eraFormat->format(instant, text);
    std::string utf8;
    text.toUTF8String(utf8);
    found = eraTexts_.emplace(era, std::move(utf8)).first;
  }
  return found->second;
}

}  // namespace orva
