#include "report/formatter.h"

#include <fstream>
#include <ostream>
#include <random>
#include <sstream>
#include <string>
#include <system_error>

#include "report/report_file.h"

namespace tallyer {
namespace {

// A fresh name in the system's temporary folder, removed with the object.
class ScratchFile {
 public:
  ScratchFile() {
    std::error_code ec;
    const auto folder = std::filesystem::temp_directory_path(ec);
    if (ec) return;
    std::random_device random;
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
      const auto candidate = folder / ("tallyer-" + std::to_string(random()) + ".tmp");
      if (!std::filesystem::exists(candidate, ec)) path_ = candidate;
    }
  }
  ~ScratchFile() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove(path_, ec);
  }
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace

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
    const ScratchFile scratch;
    if (scratch.Path().empty() || !formatter.WriteFile(result, scratch.Path())) return false;
    std::ifstream in(scratch.Path(), std::ios::binary);
    if (!in) return false;
    // Inserting an empty buffer would mark `out` failed although nothing went wrong.
    if (in.peek() != std::ifstream::traits_type::eof()) out << in.rdbuf();
  }
  out.flush();
  return static_cast<bool>(out);
}

}  // namespace tallyer
