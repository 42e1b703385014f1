#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/date_time.h"
#include "support/temp_dir.h"  // WriteBytes(path, bytes), ReadBytes(path)

// Writers of the scheduler's binary formats, for building test, sample,
// benchmark and fuzz input byte by byte. Texts are CP932 std::string unless a
// name says otherwise (tests convert constants with Utf8ToCp932).
namespace tallyer::testing {

// Little-endian values and length-prefixed strings appended one after another.
// Lengths use the shortest form: 0..254 in one byte, 255..65533 as 0xFF + u16,
// 65534 and more as 0xFF 0xFFFF + u32 (0xFFFE is the wide-text marker).
class ArchiveWriter {
 public:
  ArchiveWriter& U8(std::uint8_t v);
  ArchiveWriter& U16(std::uint16_t v);
  ArchiveWriter& U32(std::uint32_t v);
  ArchiveWriter& I32(std::int32_t v);
  ArchiveWriter& F64(double v);
  // Status first, then the value.
  ArchiveWriter& Date(const DateTime& t);
  ArchiveWriter& Date(std::int32_t status, double value);
  ArchiveWriter& Color(std::uint32_t bgr) { return U32(bgr); }
  ArchiveWriter& Raw(std::string_view bytes);

  // A length prefix alone (no marker, no characters).
  ArchiveWriter& Length(std::uint64_t length);
  // A narrow string: prefix and the CP932 bytes as they are.
  ArchiveWriter& String(std::string_view cp932);
  // A wide string: 0xFF 0xFFFE, the prefix counting UTF-16 units, then UTF-16LE.
  ArchiveWriter& WideUnits(std::u16string_view units);
  ArchiveWriter& WideUtf8(std::string_view utf8);
  ArchiveWriter& WideCp932(std::string_view cp932);

  const std::string& Bytes() const& { return bytes_; }
  std::string Bytes() && { return std::move(bytes_); }
  std::size_t Size() const { return bytes_.size(); }

 private:
  std::string bytes_;
};

// UTF-8 to UTF-16 code units (invalid sequences become U+FFFD).
std::u16string Utf8ToUtf16(std::string_view utf8);

// "2005-06-01", "2005-06-01 09:00" or "2005-06-01 09:00:30" as a valid
// DateTime; throws std::invalid_argument on another shape or impossible parts.
DateTime At(std::string_view text);

// ---------------------------------------------------------------------------
// Group file (*.group)

// One member record. Strings beyond text6 and words beyond flags are the
// fields a newer scheduler might add.
struct MemberRecord {
  std::string name;
  std::string key;
  std::uint32_t flags = 0;
  std::string text3, text4, text5, text6;
  std::vector<std::string> extraStrings;
  std::vector<std::uint32_t> extraWords;
};

// Builds a group file. By default the header counts agree with the contents:
// M = members added, S = 6, W = 1, GS/GW = group strings/words given. Every
// count can be set on its own. Each member record is written with exactly
// max(S, 3) strings and max(W, 1) words (padded with empty strings / zeros,
// extras cut), as the reader expects, unless ExactRecords() asks to write the
// records' own fields only (for counts too large to pad).
class GroupFileBuilder {
 public:
  static constexpr std::uint32_t kHidden = 0x20;
  static constexpr std::uint32_t kDeleted = 0x40;

  GroupFileBuilder& LeadWord(std::uint32_t v) { leadWord_ = v; return *this; }
  GroupFileBuilder& Name(std::string cp932) { name_ = std::move(cp932); return *this; }
  GroupFileBuilder& MemberCount(std::uint32_t m) { memberCount_ = m; return *this; }
  GroupFileBuilder& StringCount(std::uint32_t s) { stringCount_ = s; return *this; }
  GroupFileBuilder& WordCount(std::uint32_t w) { wordCount_ = w; return *this; }
  GroupFileBuilder& GroupStringCount(std::uint32_t gs) { groupStringCount_ = gs; return *this; }
  GroupFileBuilder& GroupWordCount(std::uint32_t gw) { groupWordCount_ = gw; return *this; }
  // The group strings; the first is the group note.
  GroupFileBuilder& GroupStrings(std::vector<std::string> s) { groupStrings_ = std::move(s); return *this; }
  // The group words; the first is the version.
  GroupFileBuilder& GroupWords(std::vector<std::uint32_t> w) { groupWords_ = std::move(w); return *this; }
  // Shorthand: the scheduler version V (315 = 3.15) as the only group word V << 16.
  GroupFileBuilder& SchedulerVersion(std::uint32_t v) { groupWords_ = {v << 16}; return *this; }
  GroupFileBuilder& ExactRecords() { exactRecords_ = true; return *this; }

  GroupFileBuilder& Add(MemberRecord member) { members_.push_back(std::move(member)); return *this; }
  GroupFileBuilder& Add(std::string name, std::string key, std::uint32_t flags = 0) {
    MemberRecord m;
    m.name = std::move(name);
    m.key = std::move(key);
    m.flags = flags;
    return Add(std::move(m));
  }

  std::string Build() const;
  // Byte offset where member record i starts (i == members given: the end).
  std::size_t MemberOffset(std::size_t i) const;

 private:
  void WriteHeader(ArchiveWriter& w) const;
  void WriteMember(ArchiveWriter& w, const MemberRecord& m) const;

  std::uint32_t leadWord_ = 0;
  std::string name_;
  std::optional<std::uint32_t> memberCount_;
  std::uint32_t stringCount_ = 6;
  std::uint32_t wordCount_ = 1;
  std::optional<std::uint32_t> groupStringCount_;
  std::optional<std::uint32_t> groupWordCount_;
  std::vector<std::string> groupStrings_;
  std::vector<std::uint32_t> groupWords_;
  bool exactRecords_ = false;
  std::vector<MemberRecord> members_;
};

// ---------------------------------------------------------------------------
// Month schedule file (<group name><yyyymm>.sch)

// One schedule record. Fields are in the order a test most often sets them, so
// designated initialisers read naturally:
//   ScheduleRecord{.kind = 1, .link = 0, .start = At("2005-06-01 09:00"), ...}
// kindFlags is written as kind | flags (flags: e.g. kTentative).
// N (wordCount) defaults to 2 + extraWords, T (stringCount) to 5 + extraStrings;
// when set, exactly the fields the counts call for are written (text4 when
// T >= 4, text5 when T >= 5, T - 5 extra strings and N - 2 extra words, padded
// with empty strings / zeros); color, link and three strings are always written.
struct ScheduleRecord {
  static constexpr std::uint32_t kTentative = 0x1000;
  static constexpr std::uint32_t kNoLink = 0xFFFFFFFFu;

  std::uint32_t kind = 0;
  std::uint32_t flags = 0;
  std::uint32_t link = kNoLink;
  DateTime start;
  DateTime end;
  std::uint32_t color = 0;
  std::string content;
  std::string memberKey;
  std::string text3, text4, text5;
  DateTime date3;
  std::vector<std::uint32_t> extraWords;
  std::vector<std::string> extraStrings;
  std::uint32_t leadWord = 0;
  std::optional<std::uint16_t> wordCount;    // N
  std::optional<std::uint16_t> stringCount;  // T
};

void WriteScheduleRecord(ArchiveWriter& w, const ScheduleRecord& r);

class MonthFileBuilder {
 public:
  MonthFileBuilder& Add(const ScheduleRecord& r) {
    WriteScheduleRecord(writer_, r);
    offsets_.push_back(writer_.Size());
    return *this;
  }
  // Bytes after the records, e.g. a partly written record.
  MonthFileBuilder& Raw(std::string_view bytes) { writer_.Raw(bytes); return *this; }

  std::string Build() const { return writer_.Bytes(); }
  std::size_t Count() const { return offsets_.size(); }
  // Byte offset where record i ends (the next one starts).
  std::size_t EndOf(std::size_t i) const { return offsets_.at(i); }

 private:
  ArchiveWriter writer_;
  std::vector<std::size_t> offsets_;
};

}  // namespace tallyer::testing
