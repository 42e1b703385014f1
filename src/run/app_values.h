#pragma once

#include <filesystem>

#include "data/date_time.h"
#include "run/notices.h"
#include "tally/tally_settings.h"

namespace tallyer {

// Process-wide values of the application.
struct AppValues {
  std::filesystem::path htmlReportPath;  // the program's folder + "Planwell_Output.html"
  DateTime bandStart = DateTime::FromParts(2000, 1, 1, 17, 30);
  DateTime bandEnd = DateTime::FromParts(2000, 1, 1, 23, 59);
  int durationFormat = 0;
  FaultyLinkNotice faultyLinkNotice;
};

}  // namespace tallyer
