#include "report/temp_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "support/temp_dir.h"

namespace tallyer {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

// A temporary file is only ever one that did not exist: an existing file of
// the same name is neither reused nor emptied.
TEST(CreateNewFileTest, RefusesAnExistingFileAndKeepsIt) {
  TempDir dir;
  WriteBytes(dir / "taken.csv", "someone else's");
  EXPECT_FALSE(CreateNewFile(dir / "taken.csv"));
  EXPECT_EQ(ReadBytes(dir / "taken.csv"), "someone else's");
  EXPECT_TRUE(CreateNewFile(dir / "一時.csv"));
  EXPECT_EQ(std::filesystem::file_size(dir / "一時.csv"), 0u);
  EXPECT_FALSE(CreateNewFile(dir / "missing" / "x.csv"));
}

TEST(TempFileTest, IsNewAndEmptyAndGoesWithTheObject) {
  std::filesystem::path path;
  {
    TempFile temp(".csv");
    path = temp.Path();
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.extension(), ".csv");
    EXPECT_EQ(std::filesystem::file_size(path), 0u);
    WriteBytes(path, "a\r\nb\n");
    std::ostringstream out;
    EXPECT_TRUE(CopyFileTo(path, out));
    EXPECT_EQ(out.str(), "a\r\nb\n");  // bytes as they are, in binary
  }
  EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace tallyer
