// Strings read as views: straight from the reader's buffer when they lie there
// whole, otherwise through the slow path, with the same result either way.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/archive_reader.h"
#include "data/cp932.h"
#include "data/file_error.h"
#include "support/archive_writer.h"
#include "support/temp_dir.h"

namespace tallyer {
namespace {

// Strings of every short length, some long and some wide, so that strings
// and their prefixes straddle the 4096-byte buffer's end at many offsets.
TEST(StringViewReadingTest, EveryStringReadsAsWrittenWhereverTheBufferEnds) {
  std::vector<std::string> expected;
  testing::ArchiveWriter w;
  for (int round = 0; expected.size() < 3000; ++round) {
    for (int length = 0; length < 40; ++length) {
      std::string s(static_cast<std::size_t>(length), static_cast<char>('a' + (round + length) % 26));
      w.String(s);
      expected.push_back(s);
    }
    const std::string longer(254 + round % 3, 'L');  // 254: the last one-byte prefix
    w.String(longer);
    expected.push_back(longer);
    w.WideUtf8("会議");
    expected.push_back(Utf8ToCp932("会議"));
    w.U8(0x7F);  // one stray byte shifts the next round against the buffer
    expected.push_back("\x7F");
  }
  testing::TempDir dir;
  const auto path = dir.Path() / "strings.bin";
  testing::WriteBytes(path, w.Bytes());

  ArchiveReader reader;
  reader.Open(path);
  std::string scratch;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    if (expected[i] == "\x7F") {
      ASSERT_EQ(reader.ReadU8(), 0x7F) << i;
      continue;
    }
    ASSERT_EQ(reader.ReadStringView(scratch), expected[i]) << "string " << i;
  }
  EXPECT_THROW(reader.ReadStringView(scratch), ArchiveError);
}

TEST(StringViewReadingTest, StringCutByTheEndOfTheFileIsNotDelivered) {
  testing::ArchiveWriter w;
  w.String("complete").Length(10).Raw("cut");
  testing::TempDir dir;
  const auto path = dir.Path() / "cut.bin";
  testing::WriteBytes(path, w.Bytes());
  ArchiveReader reader;
  reader.Open(path);
  std::string scratch;
  EXPECT_EQ(reader.ReadStringView(scratch), "complete");
  try {
    reader.ReadStringView(scratch);
    ADD_FAILURE() << "a cut string was delivered";
  } catch (const ArchiveError& e) {
    EXPECT_EQ(e.cause, ArchiveError::kEndOfFile);
  }
}

}  // namespace
}  // namespace tallyer
