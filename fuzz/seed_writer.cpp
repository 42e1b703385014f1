// Writes the seed inputs of the fuzz targets into <folder>/<target>/: valid
// files of every shape the readers know, built with the test-support writer.
#include <cstdint>
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

// Revisions of every kind: a record revised twice, a deleted revision, a link
// to itself and one past the end.
MonthFileBuilder ChainMonth() {
  MonthFileBuilder month;
  auto record = [](std::uint32_t kind, std::uint32_t link, const char* start, const char* end, const char* key) {
    return ScheduleRecord{.kind = kind, .link = link, .start = At(start), .end = At(end),
                          .color = 0x0000FF * (kind + 1), .content = Utf8ToCp932("打合せ"), .memberKey = key};
  };
  month.Add(record(0, ScheduleRecord::kNoLink, "2005-06-01 09:00", "2005-06-01 10:00", "a"))
      .Add(record(1, 0, "2005-06-01 09:00", "2005-06-01 11:00", "a"))
      .Add(record(2, 1, "2005-06-02 09:00", "2005-06-02 12:00", "a"))
      .Add(record(3, 2, "2005-06-02 09:00", "2005-06-02 12:00", "a"))
      .Add(record(1, 4, "2005-06-03 13:00", "2005-06-03 14:00", "b"))
      .Add(record(1, 99, "2005-06-04 13:00", "2005-06-04 18:30", "b"))
      .Add(ScheduleRecord{.flags = ScheduleRecord::kTentative, .start = At("2005-06-05 17:00"),
                          .end = At("2005-06-06 01:00"), .color = 0xFF8000, .content = "ABC", .memberKey = "b"});
  return month;
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
  Put(folder, "chains", ChainMonth().Build());
}

void WriteTypeSeeds(const std::filesystem::path& folder) {
  Put(folder, "types",
      "nopalette\r\n" + Utf8ToCp932("会議") + "\t255,0,0\r\n\t0,0,255\n" + Utf8ToCp932("外出") +
          "\t1, 2, 3\nbad\t12,34\nlast\t-1,256,+7");
}

void WriteStringSeeds(const std::filesystem::path& folder) {
  // Selector bytes as the target reads them: 0-2 strings, 3 skipped strings,
  // 4 skipped words, 5 date-time, 6 u16, 7 f64, 8 i32, 9 colour.
  ArchiveWriter w;
  w.U8(0).String("short").U8(1).String(std::string(300, 'm')).U8(2).U8(0xFF).U16(0xFFFF).U32(4).Raw("long");
  w.U8(2).String("view").U8(1).WideUtf8("日本語").U8(3).U8(2).String("a").WideUtf8("b").U8(4).U32(2).U32(1).U32(2);
  w.U8(5).Date(At("2005-06-01 09:00")).U8(6).U16(7).U8(7).F64(-1.25).U8(8).I32(-3).U8(9).Color(0x123456);
  Put(folder, "mixed", std::move(w).Bytes());
}

void WriteFoldingSeeds(const std::filesystem::path& folder) {
  // The first byte is the pattern's length.
  const auto seed = [](const std::string& pattern, const std::string& text) {
    return std::string(1, static_cast<char>(pattern.size())) + pattern + text;
  };
  Put(folder, "ascii", seed("abc", "xxABCabc"));
  Put(folder, "kana", seed(Utf8ToCp932("ｶﾞｲｼｭﾂ"), Utf8ToCp932("本日ガイシュツ、ＡＢＣ会議")));
  Put(folder, "greek", seed(Utf8ToCp932("αβ"), Utf8ToCp932("ΑΒΓ Привет")));
  Put(folder, "lone_lead", seed("\x82", "a\x82\xA0\x82"));
  // Fixed: the byte after a lone lead byte was lost in the conversion to UTF-8.
  Put(folder, "regress_lead_byte_before_comma", seed("", "\x82,\x82\"\x9F\r\n\xE0"));
}

// Options, content text, group, type file and month as the pipeline target cuts them.
std::string PipelineInput(std::uint8_t modes, std::uint8_t flags, const std::string& content,
                          const std::string& group, const std::string& types, const std::string& month) {
  ArchiveWriter w;
  // modes, flags, first day (June 1 is 48), period length + 16, band 17:30-23:59
  w.U8(modes).U8(flags).U8(48).U8(16 + 29).U8(17).U8(30).U8(23).U8(59);
  w.U8(static_cast<std::uint8_t>(content.size())).Raw(content);
  w.U16(static_cast<std::uint16_t>(group.size())).Raw(group);
  w.U16(static_cast<std::uint16_t>(types.size())).Raw(types);
  w.Raw(month);
  return std::move(w).Bytes();
}

void WritePipelineSeeds(const std::filesystem::path& folder) {
  const std::string group = GroupFileBuilder()
                                .Name(Utf8ToCp932("営業部"))
                                .Add(Utf8ToCp932("田中"), "a")
                                .Add(Utf8ToCp932("鈴木"), "b")
                                .Add(Utf8ToCp932("山田"), "c", GroupFileBuilder::kHidden)
                                .Build();
  const std::string types = Utf8ToCp932("会議\t255,0,0\r\n外出\t0,128,255\r\n");
  const std::string month = ChainMonth().Build();
  const std::string meeting = Utf8ToCp932("打合");
  constexpr std::uint8_t kEveryone = 0x10;
  Put(folder, "totals", PipelineInput(0 | kEveryone, 0, "", group, types, month));
  Put(folder, "colors_hours", PipelineInput(1 | 1 << 2, 1 | 32, "", group, types, month));
  Put(folder, "types_days", PipelineInput(2 | 2 << 2 | kEveryone, 16, "", group, types, month));
  Put(folder, "contents_filtered", PipelineInput(3 | 3 << 2 | kEveryone, 2 | 8, meeting, group, types, month));
  Put(folder, "totals_exact_no_overlap", PipelineInput(0, 2 | 4 | 16, meeting, group, types, month));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: fuzz_seed_writer <folder>\n";
    return 2;
  }
  const std::filesystem::path root = argv[1];
  WriteGroupSeeds(root / "group_file");
  WriteMonthSeeds(root / "month_file");
  WriteTypeSeeds(root / "type_colors");
  WriteStringSeeds(root / "archive_reader");
  WriteFoldingSeeds(root / "text_folding");
  WritePipelineSeeds(root / "pipeline");
  return 0;
}
