#include "report/formatter.h"

#include <ostream>
#include <sstream>

#include "report/report_file.h"
#include "report/temp_file.h"

namespace tallyer {

void Formatter::Write(const TallyResult&, std::ostream&) const {}

bool Formatter::WriteFile(const TallyResult&, const std::filesystem::path&) const { return false; }

std::optional<Problem> WriteReport(const Formatter& formatter, const TallyResult& result,
                                   const std::filesystem::path& target) {
  if (formatter.WritesNamedFile()) {
    ReportContent content;
    content.writeNamedFile = [&](const std::filesystem::path& path) {
      return formatter.WriteFile(result, path);
    };
    return WriteReportFile(target, content);
  }
  // Reports are small beside the data they sum up: made whole in memory,
  // then written in one piece.
  std::ostringstream bytes;
  formatter.Write(result, bytes);
  return WriteReportFile(target, bytes.view());
}

bool WriteReport(const Formatter& formatter, const TallyResult& result, std::ostream& out) {
  if (!formatter.WritesNamedFile()) {
    formatter.Write(result, out);
  } else {
    const TempFile temp(".tmp");
    if (temp.Path().empty() || !formatter.WriteFile(result, temp.Path())) return false;
    return CopyFileTo(temp.Path(), out);
  }
  out.flush();
  return static_cast<bool>(out);
}

}  // namespace tallyer
