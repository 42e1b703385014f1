#include "report/json_report.h"

#include <cstdio>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <unordered_set>

#include "data/cp932.h"
#include "report/color_text.h"

namespace tallyer {
namespace {

using Json = nlohmann::ordered_json;

std::string Utf8(const std::string& cp932) { return Cp932ToUtf8(cp932); }

std::string PathText(const std::filesystem::path& path) {
  const std::u8string utf8 = path.u8string();
  return std::string(reinterpret_cast<const char*>(utf8.data()), utf8.size());
}

// "2025-01-01T00:00:00"; null for a value that names no date.
Json DateTimeText(const DateTime& t) {
  const CalendarParts p = t.Parts();
  if (p.year < 0) return nullptr;
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", p.year, p.month, p.day, p.hour,
                p.minute, p.second);
  return text;
}

std::string TimeOfDay(const DateTime& t) {
  const CalendarParts p = t.Parts();
  char text[32];
  std::snprintf(text, sizeof text, "%02d:%02d", p.hour < 0 ? 0 : p.hour, p.minute < 0 ? 0 : p.minute);
  return text;
}

// "#rrggbb", without the quotes of the classic reports.
std::string ColourText(std::uint32_t color) {
  const std::string quoted = ColorText(color);
  return quoted.substr(1, quoted.size() - 2);
}

Json Options(const TallyResult& result) {
  const TallySettings& s = result.settings;
  Json options = Json::object();
  if (s.everyone) {
    options["members"] = nullptr;
  } else {
    // In the order given, each key once.
    Json keys = Json::array();
    std::unordered_set<std::string> seen;
    for (const std::string& key : s.selectedKeys) {
      if (seen.insert(key).second) keys.push_back(Utf8(key));
    }
    options["members"] = std::move(keys);
  }
  options["band"] = s.bandOnly ? Json{{"from", TimeOfDay(s.bandStart)}, {"to", TimeOfDay(s.bandEnd)}}
                               : Json(nullptr);
  options["content"] = s.contentOnly ? Json{{"text", Utf8(s.contentText)},
                                            {"exact", s.exactMatch},
                                            {"ignoreCaseWidth", s.ignoreCaseWidth}}
                                     : Json(nullptr);
  options["noOverlap"] = s.noOverlap;
  options["noTentative"] = s.noTentative;
  options["typeFile"] = s.mode == kModeType ? Json(PathText(result.typeFileShown)) : Json(nullptr);
  options["durationFormat"] = s.durationFormat;
  return options;
}

Json Figures(const TallyFigures& f) { return Json{{"count", f.count}, {"minutes", f.minutes}}; }

Json Rows(const std::vector<TallyRow>& rows, int mode) {
  Json out = Json::array();
  for (const TallyRow& row : rows) {
    Json r = Json::object();
    if (mode == kModeContent) {
      r["content"] = Utf8(row.content);
    } else {
      r["colour"] = ColourText(row.color);
      if (mode == kModeType) r["type"] = row.typeName.empty() ? Json(nullptr) : Json(Utf8(row.typeName));
    }
    r["count"] = row.figures.count;
    r["minutes"] = row.figures.minutes;
    out.push_back(std::move(r));
  }
  return out;
}

const char* UnitName(PeriodUnit unit) {
  switch (unit) {
    case PeriodUnit::kDay: return "day";
    case PeriodUnit::kWeek: return "week";
    case PeriodUnit::kMonth: return "month";
    case PeriodUnit::kYear: return "year";
    case PeriodUnit::kFiscalYear: return "fiscal-year";
  }
  return "";
}

Json Breakdown(const TallyResult& result) {
  const PeriodBreakdown& b = *result.breakdown;
  Json periods = Json::array();
  for (const BreakdownPeriod& p : b.periods) {
    periods.push_back(Json{{"label", p.label}, {"from", DateTimeText(p.from)}, {"to", DateTimeText(p.to)}});
  }
  Json members = Json::array();
  for (std::size_t i = 0; i < b.memberCells.size(); ++i) {
    Json cells = Json::array();
    for (const TallyFigures& cell : b.memberCells[i]) cells.push_back(Figures(cell));
    const std::string key = i < result.members.size() ? Utf8(result.members[i].key) : std::string();
    members.push_back(Json{{"key", key}, {"cells", std::move(cells)}});
  }
  Json totals = Json::array();
  for (const TallyFigures& cell : b.totals) totals.push_back(Figures(cell));
  return Json{{"unit", UnitName(b.unit)},
              {"periods", std::move(periods)},
              {"members", std::move(members)},
              {"totals", std::move(totals)}};
}

}  // namespace

void JsonFormatter::Write(const TallyResult& result, std::ostream& out) const {
  const TallySettings& s = result.settings;
  const int mode = s.mode;
  Json doc = Json::object();
  doc["group"] = Utf8(result.groupName);
  doc["period"] = Json{{"from", DateTimeText(s.firstDate)}, {"to", DateTimeText(s.lastDate)}};
  doc["mode"] = mode + 1;  // as on the command line
  doc["options"] = Options(result);
  Json members = Json::array();
  for (const MemberTally& m : result.members) {
    members.push_back(Json{{"key", Utf8(m.key)},
                           {"name", Utf8(m.name)},
                           {"count", m.figures.count},
                           {"minutes", m.figures.minutes},
                           {"rows", Rows(m.rows, mode)}});
  }
  doc["members"] = std::move(members);
  doc["totals"] = Figures(result.totals);
  doc["teamRows"] = Rows(result.teamRows, mode);
  if (result.breakdown) doc["breakdown"] = Breakdown(result);
  out << doc.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
}

}  // namespace tallyer
