// Month files of any content: the reader must end with the complete records,
// and resolving their revision chains must end too, whatever the links say.
#include "data/group.h"
#include "data/month_file.h"
#include "fuzz_input.h"
#include "tally/tally_context.h"

using namespace tallyer;

namespace {

struct Reader {
  Reader() {
    monthFile.SetGroup(&group);
    group.SetMonthFile(&monthFile);
    group.SetPath(fuzz::WorkDir() / "input.group");
    monthFile.SetMonth(DateTime::FromParts(2005, 6, 1));
  }
  TextPool texts;
  CGroup group;
  CMonthFile monthFile{texts};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Reader reader;
  fuzz::WriteInput(reader.monthFile.Path(), data, size);
  reader.monthFile.Load();
  const auto faulty = ResolveChains(reader.monthFile);
  std::size_t total = faulty ? faulty->message.size() : 0;
  const auto& records = reader.monthFile.Schedules();
  for (std::size_t i = 0; i < records.size(); ++i) {
    const CSchedule& s = records[i];
    if (static_cast<std::size_t>(s.position) != i) __builtin_trap();  // every record keeps its place in the file
    total += s.content.View().size() + s.memberKey.View().size() + s.link + s.superseded;
    total += static_cast<std::size_t>(s.start.Parts().year + s.end.Parts().minute);
  }
  reader.monthFile.Clear();
  reader.texts.Clear();  // keeps memory flat over millions of runs
  return total == static_cast<std::size_t>(-1);
}
