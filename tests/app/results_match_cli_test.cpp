// The window and the command line run the same tally: for the same options
// the result pane shows the figures of tallyer-cli --json, and every export
// writes the bytes the command line writes.
#include <QAction>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "app/breakdown_table_model.h"
#include "app/result_pane.h"
#include "app/result_table_model.h"
#include "window_options.h"
#include "team_files.h"

using namespace tallyer;
using namespace tallyer::testing;

namespace {

using Model = ResultTableModel;

// What the pane shows, in the shape of the command line's JSON: each member
// (by its block of rows) with its rows, the team rows and the totals.
QJsonObject PaneAsJson(const Model& model, int mode) {
  QJsonArray members;
  QJsonArray teamRows;
  QJsonObject totals;
  int previous = -100;
  for (int r = 0; r < model.rowCount(); ++r) {
    const int member = model.index(r, 0).data(Model::kMemberRole).toInt();
    const int last = model.columnCount() - 1;
    const QJsonObject figures{{"count", model.index(r, last - 1).data(Model::kFigureRole).toLongLong()},
                              {"minutes", model.index(r, last).data(Model::kFigureRole).toLongLong()}};
    if (member == Model::kTotalsRow) {
      totals = figures;
      continue;
    }
    QJsonObject row = figures;
    if (mode != kModeTotal) row.insert("category", model.index(r, 1).data().toString());
    if (member == Model::kTeamRow) {
      teamRows.append(row);
      continue;
    }
    if (member != previous) {
      QJsonObject block{{"name", model.index(r, 0).data().toString()}, {"rows", QJsonArray()}};
      if (mode == kModeTotal) block.insert("figures", figures);
      members.append(block);
      previous = member;
    }
    // A member without rows shows one line without a category.
    if (mode != kModeTotal && !model.index(r, 1).data().isNull()) {
      QJsonObject block = members.last().toObject();
      QJsonArray rows = block["rows"].toArray();
      rows.append(row);
      block["rows"] = rows;
      members.replace(members.size() - 1, block);
    }
  }
  return {{"members", members}, {"teamRows", teamRows}, {"totals", totals}};
}

// The command line's rows as the pane names their categories: the type name
// or the colour, the colour, the content.
QJsonObject PaneRow(const QJsonObject& row, int mode) {
  QJsonObject shown{{"count", row["count"]}, {"minutes", row["minutes"]}};
  if (mode == kModeContent) {
    QString content = row["content"].toString();
    for (const char* lineBreak : {"\r", "\n", "\t"}) content.replace(QLatin1String(lineBreak), QLatin1String(" "));
    shown.insert("category", content);
  }
  if (mode == kModeColor) shown.insert("category", row["colour"]);
  if (mode == kModeType) {
    shown.insert("category", row["type"].isNull() ? row["colour"] : row["type"]);
  }
  return shown;
}

QJsonObject JsonAsPane(const QJsonObject& json, int mode) {
  QJsonArray members;
  for (const QJsonValue& m : json["members"].toArray()) {
    const QJsonObject member = m.toObject();
    QJsonArray rows;
    for (const QJsonValue& row : member["rows"].toArray()) rows.append(PaneRow(row.toObject(), mode));
    QJsonObject block{{"name", member["name"]}, {"rows", rows}};
    if (mode == kModeTotal) block.insert("figures", QJsonObject{{"count", member["count"]}, {"minutes", member["minutes"]}});
    members.append(block);
  }
  QJsonArray teamRows;
  for (const QJsonValue& row : json["teamRows"].toArray()) teamRows.append(PaneRow(row.toObject(), mode));
  return {{"members", members}, {"teamRows", teamRows}, {"totals", json["totals"]}};
}

// The breakdown table in the shape of the JSON's breakdown, labels included.
QJsonObject BreakdownAsJson(const BreakdownTableModel& model) {
  QJsonArray labels;
  for (int c = 1; c + 1 < model.columnCount(); ++c) labels.append(model.headerData(c, Qt::Horizontal).toString());
  QJsonArray rows;
  for (int r = 0; r < model.rowCount(); ++r) {
    QJsonArray cells;
    for (int c = 1; c + 1 < model.columnCount(); ++c) {
      cells.append(QJsonObject{{"count", model.index(r, c).data(BreakdownTableModel::kCountRole).toLongLong()},
                               {"minutes", model.index(r, c).data(BreakdownTableModel::kMinutesRole).toLongLong()}});
    }
    rows.append(cells);
  }
  return {{"labels", labels}, {"rows", rows}};
}

QJsonObject JsonBreakdown(const QJsonObject& json) {
  const QJsonObject breakdown = json["breakdown"].toObject();
  QJsonArray labels;
  for (const QJsonValue& period : breakdown["periods"].toArray()) labels.append(period.toObject()["label"]);
  QJsonArray rows;
  for (const QJsonValue& member : breakdown["members"].toArray()) rows.append(member.toObject()["cells"]);
  rows.append(breakdown["totals"]);
  return {{"labels", labels}, {"rows", rows}};
}

QByteArray Text(const QJsonObject& object) { return QJsonDocument(object).toJson(); }

}  // namespace

class ResultsMatchCliTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    // Outputs that say when they were made say the same instant.
    qputenv("SOURCE_DATE_EPOCH", "1738300000");
    qputenv("TZ", "Asia/Tokyo");
  }

  void paneShowsTheFiguresOfTheCommandLine_data() {
    QTest::addColumn<WindowOptions>("options");
    const auto with = [](auto change) {
      WindowOptions o;
      change(o);
      return o;
    };
    QTest::newRow("totals, everyone") << WindowOptions{};
    QTest::newRow("totals, two members, no overlap, no tentative") << with([](WindowOptions& o) {
      o.members = {"tanaka", "山本"};
      o.noOverlap = true;
      o.noTentative = true;
      o.format = 1;
    });
    QTest::newRow("colours in a band") << with([](WindowOptions& o) {
      o.mode = kModeColor;
      o.band = "09:00-12:00";
      o.format = 2;
    });
    QTest::newRow("types of matching content") << with([](WindowOptions& o) {
      o.mode = kModeType;
      o.content = "会議";
      o.ignoreCaseWidth = true;
    });
    QTest::newRow("contents, exact match") << with([](WindowOptions& o) {
      o.mode = kModeContent;
      o.members = {"tanaka", "suzuki"};
      o.content = "打合せ";
      o.exact = true;
    });
    QTest::newRow("contents over three months") << with([](WindowOptions& o) {
      o.mode = kModeContent;
      o.firstDate = QDateTime(QDate(2005, 5, 1), QTime(0, 0), QTimeZone::utc());
      o.lastDate = QDateTime(QDate(2005, 7, 31), QTime(0, 0), QTimeZone::utc());
    });
    // Breakdowns over periods that start and end inside their units.
    const QDateTime may30(QDate(2005, 5, 30), QTime(10, 0), QTimeZone::utc());
    const QDateTime july1(QDate(2005, 7, 1), QTime(9, 30), QTimeZone::utc());
    for (const char* unit : {"day", "week", "month", "year", "fiscal-year"}) {
      QTest::newRow(QByteArray("totals by ") + unit) << with([&](WindowOptions& o) {
        o.firstDate = may30;
        o.lastDate = july1;
        o.noOverlap = true;
        o.by = unit;
      });
    }
    QTest::newRow("types by month, two members") << with([&](WindowOptions& o) {
      o.mode = kModeType;
      o.members = {"suzuki", "山本"};
      o.firstDate = may30;
      o.lastDate = july1;
      o.band = "09:00-18:00";
      o.by = "month";
    });
    QTest::newRow("contents by week") << with([&](WindowOptions& o) {
      o.mode = kModeContent;
      o.firstDate = may30;
      o.lastDate = july1;
      o.noTentative = true;
      o.by = "week";
    });
  }

  void paneShowsTheFiguresOfTheCommandLine() {
    QFETCH(WindowOptions, options);
    DialogFixture f;
    const auto group = WriteTeam(f.dir / "チーム");
    RecordingDialog& dialog = f.Open();
    QVERIFY(dialog.OpenGroup(group));
    const QStringList args = ChooseInWindow(f, options, group);
    QVERIFY(!args.isEmpty());
    dialog.RunTally();
    QCOMPARE(dialog.messages.size(), std::size_t{0});

    const QByteArray json = RunCli(args + QStringList{"--json", "-"});
    QVERIFY(!json.isNull());
    const QJsonObject cli = QJsonDocument::fromJson(json).object();
    QVERIFY(!cli["members"].toArray().isEmpty());
    QCOMPARE(Text(PaneAsJson(dialog.Results().Table(), options.mode)), Text(JsonAsPane(cli, options.mode)));
    QCOMPARE(cli.contains("breakdown"), !options.by.isEmpty());
    if (!options.by.isEmpty()) {
      QCOMPARE(Text(BreakdownAsJson(dialog.Results().BreakdownTable())), Text(JsonBreakdown(cli)));
    }
  }

  // Each item of ファイル > 書き出し against the command line's option of its format.
  void exportsWriteTheCommandLinesBytes_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("cliOption");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("by");
    for (int mode : {kModeTotal, kModeType, kModeContent}) {
      const QByteArray m = QByteArray::number(mode + 1);
      QTest::newRow("summary page, mode " + m) << "exportSummaryAction" << "--report" << mode << "";
      QTest::newRow("workbook, mode " + m) << "exportWorkbookAction" << "--xlsx" << mode << "";
      QTest::newRow("JSON, mode " + m) << "exportJsonAction" << "--json" << mode << "";
      QTest::newRow("CSV, mode " + m) << "exportCsvAction" << "--csv" << mode << "";
    }
    QTest::newRow("summary page by week") << "exportSummaryAction" << "--report" << int(kModeColor) << "week";
    QTest::newRow("workbook by day") << "exportWorkbookAction" << "--xlsx" << int(kModeType) << "day";
    QTest::newRow("JSON by fiscal year") << "exportJsonAction" << "--json" << int(kModeTotal) << "fiscal-year";
  }
  void exportsWriteTheCommandLinesBytes() {
    QFETCH(QString, item);
    QFETCH(QString, cliOption);
    QFETCH(int, mode);
    QFETCH(QString, by);
    DialogFixture f;
    const auto group = WriteTeam(f.dir / "チーム");
    RecordingDialog& dialog = f.Open();
    QVERIFY(dialog.OpenGroup(group));
    WindowOptions options;
    options.mode = mode;
    options.members = {"tanaka", "suzuki"};  // the window lists them in this order
    options.format = 1;
    options.by = by;
    const QStringList args = ChooseInWindow(f, options, group);
    QVERIFY(!args.isEmpty());
    f.files.report = f.files.csv = f.dir / "window.out";
    f.Find<QAction>(item.toLatin1().constData())->trigger();
    QVERIFY(std::filesystem::exists(f.dir / "window.out"));

    QVERIFY(!RunCli(args + QStringList{cliOption, PathToQString(f.dir / "cli.out")}).isNull());
    QCOMPARE(ReadBytes(f.dir / "window.out"), ReadBytes(f.dir / "cli.out"));
  }
};

QTEST_MAIN(ResultsMatchCliTest)
#include "results_match_cli_test.moc"
