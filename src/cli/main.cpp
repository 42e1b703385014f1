// tallyer-cli: the tally run from the command line, for scripts and
// schedulers. It drives the same run as the desktop program, so its report
// files are byte for byte what the desktop program writes. The inputs are
// read once; every output is a formatter of the one result.
#include <iostream>
#include <string_view>

#include "cli/cli_options.h"
#include "cli/member_check.h"
#include "cli/result_table.h"
#include "cli/terminal_host.h"
#ifdef _WIN32
#include "cli/windows_console.h"
#endif
#include "data/clock.h"
#include "data/cp932.h"
#include "report/classic_report.h"
#include "report/json_report.h"
#include "report/summary_page_formatter.h"
#include "report/workbook_formatter.h"
#include "run/diagnostic_log.h"
#include "run/group_loading.h"
#include "run/input_checks.h"
#include "run/protected_files.h"
#include "run/run.h"
#include "run/settings_store.h"
#include "tally/tally_context.h"

namespace {

using namespace tallyer;
using namespace tallyer::cli;

constexpr int kExitDone = 0;
constexpr int kExitFileError = 1;
constexpr int kExitUsage = 2;

const std::string kDone = Utf8ToCp932("出力しました。");

// One requested output: its formatter and where it goes.
struct Output {
  const std::optional<ReportTarget>& target;
  const Formatter& formatter;
  bool announced;  // a file written says "出力しました。", as the desktop program's CSV does
};

// The first report file that would replace a file of the scheduler or of the
// run, in the order the reports are written; the folder of month files is
// listed once for all of them.
const ReportTarget* FirstProtectedTarget(const CliRequest& request) {
  const ProtectedFiles protectedFiles(request.settings.groupPath, request.settings.typeFilePath);
  for (const auto* target : {&request.csv, &request.html, &request.json, &request.xlsx, &request.report}) {
    if (*target && !(*target)->toStdout && protectedFiles.Protects((*target)->path)) return &**target;
  }
  return nullptr;
}

// `raw`: the output's own bytes, never converted for a console (the reports);
// otherwise text for the terminal (the table).
bool WriteToStdout(const Formatter& formatter, const TallyResult& result, bool raw) {
#ifdef _WIN32
  std::ostream& out = raw ? RawStandardOutput() : std::cout;
#else
  (void)raw;
  std::ostream& out = std::cout;
#endif
  if (WriteReport(formatter, result, out)) return true;
  std::cerr << "tallyer-cli: 標準出力に書き込めませんでした。 (cannot write to standard output)\n";
  return false;
}

// Writes one output; a failure is told and leaves the other outputs to be written.
int WriteOutput(const Output& output, const TallyResult& result, TerminalHost& host) {
  const ReportTarget& target = *output.target;
  if (target.toStdout) return WriteToStdout(output.formatter, result, true) ? kExitDone : kExitFileError;
  if (const auto problem = WriteReport(output.formatter, result, target.path)) {
    host.ShowMessage(problem->message, problem->kind);
    return kExitFileError;
  }
  if (output.announced) host.ShowMessage(kDone, MessageKind::kInformation);
  return kExitDone;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  // Windows hands narrow arguments over in the ANSI code page, which loses
  // what it cannot hold; the UTF-16 command line has everything.
  std::vector<std::string> arguments = Utf8Arguments();
  std::vector<char*> utf8Argv;
  for (std::string& a : arguments) utf8Argv.push_back(a.data());
  utf8Argv.push_back(nullptr);
  argc = static_cast<int>(arguments.size());
  argv = utf8Argv.data();
  SetUpStandardStreams();
#endif
  CliRequest request;
  switch (ParseCommandLine(argc, argv, LocalNow(), request, std::cout, std::cerr)) {
    case ParseResult::kHelpShown:
      return kExitDone;
    case ParseResult::kUsageError:
      return kExitUsage;
    case ParseResult::kProceed:
      break;
  }

  // The order of the checks: usage, report targets, the group file, the
  // members, the type colour file, then the run's own checks. The user's
  // stored desktop options are never touched: the store lives in memory.
  const TallySettings& settings = request.settings;
  TerminalHost host(std::cerr);
  if (const ReportTarget* target = FirstProtectedTarget(request)) {
    host.ShowMessage(ProtectedTargetMessage(target->path), MessageKind::kExclamation);
    return kExitUsage;
  }
  TallyContext context;
  CGroup& group = context.group;
  group.SetPath(settings.groupPath);
  if (!ReadGroupFile(group, settings.groupPath, host, ProcessLog())) return kExitFileError;

  if (const auto unknown = FirstUnknownKey(group, settings.selectedKeys)) {
    std::cerr << "tallyer-cli: メンバー \"" << Cp932ToUtf8(*unknown)
              << "\" はグループにいません。 (no visible member has this key)\n"
              << "--member に指定できるキー / keys:\n"
              << VisibleMemberList(group);
    return kExitUsage;
  }

  if (!TypeFileReadable(settings)) {
    const std::u8string path = settings.typeFilePath.u8string();
    std::cerr << "tallyer-cli: タイプ別色情報ファイル "
              << std::string_view(reinterpret_cast<const char*>(path.data()), path.size())
              << " を読めません。 (cannot read the type colour file)\n";
    return kExitFileError;
  }

  MemorySettingsStore store;
  AppValues app;
  TallyResult result;
  switch (TallyRun(settings, context, app, store, host, result)) {
    case RunOutcome::kDone:
      break;
    case RunOutcome::kRefused:
      return kExitUsage;
    default:
      return kExitFileError;
  }
  // Outputs name the type colour file as the user typed it.
  result.typeFileShown = request.typeFileArgument;

  if (!request.csv && !request.html && !request.json && !request.xlsx && !request.report) {
    return WriteToStdout(TerminalTableFormatter(), result, false) ? kExitDone : kExitFileError;
  }
  const ClassicCsvFormatter csv;
  const ClassicHtmlFormatter html;
  const JsonFormatter json;
  const WorkbookFormatter workbook;
  const SummaryPageFormatter report;
  int status = kExitDone;
  for (const Output& output :
       {Output{request.csv, csv, true}, Output{request.html, html, false}, Output{request.json, json, false},
        Output{request.xlsx, workbook, false}, Output{request.report, report, false}}) {
    if (!output.target) continue;
    if (&output.formatter == &workbook) {
      if (const auto message = WorkbookTooLongMessage(result, output.target->path)) {
        host.ShowMessage(*message, MessageKind::kExclamation);
        status = kExitFileError;
        continue;
      }
    }
    if (WriteOutput(output, result, host) != kExitDone) status = kExitFileError;
  }
  return status;
}
