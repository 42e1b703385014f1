// Writes starting inputs for the fuzz targets into <folder>/{group,month,type,strings}.
#include <filesystem>
#include <iostream>
#include <string>

#include "data/cp932.h"
#include "support/archive_writer.h"

using namespace tallyer;
using namespace tallyer::testing;

namespace {

void Put(const std::filesystem::path& folder, const std::string& name, const std::string& bytes) {
  std::filesystem::create_directories(folder);
  WriteBytes(folder / name, bytes);
}

void WriteGroupSeeds(const std::filesystem::path& folder) {
  Put(folder, "plain", GroupFileBuilder().Name("team").Add("A", "a").Add("B", "b").Build());
  Put(folder, "japanese",
      GroupFileBuilder()
          .Name(Utf8ToCp932("開発部"))
          .GroupStrings({Utf8ToCp932("メモ")})
          .SchedulerVersion(315)
          .Add(Utf8ToCp932("山田"), "yamada")
          .Add(Utf8ToCp932("佐藤"), "sato", GroupFileBuilder::kHidden)
          .Add(Utf8ToCp932("鈴木"), "suzuki", GroupFileBuilder::kDeleted)
          .Build());
  Put(folder, "wide_layout",
      GroupFileBuilder()
          .StringCount(8)
          .WordCount(3)
          .GroupStrings({"n", "x", std::string(300, 'y')})
          .GroupWords({316u << 16, 1, 2})
          .Add(MemberRecord{.name = "A", .key = "a", .text6 = "6", .extraStrings = {"7", "8"}, .extraWords = {9}})
          .Build());
  Put(folder, "short_layout", GroupFileBuilder().StringCount(1).WordCount(0).Add("A", "a").Build());
  ArchiveWriter wide;
  wide.U32(0).WideUtf8("営業部").U32(1).U32(3).U32(1).U32(0).U32(0).WideUtf8("鈴木～").String("k").String("").U32(0);
  Put(folder, "wide_strings", std::move(wide).Bytes());
}

void WriteMonthSeeds(const std::filesystem::path& folder) {
  MonthFileBuilder plain;
  plain.Add(ScheduleRecord{.start = At("2005-06-01 09:00"), .end = At("2005-06-01 10:00"),
                           .color = 0xFF, .content = Utf8ToCp932("会議"), .memberKey = "a"})
      .Add(ScheduleRecord{.kind = 1, .link = 0, .start = At("2005-06-01 09:30"),
                          .end = At("2005-06-01 11:00"), .content = Utf8ToCp932("会議"), .memberKey = "a"})
      .Add(ScheduleRecord{.flags = ScheduleRecord::kTentative, .start = At("2005-06-02"),
                          .end = At("2005-06-03"), .memberKey = "b"});
  Put(folder, "plain", plain.Build());
  Put(folder, "counts",
      MonthFileBuilder()
          .Add(ScheduleRecord{.content = "x", .extraWords = {1, 2, 3}, .extraStrings = {"6", "7"}})
          .Add(ScheduleRecord{.content = "y", .wordCount = 0, .stringCount = 0})
          .Add(ScheduleRecord{.content = std::string(300, 'z'), .text4 = "4", .stringCount = 4})
          .Build());
  ArchiveWriter wide;
  wide.U32(0).U32(2 | 3 << 16).U32(0).Date(At("2005-06-02")).Date(2, 0).Date(1, 0);
  wide.U32(0).U32(0xFFFFFFFF).WideUtf8("打合せ～").String("k").WideUtf8("");
  Put(folder, "wide", std::move(wide).Bytes());
}

void WriteTypeSeeds(const std::filesystem::path& folder) {
  Put(folder, "types",
      "nopalette\r\n" + Utf8ToCp932("会議") + "\t255,0,0\r\n\t0,0,255\n" + Utf8ToCp932("外出") +
          "\t1, 2, 3\nbad\t12,34\nlast\t-1,256,+7");
}

void WriteStringSeeds(const std::filesystem::path& folder) {
  // Selector bytes as the target reads them: 0 string, 3 skipped words, 4 date-time.
  ArchiveWriter w;
  w.U8(0).String("short").U8(0).String(std::string(300, 'm')).U8(0).String(std::string(70000, 'l'));
  w.U8(1).WideUtf8("日本語").U8(2).U8(2).String("a").WideUtf8("b").U8(3).U32(2).U32(1).U32(2);
  w.U8(4).Date(At("2005-06-01 09:00")).U8(5).U16(7).U8(6).F64(-1.25).U8(7).Color(0x123456);
  Put(folder, "mixed", std::move(w).Bytes());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: fuzz_seed_writer <folder>\n";
    return 2;
  }
  const std::filesystem::path root = argv[1];
  WriteGroupSeeds(root / "group");
  WriteMonthSeeds(root / "month");
  WriteTypeSeeds(root / "type");
  WriteStringSeeds(root / "strings");
  return 0;
}
