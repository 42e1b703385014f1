// A damaged month can give one member tens of thousands of colours, and a type
// file can list as many: the colour rows must still take time in proportion to
// the rows written, not to their square.

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <string>

#include "data/type_colors.h"
#include "report/classic_report.h"
#include "support/archive_writer.h"
#include "support/result_of.h"

namespace tallyer {
namespace {

constexpr std::uint32_t kColours = 50000;

std::size_t Lines(const std::string& doc) { return static_cast<std::size_t>(std::count(doc.begin(), doc.end(), '\n')); }

// The colour rows of the member in the classic document: its head (group
// and period lines, or up to "<table>" LF) and trailer cut off.
void AppendColorRows(std::string& doc, const MemberResult& result, bool csv, int format,
                     const CTypeColors* types) {
  TallySettings s;
  s.mode = types != nullptr ? kModeType : kModeColor;
  s.durationFormat = format;
  const TallyResult r = testing::ResultOf({result}, s, types);
  if (csv) {
    const std::string whole = ClassicCsvDocument(r);
    doc += whole.substr(whole.find("\r\n", whole.find("\r\n") + 2) + 2);
  } else {
    const std::string whole = ClassicHtmlDocument(r);
    const std::size_t from = whole.find("<table>\n") + 8;
    doc += whole.substr(from, whole.rfind("</table>") - from);
  }
}

TEST(HostileColorRows, TensOfThousandsOfColoursAndTypesGiveOneRowEach) {
  std::deque<CSchedule> storage;
  MemberResult result;
  for (std::uint32_t i = 0; i < kColours; ++i) {
    CSchedule s;
    s.start = testing::At("2005-06-01 09:00");
    s.end = testing::At("2005-06-01 09:01");
    s.color = i * 7;  // distinct, and not in ascending order of first occurrence below
    storage.push_back(s);
    result.schedules.push_back(&storage.back());
  }
  std::reverse(result.schedules.begin(), result.schedules.end());
  // Every other colour of the member is a type, plus as many colours it lacks.
  CTypeColors types;
  for (std::uint32_t i = 0; i < kColours; ++i) {
    std::string name = "t";  // not "t" + ...: GCC 12 warns falsely about that at -O2
    name += std::to_string(i);
    types.names.push_back(name);
    types.colors.push_back(i % 2 ? i * 7 : i * 7 + 1);
  }

  std::string doc;
  AppendColorRows(doc, result, true, 3, nullptr);
  EXPECT_EQ(Lines(doc), kColours);
  EXPECT_EQ(doc.substr(0, 12), ",\"#000000\",1");  // ascending colours

  doc.clear();
  AppendColorRows(doc, result, true, 3, &types);
  EXPECT_EQ(Lines(doc), kColours + kColours / 2);
  // Table order first: t0 names a colour the member lacks, t1 one it has.
  EXPECT_EQ(doc.substr(0, 38), ",\"#010000\",t0,0,0\r\n,\"#070000\",t1,1,1\r\n");

  doc.clear();
  AppendColorRows(doc, result, false, 3, &types);
  EXPECT_EQ(Lines(doc), kColours + kColours / 2);
}

}  // namespace
}  // namespace tallyer
