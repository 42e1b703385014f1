#pragma once

#include <cstdint>
#include <filesystem>

#include "data/cp932.h"
#include "data/month_file.h"
#include "support/archive_writer.h"

// Scheduler files for the window's tests.
namespace tallyer::testing {

constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kBlue = 0xFF0000;
constexpr std::uint32_t kGreen = 0x00FF00;

inline ScheduleRecord Schedule(const char* key, const char* start, const char* end, std::uint32_t color,
                               const char* content, std::uint32_t flags = 0) {
  ScheduleRecord r;
  r.flags = flags;
  r.start = At(start);
  r.end = At(end);
  r.color = color;
  r.content = Utf8ToCp932(content);
  r.memberKey = Utf8ToCp932(key);
  return r;
}

// A group of three visible members and one hidden, with schedules in May,
// June and July 2005 and a type colour file beside it.
inline std::filesystem::path WriteTeam(const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  const auto group = folder / "営業部.group";
  WriteBytes(group, GroupFileBuilder()
                        .Name(Utf8ToCp932("営業部"))
                        .Add(Utf8ToCp932("田中"), "tanaka")
                        .Add(Utf8ToCp932("鈴木"), "suzuki")
                        .Add(Utf8ToCp932("隠れ"), "hidden", GroupFileBuilder::kHidden)
                        .Add(Utf8ToCp932("山本"), Utf8ToCp932("山本"))
                        .Build());
  WriteBytes(MonthFilePath(group, 2005, 5),
             MonthFileBuilder().Add(Schedule("tanaka", "2005-05-31 09:00", "2005-05-31 10:00", kRed, "会議")).Build());
  WriteBytes(MonthFilePath(group, 2005, 6),
             MonthFileBuilder()
                 .Add(Schedule("tanaka", "2005-06-01 09:00", "2005-06-01 12:00", kRed, "会議"))
                 .Add(Schedule("tanaka", "2005-06-01 11:00", "2005-06-01 13:00", kBlue, "打合せ"))
                 .Add(Schedule("tanaka", "2005-06-02 13:00", "2005-06-02 17:30", kRed, "会議 週次",
                               ScheduleRecord::kTentative))
                 .Add(Schedule("tanaka", "2005-06-30 17:00", "2005-06-30 19:00", kGreen, "ｶｲｷﾞ"))
                 .Add(Schedule("suzuki", "2005-06-10 08:00", "2005-06-10 10:30", kRed, "会議"))
                 .Add(Schedule("suzuki", "2005-06-15 22:00", "2005-06-15 23:30", 0x00FFFF, "残業, \"作業\""))
                 .Add(Schedule("hidden", "2005-06-15 09:00", "2005-06-15 10:00", kRed, "会議"))
                 .Add(Schedule("山本", "2005-06-20 09:00", "2005-06-20 09:45", kBlue, "打合せ"))
                 .Build());
  WriteBytes(MonthFilePath(group, 2005, 7),
             MonthFileBuilder().Add(Schedule("suzuki", "2005-07-01 09:00", "2005-07-01 10:00", kRed, "会議")).Build());
  WriteBytes(folder / "営業部.type", Utf8ToCp932("会議\t255,0,0\r\n打合せ\t0,0,255\r\nnopalette\r\n"));
  return group;
}

}  // namespace tallyer::testing
