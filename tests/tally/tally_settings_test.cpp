#include "tally/tally_settings.h"

#include <gtest/gtest.h>

namespace tallyer {
namespace {

namespace fs = std::filesystem;

TEST(HasNoDirectorySeparator, HintTextNamesNoFolder) {
  EXPECT_TRUE(HasNoDirectorySeparator(kHintPath));
  EXPECT_EQ(kHintPath, fs::u8path("右のボタンをクリックして選択して下さい。"));
  EXPECT_EQ(kHintPath.string(), "右のボタンをクリックして選択して下さい。");  // native UTF-8
  EXPECT_TRUE(HasNoDirectorySeparator(fs::path()));
  EXPECT_TRUE(HasNoDirectorySeparator("colors.type"));
}

TEST(HasNoDirectorySeparator, AnyChosenFilePasses) {
  EXPECT_FALSE(HasNoDirectorySeparator("/home/a/colors.type"));
  EXPECT_FALSE(HasNoDirectorySeparator("./missing.type"));
  EXPECT_FALSE(HasNoDirectorySeparator("C:\\data\\colors.type"));
}

TEST(TallySettings, DefaultsAreThoseOfAnEmptyStore) {
  const TallySettings s;
  EXPECT_EQ(s.groupPath, kHintPath);
  EXPECT_EQ(s.typeFilePath, kHintPath);
  EXPECT_EQ(s.bandStart, DateTime::FromParts(2000, 1, 1, 17, 30));
  EXPECT_EQ(s.bandEnd, DateTime::FromParts(2000, 1, 1, 23, 59));
  EXPECT_TRUE(s.outputPath.empty());
}

}  // namespace
}  // namespace tallyer
