#include "bench/bench_data.h"

#include <array>
#include <cstdio>

#include "platform/cp932_codec.h"
#include "support/works_file_builder.h"

namespace orva::bench {
namespace {

constexpr std::array<const char*, 8> kPlaces = {
    "国道２３号", "県道大宮川越線", "一級河川荒川", "市道１２５号線",
    "町道北原線", "二級河川新田川", "農道東部幹線", "臨港道路"};
constexpr std::array<const char*, 6> kKinds = {"道路改良工事", "橋梁補修工事",   "護岸工事",
                                               "舗装修繕工事", "排水路整備工事", "法面保護工事"};
constexpr std::array<const char*, 5> kClients = {"埼玉県川越県土整備事務所",
                                                 "国土交通省関東地方整備局", "大宮市建設部",
                                                 "北原町役場", "東部土地改良区"};

// "YYYYMMDD" of a day counted from 1970-01-01 (proleptic Gregorian).
std::string DateText(int days) {
  days += 719468;
  const int era = (days >= 0 ? days : days - 146096) / 146097;
  const int doe = days - era * 146097;
  const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int mp = (5 * doy + 2) / 153;
  const int day = doy - (153 * mp + 2) / 5 + 1;
  const int month = mp < 10 ? mp + 3 : mp - 9;
  const int year = yoe + era * 400 + (month <= 2 ? 1 : 0);
  char text[40];
  std::snprintf(text, sizeof text, "%04d%02d%02d", year, month, day);
  return text;
}

std::string Sjis(const Cp932Codec& codec, const std::string& utf8) { return *codec.Encode(utf8); }

}  // namespace

std::string BuildWorksFile(int records, const Cp932Codec& codec) {
  std::string file;
  file.reserve(static_cast<std::size_t>(records) * test::WorksRecordBuilder::kSize);
  constexpr int kShowaStart = -15712;  // 1926-12-25
  constexpr int kDaySpan = 36500;      // to 2026: Showa, Heisei and Reiwa dates
  for (int i = 0; i < records; ++i) {
    const std::string place = kPlaces[i % kPlaces.size()];
    const std::string kind = kKinds[(i / 8) % kKinds.size()];
    const std::string lot = "（第" + std::to_string(i % 97 + 1) + "工区）";
    test::WorksRecordBuilder record;
    record.Number(static_cast<std::int32_t>((static_cast<long>(i) * 20011) % records + 1))
        .NameFirst(Sjis(codec, place + kind))
        .NameSecond(Sjis(codec, i % 3 == 0 ? lot : "その" + std::to_string(i % 12 + 1)))
        .Client(Sjis(codec, kClients[(i / 3) % kClients.size()]))
        .Route(Sjis(codec, place))
        .Date(DateText(kShowaStart + static_cast<int>((static_cast<long>(i) * 7919) % kDaySpan)))
        .DirectCost(1000.0 * (i % 5000) + 0.5)
        .TotalCost(1500.0 * (i % 7000) + 0.25);
    file += record.Bytes();
  }
  return file;
}

std::string EntryExe(int category, int edition) {
  char text[48];
  std::snprintf(text, sizeof text, "VORDELN\\P%d\\E%04d.exe", category, edition);
  return text;
}

std::string IconName(int index) {
  char text[24];
  std::snprintf(text, sizeof text, "i%02d.png", index);
  return text;
}

std::string BuildCatalogue(int categories, int perCategory, const std::string& exeRoot) {
  static constexpr const char* kNames[] = {"土木積算", "農林積算", "港湾積算",
                                           "民間見積", "水道積算", "実行予算"};
  std::string text;
  for (int category = 1; category <= categories; ++category) {
    for (int edition = 1; edition <= perCategory; ++edition) {
      char code[24];
      std::snprintf(code, sizeof code, "%d%04d", category, edition);
      const std::string name =
          std::string(kNames[category - 1]) + " 第" + std::to_string(edition) + "版";
      const std::string fields[] = {code,
                                    name,
                                    exeRoot + EntryExe(category, edition),
                                    IconName((category * 7 + edition) % kIconFiles),
                                    "DATA.TXT",
                                    ""};
      std::string line;
      for (const std::string& field : fields) {
        if (!line.empty()) line += ',';
        line += '"' + field + '"';
      }
      text += line + "\r\n";
    }
  }
  return text;
}

}  // namespace orva::bench
