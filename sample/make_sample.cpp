// Writes a realistic sample of the scheduler's files: the group 営業部 with
// eight members (one hidden, one deleted), a month file for every month of
// 2025 and a type colour file. The output is the same on every run, so the
// demo's reports can be compared between builds.
//
//   tallyer-make-sample FOLDER
#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#endif

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "data/cp932.h"
#include "support/archive_writer.h"
#include "support/calendar_text.h"
#include "support/temp_dir.h"

namespace {

using namespace tallyer;
using namespace tallyer::testing;

constexpr int kYear = 2025;

constexpr std::uint32_t Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return r | (g << 8) | (b << 16);
}

// The colours of the type file, and two that it does not name.
constexpr std::uint32_t kMeeting = Rgb(255, 128, 128);
constexpr std::uint32_t kOut = Rgb(128, 192, 255);
constexpr std::uint32_t kVisit = Rgb(0, 128, 0);
constexpr std::uint32_t kDesk = Rgb(255, 255, 128);
constexpr std::uint32_t kLeave = Rgb(192, 192, 192);
constexpr std::uint32_t kTrip = Rgb(128, 0, 128);
constexpr std::uint32_t kNight = Rgb(64, 64, 64);
constexpr std::uint32_t kOther = Rgb(255, 200, 0);

struct Member {
  const char* name;
  const char* key;
  std::uint32_t flags;
  int visitShare;  // percent of half days spent with clients
};

const Member kMembers[] = {
    {"田中 一郎", "tanaka", 0, 30},     {"鈴木 花子", "suzuki", 0, 55},
    {"佐藤 健太", "sato", 0, 60},       {"高橋 美咲", "takahashi", 0, 45},
    {"伊藤 大輔", "ito", 0, 50},        {"Ｊ．スミス", "smith", 0, 40},
    {"山本 翔（休職中）", "yamamoto", GroupFileBuilder::kHidden, 20},
    {"中村 優子", "nakamura", GroupFileBuilder::kDeleted, 50},
};

const char* const kClients[] = {"株式会社ＡＢＣ", "ＸＹＺ工業", "みどり商事", "ﾐﾄﾞﾘ商会",
                                "東都システム",   "北斗物産",   "Acme Japan"};
const char* const kDeskWork[] = {"資料作成", "見積書作成", "メール対応", "経費精算"};
const char* const kMeetings[] = {"営業会議", "打ち合わせ", "商談準備", "部内会議"};

// A deterministic source of small choices (the engine of std::mt19937 is
// fixed by the standard; the distributions are not, so none is used).
class Dice {
 public:
  int Below(int n) { return static_cast<int>(engine_() % static_cast<std::uint32_t>(n)); }
  template <typename T, std::size_t N>
  const T& Pick(const T (&items)[N]) { return items[Below(static_cast<int>(N))]; }

 private:
  std::mt19937 engine_{20250101u};
};

std::string Sjis(const std::string& utf8) { return Utf8ToCp932(utf8); }

DateTime At(int month, int day, int minutes) {
  return DateTime::FromParts(kYear, month, day, minutes / 60, minutes % 60);
}


class MonthWriter {
 public:
  explicit MonthWriter(int month) : month_(month) {}

  // Appends an ordinary record and returns its position.
  int Add(const Member& m, int day, int from, int to, std::uint32_t color, const std::string& text,
          std::uint32_t flags = 0) {
    ScheduleRecord r;
    r.flags = flags;
    r.start = At(month_, day, from);
    r.end = to >= 24 * 60 ? At(month_, day, to - 24 * 60).PlusDays(1) : At(month_, day, to);
    r.date3 = r.start;
    r.color = color;
    r.content = Sjis(text);
    r.memberKey = m.key;
    records_.push_back(r);
    return static_cast<int>(records_.size()) - 1;
  }

  // The scheduler appends an edited schedule as a new record that revises
  // the old one (kind 1), so the old one no longer counts.
  int Revise(int position, int shiftMinutes, int lengthMinutes, const std::string& text) {
    ScheduleRecord r = records_[static_cast<std::size_t>(position)];
    r.kind = 1;
    r.link = static_cast<std::uint32_t>(position);
    r.start = r.start.PlusDays(shiftMinutes / 1440.0);
    r.end = r.start.PlusDays(lengthMinutes / 1440.0);
    if (!text.empty()) r.content = Sjis(text);
    records_.push_back(r);
    return static_cast<int>(records_.size()) - 1;
  }

  std::string Build() const {
    MonthFileBuilder builder;
    for (const auto& r : records_) builder.Add(r);
    return builder.Build();
  }

 private:
  int month_;
  std::vector<ScheduleRecord> records_;
};

// One member's working day; returns the position of a client visit that may
// be revised later, or -1.
int PlanDay(MonthWriter& w, Dice& dice, const Member& m, int month, int day) {
  const int weekday = DateTime::FromParts(kYear, month, day).Parts().dayOfWeek;
  if (dice.Below(100) < 3) {
    w.Add(m, day, 9 * 60, 18 * 60, kLeave, "有給休暇");
    return -1;
  }
  if (dice.Below(200) == 0) {
    // Two days on the road: 08:00 to 19:00 the next day.
    w.Add(m, day, 8 * 60, 24 * 60 + 19 * 60, kTrip, "出張 大阪支店");
    return -1;
  }
  if (weekday == 2) w.Add(m, day, 9 * 60 + 30, 10 * 60 + 30, kMeeting, "定例会議");

  int revisable = -1;
  // Morning.
  const int morning = dice.Below(100);
  if (morning < m.visitShare / 2) {
    const int from = 10 * 60 + 30 * dice.Below(3);
    w.Add(m, day, from, from + 60 + 30 * dice.Below(4), kOut,
          std::string("外出 (") + dice.Pick(kClients) + ")");
  } else if (morning < 70) {
    const int from = 10 * 60 + 30 * dice.Below(2);
    w.Add(m, day, from, from + 60 + 30 * dice.Below(3), kDesk, dice.Pick(kDeskWork));
  }
  // Afternoon.
  const int afternoon = dice.Below(100);
  if (afternoon < m.visitShare) {
    const int from = 13 * 60 + 30 * dice.Below(5);
    revisable = w.Add(m, day, from, from + 60 + 30 * dice.Below(5), kVisit,
                      std::string("訪問：") + dice.Pick(kClients));
  } else if (afternoon < m.visitShare + 25) {
    const int from = 14 * 60 + 30 * dice.Below(4);
    w.Add(m, day, from, from + 60 + 30 * dice.Below(2), kMeeting, dice.Pick(kMeetings));
  } else if (afternoon < m.visitShare + 35) {
    // Not yet confirmed: a tentative registration.
    const int from = 15 * 60 + 30 * dice.Below(3);
    w.Add(m, day, from, from + 30 + 30 * dice.Below(2), kMeeting, "（仮）打ち合わせ",
          ScheduleRecord::kTentative);
  }
  // Overtime now and then, overlapping the afternoon on purpose.
  if (dice.Below(100) < 8) {
    const int from = 17 * 60 + 30 * dice.Below(2);
    w.Add(m, day, from, from + 60 + 30 * dice.Below(3), kOther, "残業　報告書");
  }
  return revisable;
}

std::string MonthFile(int month, Dice& dice) {
  MonthWriter w(month);
  std::vector<int> visits;
  int lastFriday = 0;
  for (int day = 1; day <= DaysInMonth(kYear, month); ++day) {
    if (!IsWorkingDay(kYear, month, day)) continue;
    if (DateTime::FromParts(kYear, month, day).Parts().dayOfWeek == 6) lastFriday = day;
    for (const Member& m : kMembers) {
      const int visit = PlanDay(w, dice, m, month, day);
      if (visit >= 0) visits.push_back(visit);
    }
  }
  // Night work across midnight at the end of the month (system migration).
  if (lastFriday > 0) {
    w.Add(kMembers[2], lastFriday, 22 * 60, 24 * 60 + 2 * 60, kNight, "夜間作業（システム移行）");
    w.Add(kMembers[4], lastFriday, 22 * 60, 24 * 60 + 1 * 60 + 30, kNight,
          "夜間作業（システム移行）");
  }
  // Edits made later in the month: moved visits, and one edited twice.
  for (int i = 0; i < 3 && !visits.empty(); ++i) {
    const int target = visits[static_cast<std::size_t>(dice.Below(static_cast<int>(visits.size())))];
    const int revised = w.Revise(target, 60, 90, "");
    if (i == 0) w.Revise(revised, 30, 120, std::string("訪問：") + dice.Pick(kClients) + "（時間変更）");
  }
  return w.Build();
}

std::string GroupFile() {
  GroupFileBuilder group;
  group.Name(Sjis("営業部"))
      .GroupStrings({Sjis("第一営業部のサンプル")})
      .SchedulerVersion(315);
  for (const Member& m : kMembers) group.Add(Sjis(m.name), m.key, m.flags);
  return group.Build();
}

std::string TypeFile() {
  return Sjis(
      "nopalette\r\n"
      "会議\t255,128,128\r\n"
      "外出\t128,192,255\r\n"
      "訪問\t0,128,0\r\n"
      "社内作業\t255,255,128\r\n"
      "休暇\t192,192,192\r\n"
      "出張\t128,0,128\r\n");
}

std::string Utf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: tallyer-make-sample FOLDER\n";
    return 2;
  }
#ifdef _WIN32
  // The folder as typed, whatever the ANSI code page can hold.
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  const std::filesystem::path folder =
      wide != nullptr && count == 2 ? std::filesystem::path(wide[1]) : std::filesystem::path(argv[1]);
  if (wide != nullptr) LocalFree(wide);
#else
  const std::filesystem::path folder = argv[1];
#endif
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) {
    std::cerr << "tallyer-make-sample: " << Utf8(folder) << ": " << ec.message() << "\n";
    return 1;
  }
  Dice dice;
  // File names are UTF-8 here, whatever the platform's narrow encoding.
  const auto file = [&folder](const std::string& name) {
    return folder / std::filesystem::u8path(name);
  };
  WriteBytes(file("営業部.group"), GroupFile());
  WriteBytes(file("営業部.type"), TypeFile());
  for (int month = 1; month <= 12; ++month) {
    char name[32];
    std::snprintf(name, sizeof name, "%d%02d.sch", kYear, month);
    WriteBytes(file(std::string("営業部") + name), MonthFile(month, dice));
  }
  for (const char* name : {"営業部.group", "営業部.type", "営業部202501.sch"}) {
    if (!std::filesystem::exists(file(name))) {
      std::cerr << "tallyer-make-sample: cannot write into " << Utf8(folder) << "\n";
      return 1;
    }
  }
  std::cout << "sample: " << Utf8(folder) << "/営業部.group (12 month files, 営業部.type)\n";
  return 0;
}
