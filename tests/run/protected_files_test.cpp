// Report targets that would replace a file of the scheduler or of the run:
// by their name, and by identity however they are spelled.
#include "run/protected_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <system_error>
#include <vector>

#include "data/cp932.h"
#include "tally/tally_settings.h"
#include "support/temp_dir.h"

namespace tallyer {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;
using testing::WriteBytes;

TEST(HasSchedulerFileName, EndingsInAnyLetterCase) {
  for (const char* name : {"a.group", "A.GROUP", "x/b.Group", ".group", "c.sch", "c.SCH", "d.type",
                           "d.TyPe", "営業部.group", "dir.csv/e.sch"}) {
    EXPECT_TRUE(HasSchedulerFileName(fs::u8path(name))) << name;
  }
  for (const char* name : {"a.csv", "a.groups", "a.group.csv", "a.sch~", "group", "sch", "a_type",
                           "x.group/report.csv", "", "dir/"}) {
    EXPECT_FALSE(HasSchedulerFileName(fs::u8path(name))) << name;
  }
}

// Only names the month-file rule can give: the group path up to its last '.',
// the year as a plain number, two month digits, ".sch".
TEST(ExistingMonthFiles, ListsWhatTheMonthRuleNames) {
  TempDir dir;
  fs::create_directories(dir / "data");
  const fs::path data = dir / "data";
  for (const char* name : {"営業部200504.sch", "営業部201001.sch", "営業部999912.sch", "営業部200513.sch",
                           "営業部200500.sch", "営業部0200504.sch", "営業部x200504.sch", "営業部200504.SCH",
                           "営業部200504.sch.bak", "他200504.sch", "営業部.group"}) {
    WriteBytes(data / fs::u8path(name), "x");
  }
  std::vector<fs::path> found = ExistingMonthFiles(data / fs::u8path("営業部.group"));
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found, (std::vector<fs::path>{data / fs::u8path("営業部200504.sch"),
                                          data / fs::u8path("営業部201001.sch"),
                                          data / fs::u8path("営業部999912.sch")}));

  // The last '.' may lie in a folder name: the files then lie beside that folder.
  fs::create_directories(dir / "v1.5");
  WriteBytes(dir / "v1200504.sch", "x");
  EXPECT_EQ(ExistingMonthFiles(dir / "v1.5" / "Team"), std::vector<fs::path>{dir / "v1200504.sch"});
  EXPECT_TRUE(ExistingMonthFiles(dir / "missing" / "Team.group").empty());
}

// A group whose own files are named without the scheduler's endings, so that
// only identity can find them: the group 営業部.dat, the type file 色.txt, and
// month files inside and outside the period.
class ProtectedFilesTest : public ::testing::Test {
 protected:
  ProtectedFilesTest() {
    fs::create_directories(data_);
    for (const fs::path& f : {Group(), Type(), MonthInside(), MonthOutside(), data_ / "other.csv"})
      WriteBytes(f, "bytes");
  }

  fs::path Group() const { return data_ / fs::u8path("営業部.dat"); }
  fs::path Type() const { return data_ / fs::u8path("色.txt"); }
  fs::path MonthInside() const { return data_ / fs::u8path("営業部200504.sch"); }
  fs::path MonthOutside() const { return data_ / fs::u8path("営業部201001.sch"); }

  // The path relative to the working folder; from another drive (Windows)
  // there is none, and `.` spells it another way instead.
  fs::path Relative(const fs::path& file) const {
    const fs::path relative = fs::relative(file, fs::current_path());
    return relative.empty() ? data_ / "." / file.filename() : relative;
  }

  // Every way of naming `file` under a name of the target's own; symbolic
  // links only where the system lets the test make them (not under Wine).
  std::vector<fs::path> Spellings(const fs::path& file, const std::string& tag) const {
    const fs::path symlink = dir_ / ("sym-" + tag + ".csv");
    const fs::path hardlink = dir_ / ("hard-" + tag + ".csv");
    const fs::path chain = dir_ / ("chain-" + tag + ".csv");
    fs::create_hard_link(file, hardlink);
    std::vector<fs::path> spellings{file, Relative(file), data_ / ".." / "data" / file.filename(), hardlink};
    std::error_code ec;
    fs::create_symlink(file, symlink, ec);
    if (!ec) {
      fs::create_symlink(symlink.filename(), chain);  // a relative link to a link
      spellings.push_back(symlink);
      spellings.push_back(chain);
    }
    return spellings;
  }

  TempDir dir_;
  fs::path data_ = dir_ / "data";
};

TEST_F(ProtectedFilesTest, EveryFileOfTheRunHoweverSpelled) {
  const ProtectedFiles files(Group(), Type());
  const std::pair<fs::path, const char*> protectedFiles[] = {
      {Group(), "group"}, {Type(), "type"}, {MonthInside(), "inside"}, {MonthOutside(), "outside"}};
  for (const auto& [file, tag] : protectedFiles) {
    for (const fs::path& target : Spellings(file, tag)) EXPECT_TRUE(files.Protects(target)) << target;
  }
}

TEST_F(ProtectedFilesTest, TheGroupPathMayBeSpelledAnotherWayToo) {
  const ProtectedFiles files(Relative(Group()), data_ / ".." / "data" / fs::u8path("色.txt"));
  EXPECT_TRUE(files.Protects(Group()));
  EXPECT_TRUE(files.Protects(Type()));
  EXPECT_TRUE(files.Protects(MonthInside()));
}

TEST_F(ProtectedFilesTest, NamesOfTheSchedulerExistingOrNot) {
  const ProtectedFiles files(Group(), Type());
  for (const char* name : {"new.group", "NEW.GROUP", "new.Sch", "new.type"}) {
    EXPECT_TRUE(files.Protects(dir_ / name)) << name;
    EXPECT_FALSE(fs::exists(dir_ / name));
  }
  // The name a link leads to counts as well, also when nothing is there yet.
  std::error_code ec;
  fs::create_symlink(dir_ / "later.GROUP", dir_ / "dangling.csv", ec);
  if (ec) GTEST_SKIP() << "no symbolic links here (Wine, or Windows without the right)";
  EXPECT_TRUE(files.Protects(dir_ / "dangling.csv"));
}

TEST_F(ProtectedFilesTest, OtherTargetsAreFree) {
  const ProtectedFiles files(Group(), Type());
  std::error_code ec;  // without symbolic links the target is a new file, just as free
  fs::create_symlink(data_ / "other.csv", dir_ / "to-other.csv", ec);
  for (const fs::path& target : {data_ / "other.csv", dir_ / "to-other.csv", dir_ / "new.csv",
                                 dir_ / "Planwell_Output.html", data_ / fs::u8path("営業部.html")}) {
    EXPECT_FALSE(files.Protects(target)) << target;
  }
  // Without a group or type file chosen only the names count.
  const ProtectedFiles none(kHintPath, kHintPath);
  EXPECT_FALSE(none.Protects(Group()));
  EXPECT_TRUE(none.Protects(MonthInside()));
}

TEST(ProtectedTargetMessage, NamesTheTargetAsGiven) {
  EXPECT_EQ(ProtectedTargetMessage(fs::u8path("../data/営業部.group")),
            Utf8ToCp932("../data/営業部.group は集計に使うファイルなので上書きできません。"));
}

}  // namespace
}  // namespace tallyer
