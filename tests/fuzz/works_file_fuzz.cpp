// Works files under any bytes, read record by record as the works list does. Inputs shorter
// than a record are a date field by themselves, so the era dates are fuzzed head-on too;
// every date that forms a calendar day is checked against ICU's own Japanese formatting.
#include <unicode/calendar.h>
#include <unicode/gregocal.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "platform/cp932_codec.h"
#include "platform/leading_number.h"
#include "works/era_date.h"
#include "works/works_file.h"
#include "works/works_record.h"

using orva::fuzz::Require;

namespace {

// Whole dates through ICU, the slow way the formatter's caches stand in for.
class EraOracle {
 public:
  EraOracle() {
    UErrorCode status = U_ZERO_ERROR;
    gregorian_ =
        std::make_unique<icu::GregorianCalendar>(icu::TimeZone::createTimeZone("UTC"), status);
    gregorian_->setGregorianChange(-184303902528000000.0, status);  // proleptic
    format_ = std::make_unique<icu::SimpleDateFormat>(icu::UnicodeString(u"GGGGG yy/MM/dd"),
                                                      icu::Locale("en@calendar=japanese"), status);
    format_->adoptTimeZone(icu::TimeZone::createTimeZone("UTC"));
    japanese_.reset(format_->getCalendar()->clone());
    meiji_ = Era(Instant(1900, 1, 1));
    Require(U_SUCCESS(status), "ICU's Japanese calendar is there");
  }

  std::string Format(int year, int month, int day) {
    const UDate instant = Instant(year, month, day);
    if (Era(instant) < meiji_) {
      char text[16];
      std::snprintf(text, sizeof text, "%04d/%02d/%02d", year, month, day);
      return text;
    }
    icu::UnicodeString text;
    format_->format(instant, text);
    std::string utf8;
    text.toUTF8String(utf8);
    return utf8;
  }

 private:
  UDate Instant(int year, int month, int day) {
    UErrorCode status = U_ZERO_ERROR;
    gregorian_->clear();
    gregorian_->set(year, month - 1, day);
    return gregorian_->getTime(status);
  }
  std::int32_t Era(UDate instant) {
    UErrorCode status = U_ZERO_ERROR;
    japanese_->setTime(instant, status);
    return japanese_->get(UCAL_ERA, status);
  }

  std::unique_ptr<icu::GregorianCalendar> gregorian_;
  std::unique_ptr<icu::SimpleDateFormat> format_;
  std::unique_ptr<icu::Calendar> japanese_;
  std::int32_t meiji_ = 0;
};

bool IsCalendarDate(int year, int month, int day) {
  static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (year < 1 || month < 1 || month > 12 || day < 1 || day > kDays[month - 1]) return false;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month != 2 || day <= 28 || leap;
}

void CheckDate(std::string_view field, const orva::EraDateFormatter& dates, EraOracle& oracle) {
  const std::string shown = dates.Format(field);
  if (orva::LeadingNumber(field) <= 0) {
    Require(shown.empty(), "no date shows as empty");
    return;
  }
  Require(!shown.empty(), "a date shows as something");
  const auto part = [&](std::size_t at, std::size_t size) {
    return at < field.size() ? static_cast<int>(orva::LeadingNumber(field.substr(at, size))) : 0;
  };
  const int year = part(0, 4), month = part(4, 2), day = part(6, 2);
  if (IsCalendarDate(year, month, day)) {
    Require(shown == oracle.Format(year, month, day), "era form as ICU formats it");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const orva::Cp932Codec codec;
  static const orva::EraDateFormatter dates;
  static EraOracle oracle;
  const std::string_view bytes = orva::fuzz::Bytes(data, size);

  if (size < orva::kWorksRecordSize) CheckDate(bytes.substr(0, 8), dates, oracle);

  // As the works grid reads it: each text field straight to UTF-16.
  std::vector<char16_t> text(orva::kWorksRecordSize);
  std::size_t live = 0;
  orva::ForEachLiveRecord(bytes, [&](const orva::WorksRecord& record) {
    Require(record.number > 0, "only live records are listed");
    ++live;
    CheckDate(record.date, dates, oracle);
    for (std::string_view field :
         {record.nameFirst, record.nameSecond, record.client, record.route}) {
      Require(orva::fuzz::SliceOf(field, bytes), "a text field lies in its record");
      const std::string_view trimmed = orva::TrimmedField(field);
      Require(codec.DecodeUtf16(trimmed, text.data()) <= trimmed.size(), "UTF-16 fits its bytes");
    }
  });
  Require(live <= size / orva::kWorksRecordSize, "no more rows than whole records");
  return 0;
}
