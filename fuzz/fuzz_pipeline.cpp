// The whole run on one group and one month cut from the input, with options
// taken from it, writing the CSV report to a file and the HTML page and JSON
// of the same result in memory.
//
// Input: 9 option bytes, the content text (its length in the 9th byte), then
// three parts each behind a 16-bit length: the group file, the type colour
// file and, taking the rest, the month file of June 2005.
#include <sstream>
#include <string>
#include <string_view>

#include "data/type_colors.h"
#include "fuzz_input.h"
#include "report/classic_report.h"
#include "report/json_report.h"
#include "run/diagnostic_log.h"
#include "run/group_loading.h"
#include "run/run.h"
#include "run/settings_store.h"
#include "tally/result_builder.h"
#include "tally/tally_context.h"

using namespace tallyer;

namespace {

class NullRunHost : public RunHost {
 public:
  void ShowMessage(const std::string&, MessageKind) override {}
  void ShowDebugMessage(const std::string&) override {}
  void SetProgress(int) override {}
  bool OpenDocument(const std::filesystem::path&) override { return true; }
};

// Cuts the input into its parts; a part the input is too short for is cut short.
class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : rest_(reinterpret_cast<const char*>(data), size) {}
  std::uint8_t Byte() {
    if (rest_.empty()) return 0;
    const auto b = static_cast<std::uint8_t>(rest_[0]);
    rest_.remove_prefix(1);
    return b;
  }
  std::string_view Bytes(std::size_t n) {
    const std::string_view part = rest_.substr(0, n);
    rest_.remove_prefix(part.size());
    return part;
  }
  std::string_view Part() {
    const std::size_t n = Byte() | static_cast<std::size_t>(Byte()) << 8;
    return Bytes(n);
  }
  std::string_view Rest() { return Bytes(rest_.size()); }

 private:
  std::string_view rest_;
};

void Write(const std::filesystem::path& path, std::string_view bytes) {
  fuzz::WriteInput(path, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

DateTime Clock(std::uint8_t hour, std::uint8_t minute) {
  return DateTime::FromParts(2000, 1, 1, hour % 24, minute % 60);
}

struct Pipeline {
  NullRunHost host;
  DiagnosticLog log{std::filesystem::path()};
  TallyContext context;
  std::filesystem::path groupPath = fuzz::WorkDir() / "fuzz.group";
  std::filesystem::path typePath = fuzz::WorkDir() / "fuzz.type";
  std::filesystem::path csvPath = fuzz::WorkDir() / "out.csv";
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Pipeline p;  // one context for every run, as in the desktop program
  Input in(data, size);
  TallySettings s;
  const std::uint8_t modes = in.Byte();
  s.mode = modes & 3;
  s.durationFormat = (modes >> 2) & 3;
  s.everyone = (modes & 0x10) != 0;
  const std::uint8_t flags = in.Byte();
  s.bandOnly = flags & 1;
  s.contentOnly = flags & 2;
  s.exactMatch = flags & 4;
  s.ignoreCaseWidth = flags & 8;
  s.noOverlap = flags & 16;
  s.noTentative = flags & 32;
  // Periods starting from mid-April to late December, backwards ones included
  // (the run refuses them); only June has a month file.
  const DateTime june = DateTime::FromParts(2005, 6, 1);
  s.firstDate = june.PlusDays(static_cast<int>(in.Byte()) - 48);
  s.lastDate = s.firstDate.PlusDays(static_cast<int>(in.Byte()) - 16);
  s.bandStart = Clock(in.Byte(), in.Byte());
  s.bandEnd = Clock(in.Byte(), in.Byte());
  s.contentText = std::string(in.Bytes(in.Byte()));

  Write(p.groupPath, in.Part());
  Write(p.typePath, in.Part());
  Write(MonthFilePath(p.groupPath, 2005, 6), in.Rest());

  ReadGroupFile(p.context.group, p.groupPath, p.host, p.log);
  s.groupPath = p.groupPath;
  s.typeFilePath = p.typePath;
  s.outputPath = p.csvPath;
  // Every other member chosen, when not everyone.
  for (int i = 0; i < p.context.group.Count(); i += 2) s.selectedKeys.push_back(p.context.group.Item(i).key);

  AppValues app;
  app.htmlReportPath = fuzz::WorkDir() / "out.html";
  MemorySettingsStore store;
  if (Run(s, p.context, app, store, p.host) != RunOutcome::kDone) return 0;

  CTypeColors types;
  types.Load(p.typePath);
  const TallyResult result = BuildTallyResult(p.context, s, &types, DateTime{});
  const std::string html = ClassicHtmlDocument(result);
  std::ostringstream json;
  JsonFormatter().Write(result, json);
  if (json.str().empty() || json.str().back() != '\n') __builtin_trap();  // JSON ends its last line
  if (html.empty()) __builtin_trap();  // every document has its head
  return 0;
}
