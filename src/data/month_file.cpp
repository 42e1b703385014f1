#include "data/month_file.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "data/archive_reader.h"
#include "data/file_error.h"
#include "data/clock.h"
#include "data/group.h"

namespace tallyer {

CMonthFile::CMonthFile(TextPool& texts) : texts_(&texts), month_(LocalNow()) {}

void CMonthFile::SetMonth(const DateTime& month) {
  month_ = month;
  UpdatePath();
}

void CMonthFile::UpdatePath() {
  const CalendarParts parts = month_.Parts();
  path_ = MonthFilePath(group_ != nullptr ? group_->Path() : std::filesystem::path(), parts.year,
                        parts.month);
}

std::filesystem::path MonthFilePath(const std::filesystem::path& groupPath, int year, int month) {
  // The last '.' of the whole path, folder names included. In the native
  // encoding (UTF-8 or UTF-16) a '.' is never part of another character.
  const auto& native = groupPath.native();
  const auto dot = native.rfind('.');
  std::filesystem::path result(dot == native.npos ? std::filesystem::path::string_type()
                                                  : native.substr(0, dot));
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, "%d%02d.sch", year, month);
  result += suffix;
  return result;
}

void CMonthFile::Load() {
  Clear();
  std::size_t length = 0;
  try {
    ReadWholeFile(path_, bytes_, length);
  } catch (const FileError&) {
    // A missing or unreadable month has no schedules, or those read before the failure.
  }
  try {
    ArchiveReader reader;
    reader.OpenBytes(std::string_view(bytes_.data(), length));
    std::string scratch;  // for a wide string, converted
    auto readText = [&]() { return texts_->Intern(reader.ReadStringView(scratch)); };
    for (;;) {
      // A record is added only once it was read whole: end of file inside it drops it.
      // The lead word, third date-time and third to fifth texts are read
      // past: nothing uses them (see CSchedule).
      CSchedule record;
      reader.ReadU32();  // the lead word
      const std::uint32_t layout = reader.ReadU32();
      const std::uint32_t wordCount = layout & 0xFFFF;
      const std::uint32_t stringCount = layout >> 16;
      record.kindFlags = static_cast<std::uint16_t>(reader.ReadU32());
      record.start = reader.ReadDateTime();
      record.end = reader.ReadDateTime();
      reader.ReadDateTime();  // the third date-time
      record.color = reader.ReadColor();
      record.link = reader.ReadU32();
      if (wordCount > 2) reader.SkipU32(wordCount - 2);
      record.content = readText();
      record.memberKey = readText();
      // Three texts at least, however few the layout counts.
      reader.SkipStrings(std::max<std::uint32_t>(stringCount, 3) - 2);
      Add(record);
    }
  } catch (const ArchiveError&) {
    // The end of the file is the end of the record list.
  }
}

void CMonthFile::Add(CSchedule record) {
  record.position = Count();
  schedules_.push_back(record);
}

}  // namespace tallyer
