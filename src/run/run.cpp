#include "run/run.h"

#include "data/cp932.h"
#include "data/clock.h"
#include "data/type_colors.h"
#include "report/classic_report.h"
#include "run/input_checks.h"
#include "run/notices.h"
#include "run/protected_files.h"
#include "run/stored_options.h"
#include "tally/period_loader.h"
#include "tally/month_filter.h"
#include "tally/tally_accumulator.h"
#include "tally/tally_context.h"

namespace tallyer {
namespace {

const std::string kBadRange = Utf8ToCp932("日付範囲が不正です。");
const std::string kNoMember = Utf8ToCp932("集計対象とするメンバーが選択されていません。");
const std::string kNoTypeFile = Utf8ToCp932("タイプ別色情報ファイルを指定して下さい。");
const std::string kNoMode = Utf8ToCp932("集計モードを選択して下さい。");
const std::string kDone = Utf8ToCp932("出力しました。");

std::string NotOpenedMessage(const std::filesystem::path& page) {
  const std::u8string utf8 = page.u8string();
  return Utf8ToCp932("集計結果を ") +
         Utf8ToCp932(std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size())) +
         Utf8ToCp932(" に書き出しましたが、ブラウザーで開けませんでした。");
}

// The message of the first check the options fail, or nullptr.
const std::string* RefusalOf(const TallySettings& s) {
  // A band that is switched off cannot be wrong.
  if (s.bandOnly && s.bandStart.IsLaterThan(s.bandEnd)) return &kBadRange;
  // A reversed period holds no day: its report of zeros would read as real.
  if (s.firstDate.IsLaterThan(s.lastDate)) return &kBadRange;
  if (s.selectedKeys.empty() && !s.everyone) return &kNoMember;
  if (s.mode == kModeType && HasNoDirectorySeparator(s.typeFilePath)) return &kNoTypeFile;
  // No writer exists for another mode: refusing beats announcing a report
  // that was never written.
  if (s.mode < kModeTotal || s.mode > kModeContent) return &kNoMode;
  return nullptr;
}

// Reads the period month by month with the busy cursor shown while each file
// is read and while its chains are resolved, telling of the first faulty
// link, and adds each month into the sums as it comes; the bar advances
// between 10 and 30 as the months go by.
void TallyPeriod(const TallySettings& settings, TallyContext& context, TallyAccumulator& sums,
                 RunHost& host, FaultyLinkNotice& notice) {
  const MonthFilter filter{&settings, sums.Members(), &sums};
  PeriodLoader loader(context, settings.firstDate, settings.lastDate, &filter);
  const std::size_t months = loader.MonthCount();
  int shown = 10;
  for (std::size_t done = 1; !loader.Done(); ++done) {
    {
      BusyCursor busy(host);
      loader.ReadMonth();
    }
    {
      BusyCursor busy(host);
      if (const auto problem = loader.ResolveMonth()) notice.Tell(*problem, host);
    }
    if (loader.TextsRenewed()) sums.ForgetTexts();
    sums.AddMonth(loader.Sums(), loader.Month());
    loader.TakeMonth();
    const int position = 10 + static_cast<int>(20 * done / months);
    if (position > shown && position < 30) host.SetProgress(shown = position);
  }
  // Months that a later file held records of are read once more, quietly:
  // their faulty links were told the first time.
  for (const DateTime& month : sums.MonthsToRevisit()) {
    BusyCursor busy(host);
    PeriodLoader again(context, month, month, &filter);
    again.ReadMonth();
    again.ResolveMonth();
    sums.Revisit(again.Sums(), month);
    again.TakeMonth();
  }
}

// The checks, the save and the tally; no progress 0 (the callers set it first).
RunOutcome Tally(const TallySettings& settings, TallyContext& context, AppValues& app,
                 SettingsStore& store, RunHost& host, TallyResult& result) {
  if (!TypeFileReadable(settings)) {
    host.ShowMessage(UnreadableTypeFileMessage(settings.typeFilePath), MessageKind::kExclamation);
    return RunOutcome::kUnreadableInput;
  }
  if (const std::string* refusal = RefusalOf(settings)) {
    host.ShowMessage(*refusal, MessageKind::kExclamation);
    return RunOutcome::kRefused;
  }

  app.durationFormat = settings.durationFormat;
  app.bandStart = settings.bandStart;
  app.bandEnd = settings.bandEnd;
  // Saved before any file is read, so a run that fails later keeps its options.
  SaveRunOptions(store, settings);
  host.SetProgress(10);

  // The type colour file is read once per run, whatever the outputs.
  CTypeColors types;
  if (settings.mode == kModeType) types.Load(settings.typeFilePath);
  static const std::vector<std::string> kNoKeys;
  TallyAccumulator sums(settings, &types,
                        context.ListedMembers(settings.everyone ? kNoKeys : settings.selectedKeys,
                                              settings.everyone));
  TallyPeriod(settings, context, sums, host, app.faultyLinkNotice);
  // The steps the bar showed when the period was filtered as a whole.
  for (const int position : {30, 40, 45, 50, 55}) host.SetProgress(position);
  result = sums.Finish(context.group.name, GenerationTime());
  host.SetProgress(65);
  return RunOutcome::kDone;
}

}  // namespace

RunOutcome TallyRun(const TallySettings& settings, TallyContext& context, AppValues& app,
                    SettingsStore& store, RunHost& host, TallyResult& result) {
  host.SetProgress(0);
  return Tally(settings, context, app, store, host, result);
}

RunOutcome Run(const TallySettings& settings, TallyContext& context, AppValues& app,
               SettingsStore& store, RunHost& host) {
  const bool csv = !settings.outputPath.empty();
  host.SetProgress(0);
  // Checked before the options, as every program checks its targets first.
  const std::filesystem::path& target = csv ? settings.outputPath : app.htmlReportPath;
  if (ProtectedFiles(settings.groupPath, settings.typeFilePath).Protects(target)) {
    host.ShowMessage(ProtectedTargetMessage(target), MessageKind::kExclamation);
    return RunOutcome::kRefused;
  }
  TallyResult result;
  const RunOutcome tallied = Tally(settings, context, app, store, host, result);
  if (tallied != RunOutcome::kDone) return tallied;
  context.optionLines = ComposeOptionLines(settings, csv);

  static const ClassicCsvFormatter kCsv;
  static const ClassicHtmlFormatter kHtml;
  const std::optional<Problem> problem =
      WriteReport(csv ? static_cast<const Formatter&>(kCsv) : kHtml, result, target);
  if (problem) host.ShowMessage(problem->message, problem->kind);
  const bool written = !problem;
  host.SetProgress(90);
  if (written) {
    if (csv) {
      host.ShowMessage(kDone, MessageKind::kInformation);
    } else if (!host.OpenDocument(app.htmlReportPath)) {
      // The page is there all the same; the user must learn where.
      host.ShowMessage(NotOpenedMessage(app.htmlReportPath), MessageKind::kInformation);
    }
  }
  host.SetProgress(0);
  return written ? RunOutcome::kDone : RunOutcome::kWriteFailed;
}

}  // namespace tallyer
