#include "cli/cli_options.h"

#include <CLI/CLI.hpp>
#include <ostream>

#include "cli/date_args.h"
#include "data/cp932.h"
#include "report/workbook_sheets.h"
#include "run/default_period.h"
#include "tally/period_breakdown.h"
#include "version.h"

namespace tallyer::cli {
namespace {

constexpr const char* kProgram = "tallyer-cli";

constexpr const char* kDescription =
    "Planwell 集計ツール (コマンドライン版)\n"
    "グループファイルのメンバーの予定時間を期間で集計し、表・CSV・HTML で出力します。\n"
    "Tallies the scheduled time of a group's members over a period and prints a\n"
    "table, or writes the same CSV/HTML reports as the desktop program.\n";

constexpr const char* kFooter =
    "\n"
    "--csv, --html, --json, --xlsx, --report のどれも指定しないと、結果を表にして端末に表示します。\n"
    "Without --csv, --html, --json, --xlsx and --report the result is printed as a table.\n"
    "月ごとの予定ファイル (例: 営業部.group なら 営業部202501.sch) はグループファイルと\n"
    "同じフォルダから読みます。 Month files are read from beside the group file.\n"
    "\n"
    "終了コード / exit status: 0 完了 done, 1 ファイルのエラー file error,\n"
    "  2 指定の誤り usage error, refused options or report target.\n"
    "グループ・月・タイプのファイル (*.group, *.sch, *.type) には書き出しません。\n"
    "Reports never replace the scheduler's files or the files the run reads.\n"
    "\n"
    "例 / examples:\n"
    "  tallyer-cli --from 2025-01-01 --to 2025-12-31 data/営業部.group\n"
    "  tallyer-cli --mode 3 --type-file data/営業部.type --csv out.csv data/営業部.group\n"
    "  tallyer-cli --member tanaka --band 09:00-18:00 --html report.html data/営業部.group\n";

bool ParseTarget(const std::string& text, std::optional<ReportTarget>& target) {
  if (text.empty()) return false;
  target = ReportTarget{};
  if (text == "-") {
    target->toStdout = true;
  } else {
    target->path = std::filesystem::u8path(text);
  }
  return true;
}

}  // namespace

ParseResult ParseCommandLine(int argc, const char* const* argv, const DateTime& now,
                             CliRequest& request, std::ostream& out, std::ostream& err) {
  CLI::App app(kDescription, kProgram);
  app.footer(kFooter);
  app.get_formatter()->column_width(26);
  app.set_help_flag("-h,--help", "この説明を表示して終了 / print this help and exit");
  app.set_version_flag("--version", std::string(kProgram) + " " + kProductVersion,
                       "版を表示して終了 / print the version and exit");

  std::string groupPath, fromText, toText, typeFile, bandText, csvText, htmlText, jsonText;
  std::string xlsxText, reportText;
  std::string contentText, byText;
  int mode = 1;
  int format = 0;
  bool exact = false, ignoreCaseWidth = false, noOverlap = false, noTentative = false;

  app.add_option("GROUP_FILE", groupPath,
                 "グループファイル (*.group) / the group file")
      ->type_name("")
      ->required();
  auto* from = app.add_option(
      "--from", fromText,
      "期間の最初の日 / first day: YYYY-MM-DD[THH:MM[:SS]]\n"
      "既定: 明日の1か月前の 00:00 / default: a month before tomorrow");
  from->type_name("DATE");
  auto* to = app.add_option("--to", toText,
                            "期間の最後の日 / last day (DATE の形は --from と同じ)\n"
                            "既定: 現在 / default: now");
  to->type_name("DATE");
  app.add_option("--member", request.memberArguments,
                 "集計するメンバーのキー (繰り返し可、省略時は全員;\n"
                 "誤ったキーにはキーの一覧を表示) / member key to tally,\n"
                 "repeatable; default: everyone; a wrong key lists the keys")
      ->type_name("KEY")
      ->expected(1)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  app.add_option("--mode", mode,
                 "集計モード / tally mode (既定 default 1):\n"
                 "1. 合計時間         total time per member\n"
                 "2. 色別合計時間     per colour\n"
                 "3. タイプ別合計時間 per type (--type-file が必要)\n"
                 "4. 内容別合計時間   per content text")
      ->type_name("N")
      ->check(CLI::Range(1, 4).description(""));
  app.add_option("--type-file", typeFile,
                 "タイプ別色情報ファイル (*.type) / type colour file (mode 3)")
      ->type_name("PATH");
  app.add_option("--band", bandText,
                 "この時間帯の部分だけを数える / count only this daily band,\n"
                 "例 e.g. 09:00-18:00")
      ->type_name("HH:MM-HH:MM");
  auto* content = app.add_option(
      "--content", contentText,
      "内容にこの文字列を含む予定だけを数える /\n"
      "count only schedules whose content contains TEXT");
  content->type_name("TEXT");
  app.add_flag("--exact", exact,
               "内容が --content の文字列と一致する予定だけ / content must equal TEXT");
  app.add_flag("--ignore-case-width", ignoreCaseWidth,
               "大文字/小文字・全角/半角を区別しない / ignore case and width");
  app.add_flag("--no-overlap", noOverlap,
               "重なった時間を二重に数えない (モード 1) /\n"
               "count overlapping time once (mode 1)");
  app.add_flag("--no-tentative", noTentative,
               "仮登録の予定を数えない / do not count tentative entries");
  app.add_option("--format", format,
                 "時間の表示形式 / duration form (既定 default 0):\n"
                 "0 hh時間mm分, 1 hh:mm, 2 mm分, 3 mm")
      ->type_name("N")
      ->check(CLI::Range(0, 3).description(""));
  app.add_option("--by", byText,
                 "期間を単位に分けても集計する (--json、--xlsx、--report と表に) /\n"
                 "also split the figures by day, week (from Monday),\n"
                 "month, year or fiscal year (年度, April to March)")
      ->type_name("UNIT")
      ->check(CLI::IsMember({"day", "week", "month", "year", "fiscal-year"}).description(""));
  app.add_option("--csv", csvText,
                 "CSV の結果を書き出す (- は標準出力) / write the CSV report (- = stdout)")
      ->type_name("PATH");
  app.add_option("--html", htmlText,
                 "HTML の結果を書き出す (- は標準出力) / write the HTML report (- = stdout)")
      ->type_name("PATH");
  app.add_option("--json", jsonText,
                 "結果を JSON (UTF-8) で書き出す (- は標準出力) /\n"
                 "write the result as JSON (- = stdout)")
      ->type_name("PATH");
  app.add_option("--xlsx", xlsxText,
                 "結果を Excel ブック (.xlsx) で書き出す /\n"
                 "write the result as an Excel workbook")
      ->type_name("PATH");
  app.add_option("--report", reportText,
                 "グラフ付きのサマリーレポート (HTML, UTF-8) を書き出す\n"
                 "(- は標準出力) / write the summary page with charts (- = stdout)")
      ->type_name("PATH");

  auto usage = [&](const std::string& message) {
    err << kProgram << ": " << message << "\n"
        << "使い方は " << kProgram << " --help で表示します。 (see --help)\n";
    return ParseResult::kUsageError;
  };

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    out << app.help();
    return ParseResult::kHelpShown;
  } catch (const CLI::CallForAllHelp&) {
    out << app.help("", CLI::AppFormatMode::All);
    return ParseResult::kHelpShown;
  } catch (const CLI::CallForVersion& e) {
    out << e.what() << "\n";
    return ParseResult::kHelpShown;
  } catch (const CLI::ParseError& e) {
    return usage(e.what());
  }

  TallySettings& s = request.settings;
  s.groupPath = std::filesystem::u8path(groupPath);
  s.firstDate = DefaultFirstDate(now);
  s.lastDate = now;
  if (from->count() > 0) {
    const auto date = ParseDateArgument(fromText);
    if (!date) return usage("--from の日付が不正です: " + fromText + " (YYYY-MM-DD[THH:MM[:SS]])");
    s.firstDate = *date;
  }
  if (to->count() > 0) {
    const auto date = ParseDateArgument(toText);
    if (!date) return usage("--to の日付が不正です: " + toText + " (YYYY-MM-DD[THH:MM[:SS]])");
    s.lastDate = *date;
  }
  s.mode = mode - 1;
  request.typeFileArgument = std::filesystem::u8path(typeFile);
  if (!typeFile.empty()) s.typeFilePath = std::filesystem::absolute(std::filesystem::u8path(typeFile));
  if (!bandText.empty()) {
    const auto band = ParseBandArgument(bandText);
    if (!band) return usage("--band の時間帯が不正です: " + bandText + " (HH:MM-HH:MM)");
    s.bandOnly = true;
    s.bandStart = band->start;
    s.bandEnd = band->end;
  }
  if (content->count() > 0) {
    s.contentOnly = true;
    s.contentText = Utf8ToCp932(contentText);
  }
  s.exactMatch = exact;
  s.ignoreCaseWidth = ignoreCaseWidth;
  s.noOverlap = noOverlap;
  s.noTentative = noTentative;
  s.durationFormat = format;
  s.everyone = request.memberArguments.empty();
  s.selectedKeys.clear();
  for (const auto& key : request.memberArguments) s.selectedKeys.push_back(Utf8ToCp932(key));

  if (!csvText.empty() || app.count("--csv") > 0) {
    if (!ParseTarget(csvText, request.csv)) return usage("--csv のパスが空です。 (empty path)");
  }
  if (!htmlText.empty() || app.count("--html") > 0) {
    if (!ParseTarget(htmlText, request.html)) return usage("--html のパスが空です。 (empty path)");
  }
  if (!jsonText.empty() || app.count("--json") > 0) {
    if (!ParseTarget(jsonText, request.json)) return usage("--json のパスが空です。 (empty path)");
  }
  if (!xlsxText.empty() || app.count("--xlsx") > 0) {
    if (!ParseTarget(xlsxText, request.xlsx)) return usage("--xlsx のパスが空です。 (empty path)");
    // The workbook library writes only files it opens by name.
    if (request.xlsx->toStdout) {
      return usage("--xlsx は標準出力 (-) に書き出せません。 (a workbook cannot go to stdout)");
    }
  }
  if (!reportText.empty() || app.count("--report") > 0) {
    if (!ParseTarget(reportText, request.report)) {
      return usage("--report のパスが空です。 (empty path)");
    }
  }
  // Standard output takes one output: "--csv - と --html - は同時に…".
  std::string toStdout;
  int count = 0;
  for (const auto& [name, target] :
       {std::pair{"--csv", &request.csv}, std::pair{"--html", &request.html},
        std::pair{"--json", &request.json}, std::pair{"--report", &request.report}}) {
    if (!*target || !(*target)->toStdout) continue;
    if (count++ > 0) toStdout += " と ";
    toStdout += std::string(name) + " -";
  }
  if (count > 1) return usage(toStdout + " は同時に指定できません。 (only one output to stdout)");
  if (!byText.empty()) {
    // The classic reports have no place for a breakdown.
    if ((request.csv || request.html) && !request.json && !request.report && !request.xlsx) {
      return usage("--by は --json、--xlsx、--report か表示の表と使います。 "
                   "(--by needs --json, --xlsx, --report or the table)");
    }
    static const std::pair<const char*, PeriodUnit> kUnits[] = {
        {"day", PeriodUnit::kDay}, {"week", PeriodUnit::kWeek}, {"month", PeriodUnit::kMonth},
        {"year", PeriodUnit::kYear}, {"fiscal-year", PeriodUnit::kFiscalYear}};
    for (const auto& [name, unit] : kUnits) {
      if (byText == name) s.breakdownUnit = unit;
    }
    // Sheet 期間別 gives each unit a column of its own.
    if (request.xlsx && s.breakdownUnit) {
      const std::size_t units = PeriodUnitCount(*s.breakdownUnit, s.firstDate, s.lastDate);
      if (units > kMaxPeriodUnits) {
        return usage("--by " + byText + " では期間が " + std::to_string(units) +
                     " 個に分かれ、ワークブックのシートの列 (" + std::to_string(kMaxPeriodUnits) +
                     " 個まで) に収まりません。 (too many units for a workbook sheet)");
      }
    }
  }
  return ParseResult::kProceed;
}

}  // namespace tallyer::cli
