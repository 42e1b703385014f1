#include "run/stored_options.h"

#include <gtest/gtest.h>

#include "data/cp932.h"

namespace tallyer {
namespace {

using Writes = std::vector<std::pair<std::string, std::string>>;

TEST(FormatTimestamp, WithAndWithoutTheTimeOfDay) {
  const DateTime t = DateTime::FromParts(2005, 3, 5, 9, 7, 59);
  EXPECT_EQ(FormatTimestamp(t, true), "200503050907");
  EXPECT_EQ(FormatTimestamp(t, false), "20050305");
  EXPECT_EQ(FormatTimestamp(DateTime::FromParts(2000, 1, 1, 17, 30), true), "200001011730");
}

struct ParseCase {
  const char* text;
  int year, month, day, hour, minute, second;
};

class ParseTimestampTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseTimestampTest, ReadsTheFieldsByPosition) {
  const ParseCase& c = GetParam();
  EXPECT_EQ(ParseTimestamp(c.text),
            DateTime::FromParts(c.year, c.month, c.day, c.hour, c.minute, c.second))
      << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ParseTimestampTest,
    ::testing::Values(ParseCase{"20050615", 2005, 6, 15, 0, 0, 0},
                      ParseCase{"200506", 2005, 6, 1, 0, 0, 0},
                      ParseCase{"200506151230", 2005, 6, 15, 12, 30, 0},
                      ParseCase{"20050615123045", 2005, 6, 15, 12, 30, 45},
                      ParseCase{"200001011730", 2000, 1, 1, 17, 30, 0},
                      ParseCase{"200001012359", 2000, 1, 1, 23, 59, 0},
                      // Seven characters: the day is the one digit at the end.
                      ParseCase{"2005063", 2005, 6, 3, 0, 0, 0},
                      // Nine to eleven characters: the minute reads as empty, 0.
                      ParseCase{"200506151", 2005, 6, 15, 1, 0, 0},
                      ParseCase{"2005061512", 2005, 6, 15, 12, 0, 0},
                      // Each piece is read like strtol: blanks and a sign lead,
                      // reading stops at the first non-digit.
                      ParseCase{"2005 6 7", 2005, 6, 7, 0, 0, 0},
                      ParseCase{"2005+6 7", 2005, 6, 7, 0, 0, 0}));

TEST(ParseTimestamp, FieldsThatFormNoDateTimeAreInvalid) {
  EXPECT_EQ(ParseTimestamp("20051301").status, DateTime::kInvalid);
  EXPECT_EQ(ParseTimestamp("20050230").status, DateTime::kInvalid);
  EXPECT_EQ(ParseTimestamp("200506152460").status, DateTime::kInvalid);
  EXPECT_EQ(ParseTimestamp("").status, DateTime::kInvalid);
  EXPECT_EQ(ParseTimestamp("abcdefgh").status, DateTime::kInvalid);
  EXPECT_EQ(ParseTimestamp("2005-6-1").status, DateTime::kInvalid);  // month "-6", day "-1"
  EXPECT_EQ(ParseTimestamp("20050699999999999999999").status, DateTime::kInvalid);
}

TEST(ParseTimestamp, RoundTripsFormatTimestamp) {
  const DateTime t = DateTime::FromParts(1999, 12, 31, 23, 59);
  EXPECT_EQ(ParseTimestamp(FormatTimestamp(t, true)), t);
  EXPECT_EQ(ParseTimestamp(FormatTimestamp(t, false)), DateTime::FromParts(1999, 12, 31));
}

TEST(MemorySettingsStore, MissingValuesReadAsTheirDefaults) {
  MemorySettingsStore store;
  EXPECT_EQ(store.ReadInt("Combo", 3), 3);
  EXPECT_EQ(store.ReadText("Cl", "x"), "x");
  store.WriteInt("Combo", 2);
  store.WriteText("Cl", "abc");
  store.WriteInt("Combo", -7);
  EXPECT_EQ(store.ReadInt("Combo", 3), -7);
  EXPECT_EQ(store.ReadText("Cl", "x"), "abc");
  EXPECT_EQ(store.writes, (Writes{{"Combo", "2"}, {"Cl", "abc"}, {"Combo", "-7"}}));
}

TallySettings SampleSettings() {
  TallySettings s;
  s.everyone = true;
  s.firstDate = DateTime::FromParts(2005, 6, 1);
  s.lastDate = DateTime::FromParts(2005, 6, 30, 15, 20);
  s.mode = kModeContent;
  s.bandOnly = true;
  s.contentOnly = true;
  s.contentText = Utf8ToCp932("会議");
  s.exactMatch = false;
  s.ignoreCaseWidth = true;
  s.noOverlap = true;
  s.noTentative = false;
  s.durationFormat = 2;
  return s;
}

TEST(SaveRunOptions, WritesTheTwelveValuesInTheRunOrder) {
  MemorySettingsStore store;
  SaveRunOptions(store, SampleSettings());
  EXPECT_EQ(store.writes, (Writes{{"date1", "20050601"},
                                  {"date2", "20050630"},
                                  {"Cl", Utf8ToCp932("会議")},
                                  {"Everyone", "1"},
                                  {"Combo", "3"},
                                  {"Time", "1"},
                                  {"String", "1"},
                                  {"Same", "0"},
                                  {"Overlap", "1"},
                                  {"NoTemp", "0"},
                                  {"Hankaku", "1"},
                                  {"Format", "2"}}));
}

// Records the order of reads.
class ReadLog : public MemorySettingsStore {
 public:
  int ReadInt(const std::string& name, int defaultValue) override {
    reads.push_back(name);
    return MemorySettingsStore::ReadInt(name, defaultValue);
  }
  std::string ReadText(const std::string& name, const std::string& defaultValue) override {
    reads.push_back(name);
    return MemorySettingsStore::ReadText(name, defaultValue);
  }
  std::vector<std::string> reads;
};

TEST(LoadStoredOptions, ReadsInTheDialogOrderAndRestoresWhatWasSaved) {
  ReadLog store;
  const TallySettings saved = SampleSettings();
  SaveRunOptions(store, saved);
  TallySettings loaded;
  LoadStoredOptions(store, loaded);
  EXPECT_EQ(store.reads, (std::vector<std::string>{"date1", "date2", "Cl", "Everyone", "Combo",
                                                   "Time", "String", "Same", "Overlap", "Hankaku",
                                                   "NoTemp", "Format"}));
  EXPECT_EQ(loaded.firstDate, DateTime::FromParts(2005, 6, 1));
  EXPECT_EQ(loaded.lastDate, DateTime::FromParts(2005, 6, 30));  // the time is not stored
  EXPECT_EQ(loaded.contentText, saved.contentText);
  EXPECT_EQ(loaded.everyone, saved.everyone);
  EXPECT_EQ(loaded.mode, saved.mode);
  EXPECT_EQ(loaded.bandOnly, saved.bandOnly);
  EXPECT_EQ(loaded.contentOnly, saved.contentOnly);
  EXPECT_EQ(loaded.exactMatch, saved.exactMatch);
  EXPECT_EQ(loaded.noOverlap, saved.noOverlap);
  EXPECT_EQ(loaded.ignoreCaseWidth, saved.ignoreCaseWidth);
  EXPECT_EQ(loaded.noTentative, saved.noTentative);
  EXPECT_EQ(loaded.durationFormat, saved.durationFormat);
}

TEST(LoadStoredOptions, EmptyStoreKeepsTheDatesAndTurnsEverythingOff) {
  MemorySettingsStore store;
  TallySettings s = SampleSettings();
  LoadStoredOptions(store, s);
  EXPECT_EQ(s.firstDate, DateTime::FromParts(2005, 6, 1));
  EXPECT_EQ(s.lastDate, DateTime::FromParts(2005, 6, 30, 15, 20));
  EXPECT_EQ(s.contentText, "");
  EXPECT_FALSE(s.everyone || s.bandOnly || s.contentOnly || s.exactMatch || s.noOverlap ||
               s.ignoreCaseWidth || s.noTentative);
  EXPECT_EQ(s.mode, 0);
  EXPECT_EQ(s.durationFormat, 0);
}

TEST(LoadStoredOptions, TakesStoredValuesWithoutRangeChecks) {
  MemorySettingsStore store;
  store.WriteInt("Combo", 7);
  store.WriteInt("Format", -1);
  store.WriteText("date1", "20051301");
  TallySettings s;
  LoadStoredOptions(store, s);
  EXPECT_EQ(s.mode, 7);
  EXPECT_EQ(s.durationFormat, -1);
  EXPECT_EQ(s.firstDate.status, DateTime::kInvalid);
}

TEST(StoredBand, DefaultsToTheEveningBand) {
  MemorySettingsStore store;
  AppValues values;
  values.bandStart = DateTime::FromParts(2001, 2, 3, 4, 5);
  LoadStoredBand(store, values);
  EXPECT_EQ(values.bandStart, DateTime::FromParts(2000, 1, 1, 17, 30));
  EXPECT_EQ(values.bandEnd, DateTime::FromParts(2000, 1, 1, 23, 59));
}

TEST(StoredBand, SavesHourAndMinuteAndReadsThemBack) {
  MemorySettingsStore store;
  AppValues values;
  values.bandStart = DateTime::FromParts(2000, 1, 1, 9, 0, 30);
  values.bandEnd = DateTime::FromParts(2000, 1, 1, 18, 0);
  SaveStoredBand(store, values);
  EXPECT_EQ(store.writes, (Writes{{"time1", "200001010900"}, {"time2", "200001011800"}}));
  AppValues loaded;
  LoadStoredBand(store, loaded);
  EXPECT_EQ(loaded.bandStart, DateTime::FromParts(2000, 1, 1, 9, 0));
  EXPECT_EQ(loaded.bandEnd, DateTime::FromParts(2000, 1, 1, 18, 0));
}

}  // namespace
}  // namespace tallyer
