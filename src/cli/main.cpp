// tallyer-cli: the tally run from the command line, for scripts and
// schedulers. It drives the same run as the desktop program, so its report
// files are byte for byte what the desktop program writes.
#include <iostream>
#include <string_view>

#include "cli/cli_options.h"
#include "cli/date_args.h"
#include "cli/member_check.h"
#include "cli/result_table.h"
#include "cli/temp_file.h"
#include "cli/terminal_host.h"
#ifdef _WIN32
#include "cli/windows_console.h"
#endif
#include "data/cp932.h"
#include "data/type_colors.h"
#include "data/clock.h"
#include "run/diagnostic_log.h"
#include "run/input_checks.h"
#include "run/protected_files.h"
#include "run/group_loading.h"
#include "run/run.h"
#include "run/settings_store.h"
#include "tally/tally_context.h"

namespace {

using namespace tallyer;
using namespace tallyer::cli;

constexpr int kExitDone = 0;
constexpr int kExitFileError = 1;
constexpr int kExitUsage = 2;

int ExitStatus(RunOutcome outcome) {
  switch (outcome) {
    case RunOutcome::kDone:
      return kExitDone;
    case RunOutcome::kRefused:
      return kExitUsage;
    default:
      return kExitFileError;
  }
}

void NoTempFile() {
  std::cerr << "tallyer-cli: 一時ファイルを作成できませんでした。 (cannot create a temporary file)\n";
}

void StdoutFailed() {
  std::cerr << "tallyer-cli: 標準出力に書き込めませんでした。 (cannot write to standard output)\n";
}

// Everything one invocation runs on. The user's stored desktop options are
// never touched: the store lives in memory.
struct Session {
  TallySettings settings;
  TerminalHost host{std::cerr};
  TallyContext context;
  MemorySettingsStore store;
  AppValues app;

  RunOutcome RunCsv(const std::filesystem::path& path) {
    TallySettings s = settings;
    s.outputPath = path;
    return Run(s, context, app, store, host);
  }
  RunOutcome RunHtml(const std::filesystem::path& path) {
    TallySettings s = settings;
    s.outputPath.clear();
    app.htmlReportPath = path;
    return Run(s, context, app, store, host);
  }
};

// The first report file that would replace a file of the scheduler or of the
// run, in the order the reports are written; the folder of month files is
// listed once for all of them.
const ReportTarget* FirstProtectedTarget(const CliRequest& request) {
  const ProtectedFiles protectedFiles(request.settings.groupPath, request.settings.typeFilePath);
  for (const auto* target : {&request.csv, &request.html}) {
    if (*target && !(*target)->toStdout && protectedFiles.Protects((*target)->path)) return &**target;
  }
  return nullptr;
}

// Writes one report kind to its target; standard output goes through a
// temporary file so that it receives exactly the file's bytes.
int WriteReport(Session& session, const ReportTarget& target, bool csv) {
  if (!target.toStdout) {
    session.host.SetQuietInformation(false);
    return ExitStatus(csv ? session.RunCsv(target.path) : session.RunHtml(target.path));
  }
  TempFile temp(csv ? ".csv" : ".html");
  if (temp.Path().empty()) {
    NoTempFile();
    return kExitFileError;
  }
  session.host.SetQuietInformation(true);
  const RunOutcome outcome = csv ? session.RunCsv(temp.Path()) : session.RunHtml(temp.Path());
  if (outcome != RunOutcome::kDone) return ExitStatus(outcome);
#ifdef _WIN32
  // The report's own bytes, never converted for a console.
  std::ostream& out = RawStandardOutput();
#else
  std::ostream& out = std::cout;
#endif
  if (!CopyFileTo(temp.Path(), out)) {
    StdoutFailed();
    return kExitFileError;
  }
  return kExitDone;
}

// The result as a table on the terminal, from the run's member results.
int PrintTable(Session& session) {
  TempFile temp(".csv");
  if (temp.Path().empty()) {
    NoTempFile();
    return kExitFileError;
  }
  session.host.SetQuietInformation(true);
  const RunOutcome outcome = session.RunCsv(temp.Path());
  if (outcome != RunOutcome::kDone) return ExitStatus(outcome);

  CTypeColors types;
  if (session.settings.mode == kModeType) types.Load(session.settings.typeFilePath);
  std::cout << ResultHeading(session.context.group.GetName(), session.context.optionLines) << "\n"
            << RenderTable(ResultTable(session.context.memberResults, session.settings, &types));
  std::cout.flush();
  if (!std::cout) {
    StdoutFailed();
    return kExitFileError;
  }
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
  // members, the type colour file, then the run's own checks.
  Session session;
  session.settings = request.settings;
  if (const ReportTarget* target = FirstProtectedTarget(request)) {
    session.host.ShowMessage(ProtectedTargetMessage(target->path), MessageKind::kExclamation);
    return kExitUsage;
  }
  CGroup& group = session.context.group;
  group.SetPath(session.settings.groupPath);
  if (!ReadGroupFile(group, session.settings.groupPath, session.host, ProcessLog())) return kExitFileError;

  if (const auto unknown = FirstUnknownKey(group, session.settings.selectedKeys)) {
    std::cerr << "tallyer-cli: メンバー \"" << Cp932ToUtf8(*unknown)
              << "\" はグループにいません。 (no visible member has this key)\n"
              << "--member に指定できるキー / keys:\n"
              << VisibleMemberList(group);
    return kExitUsage;
  }

  if (!TypeFileReadable(session.settings)) {
    const std::u8string path = session.settings.typeFilePath.u8string();
    std::cerr << "tallyer-cli: タイプ別色情報ファイル "
              << std::string_view(reinterpret_cast<const char*>(path.data()), path.size())
              << " を読めません。 (cannot read the type colour file)\n";
    return kExitFileError;
  }

  if (!request.csv && !request.html) return PrintTable(session);

  int status = kExitDone;
  for (bool csv : {true, false}) {
    const auto& target = csv ? request.csv : request.html;
    if (!target) continue;
    const int result = WriteReport(session, *target, csv);
    if (result == kExitUsage) return result;  // a refusal holds for every kind
    if (result != kExitDone) status = result;
  }
  return status;
}
