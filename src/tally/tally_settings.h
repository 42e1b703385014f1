#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "data/date_time.h"

namespace tallyer {

// Shown in both path fields until a file is chosen. It holds no '.' and no
// directory separator, which the checks of the type file path rely on.
extern const std::filesystem::path kHintPath;

// The modes, by the index of their list item.
enum TallyMode : int { kModeTotal = 0, kModeColor = 1, kModeType = 2, kModeContent = 3 };

// The calendar units a breakdown by period splits the period into: days;
// weeks from Monday; calendar months; calendar years; Japanese fiscal years
// (年度, April to March).
enum class PeriodUnit { kDay, kWeek, kMonth, kYear, kFiscalYear };

// All options of one run. Texts are CP932; paths are native.
struct TallySettings {
  std::filesystem::path groupPath = kHintPath;
  bool everyone = false;
  std::vector<std::string> selectedKeys;
  DateTime firstDate;
  DateTime lastDate;
  int mode = kModeTotal;
  std::filesystem::path typeFilePath = kHintPath;
  bool bandOnly = false;
  DateTime bandStart = DateTime::FromParts(2000, 1, 1, 17, 30);
  DateTime bandEnd = DateTime::FromParts(2000, 1, 1, 23, 59);
  bool contentOnly = false;
  std::string contentText;
  bool exactMatch = false;
  bool ignoreCaseWidth = false;
  bool noOverlap = false;
  bool noTentative = false;
  int durationFormat = 0;
  std::filesystem::path outputPath;  // empty: the HTML report
  // Also split the figures by these units of the period (none: no breakdown).
  std::optional<PeriodUnit> breakdownUnit;
};

// True when the path still reads like the hint text: it names no folder.
bool HasNoDirectorySeparator(const std::filesystem::path& path);

}  // namespace tallyer
