#include "data/archive_reader.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <string>

#include "data/cp932.h"
#include "data/file_error.h"
#include "support/archive_writer.h"
#include "support/temp_dir.h"

namespace tallyer {
namespace {

using testing::ArchiveWriter;
using testing::TempDir;

class ArchiveReaderTest : public ::testing::Test {
 protected:
  // Writes the bytes to a file and opens a reader on it.
  ArchiveReader& OpenBytes(const std::string& bytes) {
    testing::WriteBytes(file_, bytes);
    reader_.Open(file_);
    return reader_;
  }

  TempDir dir_;
  std::filesystem::path file_ = dir_ / "archive.bin";
  ArchiveReader reader_;
};

int EndOfFileCause(ArchiveReader& reader, void (*read)(ArchiveReader&)) {
  try {
    read(reader);
  } catch (const ArchiveError& e) {
    return e.cause;
  }
  return -1;
}

// --- String prefixes at every boundary of the writer rule -------------------

struct PrefixCase {
  std::uint64_t length;
  std::string prefix;  // what the writer must put before the characters
};

class StringPrefixTest : public ArchiveReaderTest, public ::testing::WithParamInterface<PrefixCase> {};

TEST_P(StringPrefixTest, WriterUsesShortestFormAndReaderReadsItBack) {
  const PrefixCase& c = GetParam();
  std::string text(c.length, '\0');
  for (std::size_t i = 0; i < text.size(); ++i) text[i] = static_cast<char>('a' + i % 26);

  const std::string bytes = ArchiveWriter().String(text).U32(0xA1B2C3D4).Bytes();
  ASSERT_EQ(bytes.substr(0, c.prefix.size()), c.prefix);
  ASSERT_EQ(bytes.size(), c.prefix.size() + c.length + 4);

  ArchiveReader& r = OpenBytes(bytes);
  EXPECT_EQ(r.ReadString(), text);
  EXPECT_EQ(r.ReadU32(), 0xA1B2C3D4u);  // nothing more and nothing less was consumed
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, StringPrefixTest,
    ::testing::Values(PrefixCase{0, std::string("\x00", 1)}, PrefixCase{1, "\x01"},
                      PrefixCase{254, "\xFE"}, PrefixCase{255, std::string("\xFF\xFF\x00", 3)},
                      PrefixCase{256, std::string("\xFF\x00\x01", 3)},
                      PrefixCase{65533, "\xFF\xFD\xFF"},
                      PrefixCase{65534, std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7)},
                      PrefixCase{65535, std::string("\xFF\xFF\xFF\xFF\xFF\x00\x00", 7)},
                      PrefixCase{70000, std::string("\xFF\xFF\xFF\x70\x11\x01\x00", 7)}));

TEST_F(ArchiveReaderTest, LongerPrefixFormsAreReadForShortLengths) {
  // Another writer may use a wider form than needed; the length is what counts.
  ArchiveReader& r = OpenBytes(std::string("\xFF\x03\x00" "abc" "\xFF\xFF\xFF\x02\x00\x00\x00" "de", 15));
  EXPECT_EQ(r.ReadString(), "abc");
  EXPECT_EQ(r.ReadString(), "de");
}

TEST_F(ArchiveReaderTest, EmptyStringConsumesOneByte) {
  ArchiveReader& r = OpenBytes(std::string("\x00\x07", 2));
  EXPECT_EQ(r.ReadString(), "");
  EXPECT_EQ(r.ReadU8(), 7);
}

TEST_F(ArchiveReaderTest, NarrowStringsKeepTheirCp932Bytes) {
  const std::string text = Utf8ToCp932("会議～①");
  ArchiveReader& r = OpenBytes(ArchiveWriter().String(text).Bytes());
  EXPECT_EQ(r.ReadString(), text);
}

// --- Wide strings -----------------------------------------------------------

TEST_F(ArchiveReaderTest, WideStringOfThreeCharactersIsConvertedToCp932) {
  // 0xFF 0xFFFE marker, then length 3 and six bytes of UTF-16LE.
  const std::string bytes("\xFF\xFE\xFF\x03" "\x42\x30\x44\x30\x5E\xFF", 10);
  ArchiveReader& r = OpenBytes(bytes + "\x09");
  EXPECT_EQ(r.ReadString(), Utf8ToCp932("あい～"));
  EXPECT_EQ(r.ReadU8(), 9);
}

TEST_F(ArchiveReaderTest, WideStringsWithLongPrefixesAndStops) {
  const std::u16string longText(300, u'ア');
  ArchiveReader& r = OpenBytes(ArchiveWriter()
                                   .WideUnits(longText)
                                   .WideUnits(std::u16string(u"ab\0cd", 5))
                                   .WideUnits(u"")
                                   .WideUtf8("é日")
                                   .WideUnits(u"x\U0001F600y")
                                   .U8(1)
                                   .Bytes());
  std::string katakana;
  for (int i = 0; i < 300; ++i) katakana += "ア";
  EXPECT_EQ(r.ReadString(), Utf8ToCp932(katakana));
  EXPECT_EQ(r.ReadString(), "ab");  // conversion stops at U+0000, the bytes are consumed
  EXPECT_EQ(r.ReadString(), "");
  EXPECT_EQ(r.ReadString(), "?" + Utf8ToCp932("日"));  // é has no CP932 form
  EXPECT_EQ(r.ReadString(), "x?y");                 // one '?' for a surrogate pair
  EXPECT_EQ(r.ReadU8(), 1);
}

TEST_F(ArchiveReaderTest, WideMarkerAfterWideMarkerIsADamagedFile) {
  ArchiveReader& r = OpenBytes(std::string("\xFF\xFE\xFF\xFF\xFE\xFF\x01\x41\x00", 9));
  EXPECT_EQ(EndOfFileCause(r, [](ArchiveReader& a) { a.ReadString(); }), ArchiveError::kEndOfFile);
}

TEST_F(ArchiveReaderTest, SkipStringsFollowsEveryPrefixForm) {
  ArchiveReader& r = OpenBytes(ArchiveWriter()
                                   .String("")
                                   .String(std::string(300, 'x'))
                                   .String(std::string(70000, 'y'))
                                   .WideUtf8("日本")
                                   .String("after")
                                   .Bytes());
  r.SkipStrings(4);
  EXPECT_EQ(r.ReadString(), "after");
}

TEST_F(ArchiveReaderTest, NonPositiveSkipCountsReadNothing) {
  ArchiveReader& r = OpenBytes(ArchiveWriter().U32(5).Bytes());
  r.SkipU32(0);
  r.SkipU32(-3);
  r.SkipStrings(0);
  r.SkipStrings(-1);
  EXPECT_EQ(r.ReadU32(), 5u);
}

// --- Values -----------------------------------------------------------------

TEST_F(ArchiveReaderTest, ValuesAreLittleEndianWithoutPadding) {
  ArchiveReader& r = OpenBytes(ArchiveWriter()
                                   .U8(0xAB)
                                   .U16(0x1234)
                                   .U32(0xDEADBEEF)
                                   .I32(-2)
                                   .F64(-1.25)
                                   .Date(2, 38504.5)
                                   .Color(0x00FF8000)
                                   .Bytes());
  EXPECT_EQ(r.ReadU8(), 0xAB);
  EXPECT_EQ(r.ReadU16(), 0x1234);
  EXPECT_EQ(r.ReadU32(), 0xDEADBEEFu);
  EXPECT_EQ(r.ReadI32(), -2);
  EXPECT_EQ(r.ReadF64(), -1.25);
  const DateTime t = r.ReadDateTime();
  EXPECT_EQ(t.status, DateTime::kNull);
  EXPECT_EQ(t.value, 38504.5);
  EXPECT_EQ(r.ReadColor(), 0x00FF8000u);
}

TEST_F(ArchiveReaderTest, ByteOrderIsFixed) {
  ArchiveReader& r = OpenBytes(std::string("\x01\x02\x03\x04\x05\x06", 6));
  EXPECT_EQ(r.ReadU16(), 0x0201);
  EXPECT_EQ(r.ReadU32(), 0x06050403u);
}

// Every kind of value placed so that it straddles the end of the first buffer.
class StraddleTest : public ArchiveReaderTest, public ::testing::WithParamInterface<int> {};

TEST_P(StraddleTest, ValuesAcrossTheBufferEndArriveWhole) {
  const std::size_t offset = ArchiveReader::kBufferSize - 12 + static_cast<std::size_t>(GetParam());
  ArchiveWriter w;
  w.Raw(std::string(offset, '\x5A'));
  w.U16(0xBEEF).U32(0x01020304).F64(3.5).Date(0, 38504.25).String("straddling text");
  w.String(std::string(5000, 'L')).WideUtf8("幅広").U8(0x77);
  ArchiveReader& r = OpenBytes(w.Bytes());
  r.SkipU32(static_cast<std::int64_t>(offset / 4));
  for (std::size_t i = 0; i < offset % 4; ++i) r.ReadU8();
  EXPECT_EQ(r.ReadU16(), 0xBEEF);
  EXPECT_EQ(r.ReadU32(), 0x01020304u);
  EXPECT_EQ(r.ReadF64(), 3.5);
  const DateTime t = r.ReadDateTime();
  EXPECT_EQ(t.status, 0);
  EXPECT_EQ(t.value, 38504.25);
  EXPECT_EQ(r.ReadString(), "straddling text");
  EXPECT_EQ(r.ReadString(), std::string(5000, 'L'));
  EXPECT_EQ(r.ReadString(), Utf8ToCp932("幅広"));
  EXPECT_EQ(r.ReadU8(), 0x77);
  EXPECT_EQ(EndOfFileCause(r, [](ArchiveReader& a) { a.ReadU8(); }), ArchiveError::kEndOfFile);
}

INSTANTIATE_TEST_SUITE_P(EveryOffset, StraddleTest, ::testing::Range(0, 24));

// --- End of file --------------------------------------------------------------

TEST_F(ArchiveReaderTest, U32StartingTwoBytesBeforeTheEndRaisesEndOfFile) {
  ArchiveReader& r = OpenBytes(ArchiveWriter().U32(11).U16(22).U16(0x3344).Bytes().substr(0, 8));
  EXPECT_EQ(r.ReadU32(), 11u);
  EXPECT_EQ(r.ReadU16(), 22);
  EXPECT_EQ(EndOfFileCause(r, [](ArchiveReader& a) { a.ReadU32(); }), ArchiveError::kEndOfFile);
}

struct CutValue {
  const char* name;
  std::string bytes;
  void (*read)(ArchiveReader&);
};

class EndInsideValueTest : public ArchiveReaderTest, public ::testing::WithParamInterface<CutValue> {};

TEST_P(EndInsideValueTest, EveryShorterCutRaisesEndOfFile) {
  const CutValue& c = GetParam();
  // Every cut of a short value; for a long one, every cut of its prefix and a few in its text.
  std::vector<std::size_t> cuts;
  for (std::size_t cut = 0; cut < c.bytes.size() && cut < 600; ++cut) cuts.push_back(cut);
  if (c.bytes.size() > 600) cuts.insert(cuts.end(), {c.bytes.size() / 2, c.bytes.size() - 1});
  for (std::size_t cut : cuts) {
    ArchiveReader& r = OpenBytes(c.bytes.substr(0, cut));
    EXPECT_EQ(EndOfFileCause(r, c.read), ArchiveError::kEndOfFile) << c.name << " cut at " << cut;
  }
  ArchiveReader& r = OpenBytes(c.bytes);
  EXPECT_EQ(EndOfFileCause(r, c.read), -1) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Values, EndInsideValueTest,
    ::testing::Values(
        CutValue{"u16", ArchiveWriter().U16(1).Bytes(), [](ArchiveReader& r) { r.ReadU16(); }},
        CutValue{"f64", ArchiveWriter().F64(1).Bytes(), [](ArchiveReader& r) { r.ReadF64(); }},
        CutValue{"date", ArchiveWriter().Date(0, 1).Bytes(), [](ArchiveReader& r) { r.ReadDateTime(); }},
        CutValue{"string", ArchiveWriter().String("hello").Bytes(), [](ArchiveReader& r) { r.ReadString(); }},
        CutValue{"u16 string", ArchiveWriter().String(std::string(300, 'm')).Bytes(),
                 [](ArchiveReader& r) { r.ReadString(); }},
        CutValue{"u32 string", ArchiveWriter().String(std::string(70000, 'n')).Bytes(),
                 [](ArchiveReader& r) { r.ReadString(); }},
        CutValue{"wide", ArchiveWriter().WideUtf8("日本語").Bytes(), [](ArchiveReader& r) { r.ReadString(); }},
        CutValue{"skipped", ArchiveWriter().String("ab").WideUtf8("c").U32(1).U32(2).Bytes(),
                 [](ArchiveReader& r) {
                   r.SkipStrings(2);
                   r.SkipU32(2);
                 }}),
    [](const auto& info) {
      std::string n = info.param.name;
      for (char& ch : n) if (ch == ' ') ch = '_';
      return n;
    });

TEST_F(ArchiveReaderTest, AbsurdLengthsEndInEndOfFileWithoutAllocating) {
  // Lengths far beyond the file: 0xFFFFFFF0 narrow, 0xFFFFFFFF wide (twice that in bytes).
  const std::string narrow = ArchiveWriter().Length(0xFFFFFFF0u).Raw("abc").Bytes();
  const std::string wide = ArchiveWriter().U8(0xFF).U16(0xFFFE).Length(0xFFFFFFFFu).Raw("abcd").Bytes();
  for (const std::string& bytes : {narrow, wide}) {
    ArchiveReader& r = OpenBytes(bytes);
    std::string out = "kept";
    try {
      r.ReadString(out);
      ADD_FAILURE() << "no end of file";
    } catch (const ArchiveError& e) {
      EXPECT_EQ(e.cause, ArchiveError::kEndOfFile);
    }
    EXPECT_EQ(out, "kept");  // nothing of the value was delivered
    EXPECT_LT(out.capacity(), 1u << 20);
  }
  ArchiveReader& r = OpenBytes("abc");
  EXPECT_EQ(EndOfFileCause(r, [](ArchiveReader& a) { a.SkipU32(INT64_MAX); }), ArchiveError::kEndOfFile);
  ArchiveReader& s = OpenBytes("abc");
  EXPECT_EQ(EndOfFileCause(s, [](ArchiveReader& a) { a.SkipStrings(INT64_MAX); }), ArchiveError::kEndOfFile);
}

TEST_F(ArchiveReaderTest, ReopeningStartsAtOffsetZero) {
  ArchiveReader& r = OpenBytes(ArchiveWriter().U32(1).U32(2).Bytes());
  EXPECT_EQ(r.ReadU32(), 1u);
  r.Open(file_);
  EXPECT_EQ(r.ReadU32(), 1u);
  r.Close();
  EXPECT_THROW(r.ReadU32(), FileError);
}

// --- Operating-system failures -----------------------------------------------

TEST_F(ArchiveReaderTest, MissingFileIsFileNotFound) {
  ArchiveReader r;
  try {
    r.Open(dir_ / "missing.group");
    ADD_FAILURE() << "opened a missing file";
  } catch (const FileError& e) {
    EXPECT_EQ(e.cause, kCauseFileNotFound);
  }
}

TEST_F(ArchiveReaderTest, ReadingAFolderIsAccessDenied) {
  ArchiveReader r;
  try {
    r.Open(dir_.Path());
    r.ReadU8();
    ADD_FAILURE() << "read a folder";
  } catch (const FileError& e) {
    EXPECT_EQ(e.cause, kCauseAccessDenied);
  }
}

TEST(FileErrorCauseTest, ErrnoValuesMapToCauses) {
  const std::pair<int, int> table[] = {
      {0, kCauseNone},           {ENOENT, kCauseFileNotFound},   {ENOTDIR, kCauseBadPath},
      {ENAMETOOLONG, kCauseBadPath}, {EMFILE, kCauseTooManyOpenFiles}, {EACCES, kCauseAccessDenied},
      {EPERM, kCauseAccessDenied}, {EISDIR, kCauseAccessDenied}, {EBADF, kCauseInvalidFile},
      {ESPIPE, kCauseBadSeek},   {EIO, kCauseHardIO},            {ETXTBSY, kCauseSharingViolation},
      {EAGAIN, kCauseLockViolation}, {ENOSPC, kCauseDiskFull},   {ECONNRESET, kCauseGeneric},
  };
  for (const auto& [error, cause] : table) EXPECT_EQ(FileErrorCauseFromErrno(error), cause) << error;
}

}  // namespace
}  // namespace tallyer
