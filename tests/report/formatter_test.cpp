#include "report/formatter.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/temp_dir.h"

namespace tallyer {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

// Writes the group name, by stream or as a named file.
class NameFormatter : public Formatter {
 public:
  explicit NameFormatter(bool namedFile) : namedFile_(namedFile) {}
  bool WritesNamedFile() const override { return namedFile_; }
  void Write(const TallyResult& result, std::ostream& out) const override { out << result.groupName; }
  bool WriteFile(const TallyResult& result, const fs::path& path) const override {
    if (result.groupName == "fail") return false;
    WriteBytes(path, "file:" + result.groupName);
    return true;
  }

 private:
  bool namedFile_;
};

TallyResult Named(const char* name) {
  TallyResult result;
  result.groupName = name;
  return result;
}

TEST(WriteReport, BothKindsOfFormatterReachAFileAndAStream) {
  TempDir dir;
  for (const bool namedFile : {false, true}) {
    const NameFormatter formatter(namedFile);
    const std::string expected = namedFile ? "file:g" : "g";
    EXPECT_EQ(WriteReport(formatter, Named("g"), dir / "out"), std::nullopt);
    EXPECT_EQ(ReadBytes(dir / "out"), expected);
    std::ostringstream out;
    EXPECT_TRUE(WriteReport(formatter, Named("g"), out));
    EXPECT_EQ(out.str(), expected);
  }
}

TEST(WriteReport, AFailingNamedFileFormatterKeepsTheOldFileAndFailsTheStream) {
  TempDir dir;
  WriteBytes(dir / "out", "old");
  const NameFormatter formatter(true);
  const auto problem = WriteReport(formatter, Named("fail"), dir / "out");
  ASSERT_TRUE(problem.has_value());
  EXPECT_EQ(problem->file, dir / "out");
  EXPECT_EQ(ReadBytes(dir / "out"), "old");
  std::ostringstream out;
  EXPECT_FALSE(WriteReport(formatter, Named("fail"), out));
  EXPECT_EQ(out.str(), "");
}

}  // namespace
}  // namespace tallyer
