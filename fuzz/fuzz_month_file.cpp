// Month files of any content: the reader must end with the complete records.
#include "data/group.h"
#include "data/month_file.h"
#include "fuzz_input.h"
#include "run/diagnostic_log.h"
#include "run/ui_services.h"

using namespace tallyer;

namespace {

struct Reader {
  Reader() {
    monthFile.SetGroup(&group);
    group.SetMonthFile(&monthFile);
    group.SetPath(fuzz::WorkDir() / "input.group");
    monthFile.SetMonth(DateTime::FromParts(2005, 6, 1));
  }
  NullUiServices ui;
  DiagnosticLog log{std::filesystem::path()};
  TextPool texts;
  CGroup group{ui, log};
  CMonthFile monthFile{ui, texts};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Reader reader;
  fuzz::WriteInput(reader.monthFile.Path(), data, size);
  reader.monthFile.Load();
  std::size_t total = 0;
  for (const CSchedule& s : reader.monthFile.Schedules()) {
    total += s.content.View().size() + s.memberKey.View().size() + s.link;
    total += static_cast<std::size_t>(s.start.Parts().year + s.end.Parts().minute);
  }
  reader.monthFile.Clear();
  reader.texts.Clear();  // keeps memory flat over millions of runs
  return total == static_cast<std::size_t>(-1);
}
