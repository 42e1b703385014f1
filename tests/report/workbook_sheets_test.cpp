// Writes the workbook's sheets from hostile content and reads them back with
// openpyxl (support/workbook_check.py) against the same content as JSON.
#include "report/workbook_sheets.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "data/cp932.h"
#include "data/file_error.h"
#include "report/rgb_color.h"
#include "report/xlsx_workbook.h"
#include "support/temp_dir.h"

namespace tallyer {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

// A JSON string of a UTF-8 text.
std::string Quoted(const std::string& utf8) {
  std::string out = "\"";
  for (const char c : utf8) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
      out += escape;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

struct Row {
  std::uint32_t colour;
  std::string type;  // UTF-8; empty: no name
  long long count, minutes;
};

struct Member {
  std::string name;  // UTF-8
  std::vector<Row> rows;
  std::vector<long long> cells;  // minutes per unit
};

// Members in the type mode's shape, as sheets and as the JSON of a run.
struct Content {
  std::vector<Member> members;
  std::vector<Row> teamRows;
  std::vector<std::string> units;

  SummaryRow SheetRow(const std::string& label, const Row& row) const {
    return SummaryRow{Utf8ToCp932(label), {CategoryCell{"", row.colour}, CategoryCell{Utf8ToCp932(row.type), {}}},
                      row.count, row.minutes};
  }

  SummarySheet Summary() const {
    SummarySheet sheet;
    sheet.headingLines = {Utf8ToCp932("グループ名：=営業部"),
                          Utf8ToCp932("期間：2025年1月1日(水) ～ 2025年3月31日(月)")};
    sheet.categoryHeadings = {Utf8ToCp932("色"), Utf8ToCp932("タイプ")};
    for (const Member& m : members) {
      if (m.rows.empty()) sheet.memberRows.push_back(SummaryRow{Utf8ToCp932(m.name), {}, 0, 0});
      for (const Row& r : m.rows) sheet.memberRows.push_back(SheetRow(m.name, r));
    }
    for (const Row& r : teamRows) sheet.teamRows.push_back(SheetRow("チーム", r));
    return sheet;
  }

  PeriodSheet Periods() const {
    PeriodSheet sheet;
    sheet.unitLabels = units;
    for (const Member& m : members) sheet.rows.push_back({Utf8ToCp932(m.name), m.cells});
    return sheet;
  }

  static std::string RowJson(const Row& r) {
    return "{\"colour\": " + Quoted(HexText(RgbOfStoredColor(r.colour))) + ", \"type\": " +
           (r.type.empty() ? "null" : Quoted(r.type)) + ", \"count\": " + std::to_string(r.count) +
           ", \"minutes\": " + std::to_string(r.minutes) + "}";
  }

  std::string Json() const {
    long long count = 0, minutes = 0;
    std::string out = "{\"group\": \"=営業部\", \"mode\": 3, \"members\": [";
    std::string cells;
    std::vector<long long> unitTotals(units.size(), 0);
    for (std::size_t i = 0; i < members.size(); ++i) {
      const Member& m = members[i];
      long long memberCount = 0, memberMinutes = 0;
      std::string rows;
      for (const Row& r : m.rows) {
        rows += (rows.empty() ? "" : ", ") + RowJson(r);
        memberCount += r.count;
        memberMinutes += r.minutes;
      }
      out += (i ? ", " : "") + std::string("{\"name\": ") + Quoted(m.name) +
             ", \"count\": " + std::to_string(memberCount) + ", \"minutes\": " +
             std::to_string(memberMinutes) + ", \"rows\": [" + rows + "]}";
      count += memberCount;
      minutes += memberMinutes;
      cells += std::string(i ? ", " : "") + "{\"cells\": [";
      for (std::size_t u = 0; u < m.cells.size(); ++u) {
        cells += (u ? ", " : "") + std::string("{\"minutes\": ") + std::to_string(m.cells[u]) + "}";
        unitTotals[u] += m.cells[u];
      }
      cells += "]}";
    }
    out += "], \"totals\": {\"count\": " + std::to_string(count) + ", \"minutes\": " +
           std::to_string(minutes) + "}, \"teamRows\": [";
    for (std::size_t i = 0; i < teamRows.size(); ++i) out += (i ? ", " : "") + RowJson(teamRows[i]);
    out += "], \"breakdown\": {\"periods\": [";
    for (std::size_t u = 0; u < units.size(); ++u) {
      out += (u ? ", " : "") + std::string("{\"label\": ") + Quoted(units[u]) + "}";
    }
    out += "], \"members\": [" + cells + "], \"totals\": [";
    for (std::size_t u = 0; u < units.size(); ++u) {
      out += (u ? ", " : "") + std::string("{\"minutes\": ") + std::to_string(unitTotals[u]) + "}";
    }
    return out + "]}}\n";
  }
};

// openpyxl runs on the build machine, not under Wine; scripts/test-windows
// compares the Windows program's workbooks with the Linux one's instead.
#ifdef _WIN32
#define SKIP_WITHOUT_OPENPYXL() GTEST_SKIP() << "openpyxl runs on the build machine"
#else
#define SKIP_WITHOUT_OPENPYXL() static_cast<void>(0)
#endif

// The checker's verdict: empty when the workbook matches the JSON.
std::string Check(const TempDir& dir, const Content& content) {

  XlsxWorkbook book(dir / "book.xlsx", 1735689600);
  WriteSummarySheet(book.AddSheet("集計"), content.Summary());
  WritePeriodSheet(book.AddSheet("期間別"), content.Periods());
  if (book.Close() != kCauseNone) return "the workbook was not written";
  WriteBytes(dir / "run.json", content.Json());
  const std::string command = std::string("/usr/bin/python3 ") + TALLYER_WORKBOOK_CHECK + " " +
                              (dir / "book.xlsx").string() + " " + (dir / "run.json").string() +
                              " >" + (dir / "verdict.txt").string() + " 2>&1";
  const int status = std::system(command.c_str());
  const std::string verdict = ReadBytes(dir / "verdict.txt");
  return status == 0 && verdict.empty() ? "" : "status " + std::to_string(status) + "\n" + verdict;
}

TEST(WorkbookSheets, HoldWhatTheJsonSaysWithFormulasOnlyInTheTotals) {
  SKIP_WITHOUT_OPENPYXL();
  TempDir dir;
  Content content;
  content.units = {"2025-01", "2025-02", "2025-03"};
  content.members = {
      Member{"田中 一郎", {Row{0x0000FF, "会議", 12, 840}, Row{0xFF8000, "", 1, 45}}, {800, 85, 0}},
      Member{"=1+1", {Row{0x000000, "=SUM(1,2)", 3, 61}}, {0, 0, 61}},
      Member{"_x0041_", {}, {0, 0, 0}},
      Member{"+1\t-1", {Row{0xFFFFFF, "@x", 1, 1440 * 30 + 1}}, {1440 * 30 + 1, 0, 0}}};
  content.teamRows = {Row{0x0000FF, "会議", 12, 840}, Row{0xFF8000, "", 1, 45},
                      Row{0x000000, "=SUM(1,2)", 3, 61}, Row{0xFFFFFF, "@x", 1, 1440 * 30 + 1}};
  EXPECT_EQ(Check(dir, content), "");
}

TEST(WorkbookSheets, FillTheFirstThousandColoursAndCutTextsAtTheCellsLimit) {
  SKIP_WITHOUT_OPENPYXL();
  TempDir dir;
  Content content;
  content.units = {"2025"};
  Member many{"多色", {}, {0}};
  for (std::uint32_t i = 0; i < 1010; ++i) {
    many.rows.push_back(Row{i * 0x0101u, i == 5 ? std::string(40000, 'x') : "", 1, 1});
    many.cells[0] += 1;
  }
  content.members = {many, Member{"長い" + std::string(33000, 'y'), {Row{0x0000FF, "", 1, 1}}, {1}}};
  EXPECT_EQ(Check(dir, content), "");
}

TEST(WorkbookSheets, AResultWithoutMembersStillAddsUp) {
  SKIP_WITHOUT_OPENPYXL();
  TempDir dir;
  Content content;
  content.units = {"2025-01-06"};
  content.teamRows = {Row{0x0000FF, "会議", 0, 0}};
  EXPECT_EQ(Check(dir, content), "");
}

}  // namespace
}  // namespace tallyer
