// The JSON output against the classic CSV of the same run, for every mode:
// the same members, counts and minutes. The CSV is parsed as a spreadsheet
// would read it (RFC 4180 quoting, the "'" before formula-like texts), with
// the classic rows' quirks: "n件" counts and empty durations.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli_process.h"
#include "data/cp932.h"
#include "support/archive_writer.h"
#include "support/temp_dir.h"

namespace tallyer::testing {
namespace {

namespace fs = std::filesystem;
using Record = std::vector<std::string>;

std::string J(const char* utf8) { return Utf8ToCp932(utf8); }

// RFC 4180: fields split at commas, records at CR LF; a quoted field may hold
// commas, line breaks and doubled quotes.
std::vector<Record> ParseCsv(const std::string& text) {
  std::vector<Record> records;
  Record record;
  std::string field;
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      record.push_back(std::move(field));
      field.clear();
    } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      record.push_back(std::move(field));
      field.clear();
      records.push_back(std::move(record));
      record.clear();
      ++i;
    } else {
      field += c;
    }
  }
  EXPECT_TRUE(field.empty() && record.empty()) << "the CSV ends inside a record";
  return records;
}

// A text field as the data holds it: without the "'" put before texts that
// start like a formula.
std::string Text(const std::string& field) {
  if (field.size() >= 2 && field[0] == '\'' && std::string("=+-@\t\r").find(field[1]) != std::string::npos)
    return Cp932ToUtf8(field.substr(1));
  return Cp932ToUtf8(field);
}

// A count, bare or with "件".
long long Count(std::string field) {
  const std::string unit = J("件");
  if (field.size() > unit.size() && field.compare(field.size() - unit.size(), unit.size(), unit) == 0)
    field.resize(field.size() - unit.size());
  return std::stoll(field);
}

// Minutes in the "mm" form; the classic rows leave some empty.
long long Minutes(const std::string& field) { return field.empty() ? 0 : std::stoll(field); }

struct Row {
  std::string key;   // colour, or content
  std::string type;  // mode 3, "" when none
  long long count = 0, minutes = 0;
  bool operator==(const Row&) const = default;
};
struct Member {
  std::string name;
  long long count = 0, minutes = 0;
  std::vector<Row> rows;
  bool operator==(const Member&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Member& m) {
  out << m.name << " " << m.count << "/" << m.minutes;
  for (const Row& r : m.rows) out << " [" << r.key << "|" << r.type << " " << r.count << "/" << r.minutes << "]";
  return out;
}

std::vector<Member> MembersOfCsv(const std::vector<Record>& records, std::size_t headLines, int mode) {
  std::vector<Member> members;
  for (std::size_t i = headLines; i < records.size(); ++i) {
    const Record& f = records[i];
    if (!f[0].empty()) members.push_back(Member{Text(f[0])});
    Member& m = members.back();
    if (mode == 1) {
      m.count = Count(f.at(1));
      m.minutes = Minutes(f.at(2));
      continue;
    }
    // The one row of a member without keys: no colour, or (mode 4) a count of 0.
    if ((mode != 4 && f.at(1).empty()) || (mode == 4 && Count(f.at(2)) == 0)) continue;
    Row row{mode == 4 ? Text(f[1]) : f[1]};  // the colour field is quoted: "#rrggbb"
    const bool typed = f.size() == 5;
    if (typed) row.type = Text(f[2]);
    row.count = Count(f.at(typed ? 3 : 2));
    row.minutes = Minutes(f.at(typed ? 4 : 3));
    m.count += row.count;
    m.minutes += row.minutes;
    m.rows.push_back(row);
  }
  return members;
}

std::vector<Member> MembersOfJson(const nlohmann::json& json, int mode) {
  std::vector<Member> members;
  for (const auto& m : json.at("members")) {
    Member member{m.at("name").get<std::string>(), m.at("count").get<long long>(),
                  m.at("minutes").get<long long>()};
    for (const auto& r : m.at("rows")) {
      Row row{r.at(mode == 4 ? "content" : "colour").get<std::string>()};
      if (mode == 3 && !r.at("type").is_null()) row.type = r.at("type").get<std::string>();
      row.count = r.at("count").get<long long>();
      row.minutes = r.at("minutes").get<long long>();
      member.rows.push_back(row);
    }
    members.push_back(member);
  }
  return members;
}

struct Case {
  const char* name;
  int mode;
  std::vector<std::string> options;
  std::size_t headLines;  // group line, period line, content line, band line
};

class JsonMatchesCsv : public ::testing::TestWithParam<Case> {};

TEST_P(JsonMatchesCsv, SameMembersCountsAndMinutes) {
  const Case& c = GetParam();
  TempDir dir;
  for (const char* d : {"tmp", "capture"}) fs::create_directory(dir / d);
  const std::string group = GroupFileBuilder()
                                .Name(J("開発,\"部\""))
                                .Add(J("-田中"), "a")
                                .Add(J("鈴木, \"花子\""), "b")
                                .Add(J("@佐藤"), "c")
                                .Add(J("伊藤"), "d")
                                .Build();
  auto entry = [](const char* key, const char* from, const char* to, std::uint32_t color,
                  const char* content, std::uint32_t flags = 0) {
    return ScheduleRecord{.flags = flags, .start = At(from), .end = At(to), .color = color,
                          .content = J(content), .memberKey = key};
  };
  MonthFileBuilder june;
  june.Add(entry("a", "2005-06-01 08:30", "2005-06-01 10:00", 0x0000FF, "会議"))
      .Add(entry("a", "2005-06-01 09:30", "2005-06-01 12:15", 0xFF8000, "=1+1"))
      .Add(entry("a", "2005-06-02 17:00", "2005-06-02 19:00", 0x0000FF, "会議", ScheduleRecord::kTentative))
      .Add(entry("b", "2005-06-03 10:00", "2005-06-03 10:20", 0x00FF00, "a,\"b\"\r\nc"))
      .Add(entry("b", "2005-06-03 23:00", "2005-06-04 02:00", 0x0000FF, "会議"))
      .Add(entry("c", "2005-06-05 09:00", "2005-06-05 09:01", 0x123456, "+x"));
  WriteBytes(dir / "g.group", group);
  WriteBytes(dir / "g200506.sch", june.Build());
  WriteBytes(dir / "g.type", J("会議\t255,0,0\r\n-外出\t0,128,255\r\n\t0,255,0\r\n会議2\t255,0,0\r\n"));

  std::vector<std::string> args{"--from", "2005-06-01", "--to", "2005-06-30", "--format", "3",
                                "--mode", std::to_string(c.mode), "--type-file", "g.type",
                                "--csv", "out.csv", "--json", "out.json"};
  args.insert(args.end(), c.options.begin(), c.options.end());
  args.push_back("g.group");
  const auto r = RunCliProgram(args, dir.Path(), dir / "tmp", dir / "capture");
  ASSERT_EQ(r.exitStatus, 0) << r.err;

  const auto json = nlohmann::json::parse(ReadBytes(dir / "out.json"));
  const std::vector<Member> fromJson = MembersOfJson(json, c.mode);
  const std::vector<Member> fromCsv = MembersOfCsv(ParseCsv(ReadBytes(dir / "out.csv")), c.headLines, c.mode);
  EXPECT_EQ(fromJson, fromCsv);
  long long count = 0, minutes = 0;
  for (const Member& m : fromCsv) {
    count += m.count;
    minutes += m.minutes;
  }
  EXPECT_EQ(json.at("totals").at("count").get<long long>(), count);
  EXPECT_EQ(json.at("totals").at("minutes").get<long long>(), minutes);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, JsonMatchesCsv,
    ::testing::Values(Case{"Totals", 1, {}, 2},
                      Case{"TotalsNoOverlapOfSomeMembers", 1, {"--no-overlap", "--member", "c", "--member", "a"}, 2},
                      Case{"Colours", 2, {}, 2},
                      Case{"ColoursInABandWithoutTentative", 2, {"--band", "09:00-18:00", "--no-tentative"}, 3},
                      Case{"Types", 3, {}, 2},
                      Case{"TypesOfAContent", 3, {"--content", "会議"}, 3},
                      Case{"Contents", 4, {}, 2},
                      Case{"ContentsFilteredAndBanded", 4, {"--content", "=", "--band", "09:00-11:00"}, 4}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tallyer::testing
