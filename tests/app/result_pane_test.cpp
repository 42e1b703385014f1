// 集計 and the result pane: a run without a report, its result kept until a
// new one, marked out of date when the options change, copied as text, written
// by ファイル > 書き出し.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <functional>

#include "app/breakdown_table_model.h"
#include "app/result_pane.h"
#include "app/result_table_model.h"
#include "team_files.h"
#include "window_options.h"

using namespace tallyer;
using namespace tallyer::testing;

namespace {

using Change = std::function<void(DialogFixture&)>;

// A window with the test team loaded and everyone chosen (the default options
// otherwise: June 2005, mode 1).
struct TeamWindow {
  DialogFixture f;
  std::filesystem::path group;
  RecordingDialog& dialog;

  explicit TeamWindow(const WindowOptions& options = {})
      : group(WriteTeam(f.dir / "チーム")), dialog(f.Open()) {
    dialog.OpenGroup(group);
    ChooseInWindow(f, options, group);
  }
  ResultPane& Pane() { return dialog.Results(); }
  bool Visible(const char* name) { return f.Find<QWidget>(name)->isVisibleTo(&dialog); }
};

std::string Clipboard() { return QApplication::clipboard()->text().toStdString(); }

}  // namespace

Q_DECLARE_METATYPE(Change)

class ResultPaneTest : public QObject {
  Q_OBJECT

 private slots:
  void tallyShowsTheResultWithoutWritingAReport() {
    TeamWindow w;
    QVERIFY(w.Visible("resultHint"));
    QVERIFY(!w.Visible("resultTable"));
    w.f.Find<QPushButton>("tallyButton")->click();

    QVERIFY(!w.Visible("resultHint"));
    QVERIFY(w.Visible("resultTable"));
    QVERIFY(w.Visible("memberChart"));
    QVERIFY(!w.Visible("outOfDateLabel"));
    QVERIFY(!w.Visible("breakdownTable"));
    QCOMPARE(w.Pane().Table().rowCount(), 4);  // three members and the totals
    QCOMPARE(w.f.Find<QLabel>("resultCaption")->text(),
             QStringLiteral("営業部　2005年6月1日(水) ～ 2005年6月30日(木)\n"
                            "集計モード：1. 合計時間　対象メンバー：全員　表示形式：hh時間mm分"));
    // A run: its checks, its progress and its saved options, but no file and no browser.
    QCOMPARE(w.dialog.progress, (std::vector<int>{0, 10, 30, 40, 45, 50, 55, 65, 90, 0}));
    QVERIFY(w.dialog.messages.empty());
    QVERIFY(w.dialog.opened.empty());
    QVERIFY(!std::filesystem::exists(w.f.app.htmlReportPath));
    QCOMPARE(w.f.store.ReadText("date1", ""), std::string("20050601"));
    QCOMPARE(w.f.store.ReadInt("Everyone", 0), 1);
  }

  void firstStartLeavesRoomForTheResults() {
    DialogFixture f;
    f.Open();
    QVERIFY(f.dialog->width() >= f.Find<QWidget>("resultPane")->x() + 500);
  }

  void refusedTallyKeepsThePaneAndTheStore_data() {
    QTest::addColumn<Change>("change");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("tallied");  // a result was there before
    QTest::newRow("no member") << Change([](DialogFixture& f) { f.Find<QCheckBox>("everyoneCheck")->setChecked(false); })
                               << "集計対象とするメンバーが選択されていません。" << false;
    QTest::newRow("reversed period") << Change([](DialogFixture& f) {
      f.Find<QDateEdit>("firstDateEdit")->setDate(QDate(2005, 7, 1));
    }) << "日付範囲が不正です。" << true;
    QTest::newRow("type file gone") << Change([](DialogFixture& f) {
      auto* modes = f.Find<QComboBox>("modeCombo");
      modes->setCurrentIndex(kModeType);
      f.Find<QLineEdit>("typeFileEdit")->setText(PathToQString(f.dir / "gone.type"));
    }) << "タイプ別色情報ファイル " << true;
    QTest::newRow("no group") << Change([](DialogFixture& f) { f.dialog->OpenGroup(f.dir / "gone.group"); })
                              << "グループファイルが指定されていません。" << true;
  }
  void refusedTallyKeepsThePaneAndTheStore() {
    QFETCH(Change, change);
    QFETCH(QString, message);
    QFETCH(bool, tallied);
    TeamWindow w;
    if (tallied) w.dialog.RunTally();
    const auto shown = w.Pane().Result();
    const auto writes = w.f.store.writes;
    change(w.f);
    w.dialog.messages.clear();
    w.dialog.RunTally();
    QVERIFY(!w.dialog.messages.empty());
    QVERIFY2(QString::fromStdString(w.dialog.messages.back().text).startsWith(message),
             w.dialog.messages.back().text.c_str());
    QCOMPARE(w.Pane().Result(), shown);
    QCOMPARE(w.f.store.writes, writes);
    QCOMPARE(w.Visible("resultHint"), !tallied);
  }

  // Every option of a run, and a new group, mark the result out of date.
  void changedOptionsMarkTheResultOutOfDate_data() {
    QTest::addColumn<Change>("change");
    const auto check = [](const char* name) {
      return Change([name](DialogFixture& f) {
        auto* box = f.Find<QAbstractButton>(name);
        box->setChecked(!box->isChecked());
      });
    };
    QTest::newRow("member") << Change([](DialogFixture& f) {
      f.Find<QListWidget>("memberList")->item(1)->setSelected(true);
    });
    QTest::newRow("everyone") << check("everyoneCheck");
    QTest::newRow("first date") << Change([](DialogFixture& f) { f.Find<QDateEdit>("firstDateEdit")->setDate(QDate(2005, 6, 2)); });
    QTest::newRow("last date") << Change([](DialogFixture& f) { f.Find<QDateEdit>("lastDateEdit")->setDate(QDate(2005, 6, 29)); });
    QTest::newRow("mode") << Change([](DialogFixture& f) { f.Find<QComboBox>("modeCombo")->setCurrentIndex(kModeColor); });
    QTest::newRow("type file") << Change([](DialogFixture& f) { f.Find<QMenu>("typeFileMenu")->actions()[0]->trigger(); });
    QTest::newRow("band on") << check("bandOnlyCheck");
    QTest::newRow("band start") << Change([](DialogFixture& f) { f.Find<QTimeEdit>("bandStartEdit")->setTime(QTime(8, 0)); });
    QTest::newRow("band end") << Change([](DialogFixture& f) { f.Find<QTimeEdit>("bandEndEdit")->setTime(QTime(9, 0)); });
    QTest::newRow("content on") << check("contentOnlyCheck");
    QTest::newRow("content text") << Change([](DialogFixture& f) { f.Find<QLineEdit>("contentTextEdit")->setText("会"); });
    QTest::newRow("exact") << check("exactMatchCheck");
    QTest::newRow("case and width") << check("ignoreCaseWidthCheck");
    QTest::newRow("overlap") << check("noOverlapCheck");
    QTest::newRow("tentative") << check("noTentativeCheck");
    QTest::newRow("duration form") << Change([](DialogFixture& f) { f.Find<QComboBox>("formatCombo")->setCurrentIndex(2); });
    QTest::newRow("breakdown") << Change([](DialogFixture& f) {
      auto* units = f.Find<QComboBox>("breakdownCombo");
      units->setCurrentIndex(3);
      emit units->activated(3);
    });
    QTest::newRow("the same group again") << Change([](DialogFixture& f) {
      f.dialog->OpenGroup(QStringToPath(f.Find<QLineEdit>("groupPathEdit")->text()));
    });
  }
  void changedOptionsMarkTheResultOutOfDate() {
    QFETCH(Change, change);
    TeamWindow w;
    w.dialog.RunTally();
    const auto shown = w.Pane().Result();
    QVERIFY(shown);
    QVERIFY(!w.Pane().OutOfDate());
    change(w.f);
    QVERIFY(w.Pane().OutOfDate());
    QVERIFY(w.Visible("outOfDateLabel"));
    QCOMPARE(w.Pane().Result(), shown);  // kept, not cleared
    QVERIFY(w.Visible("resultTable"));
  }

  void newResultIsNoLongerOutOfDate() {
    TeamWindow w;
    // Before the first result there is nothing to mark.
    w.f.Find<QAbstractButton>("noTentativeCheck")->click();
    QVERIFY(!w.Pane().OutOfDate());
    QVERIFY(!w.Visible("outOfDateLabel"));
    w.dialog.RunTally();
    w.f.Find<QAbstractButton>("noTentativeCheck")->click();
    QVERIFY(w.Pane().OutOfDate());
    w.dialog.RunTally();
    QVERIFY(!w.Pane().OutOfDate());
    QVERIFY(!w.Visible("outOfDateLabel"));
  }

  void breakdownChoiceIsRememberedAndRuns() {
    TeamWindow w;
    QCOMPARE(w.f.Find<QComboBox>("breakdownCombo")->currentText(), QStringLiteral("なし"));
    QStringList items;
    for (int i = 0; i < w.f.Find<QComboBox>("breakdownCombo")->count(); ++i) {
      items << w.f.Find<QComboBox>("breakdownCombo")->itemText(i);
    }
    QCOMPARE(items, (QStringList{"なし", "日別", "週別", "月別", "年別", "年度別"}));
    WindowOptions byFiscalYear;
    byFiscalYear.by = "fiscal-year";
    ChooseInWindow(w.f, byFiscalYear, w.group);
    QCOMPARE(w.f.windowSettings.Value("Breakdown").toString(), QStringLiteral("fiscal-year"));
    w.dialog.RunTally();
    QCOMPARE(w.Pane().Result()->settings.breakdownUnit, std::optional(PeriodUnit::kFiscalYear));
    // The classic reports never carry one.
    w.dialog.RunHtml();
    QCOMPARE(w.dialog.Settings().breakdownUnit, std::optional<PeriodUnit>());

    // The next window starts with it; a value edited into nonsense reads as none.
    MemoryWindowSettings kept = w.f.windowSettings;
    DialogFixture next;
    next.windowSettings = kept;
    next.Open();
    QCOMPARE(next.Find<QComboBox>("breakdownCombo")->currentText(), QStringLiteral("年度別"));
    DialogFixture edited;
    edited.windowSettings.SetValue("Breakdown", "fortnight");
    edited.Open();
    QCOMPARE(edited.Find<QComboBox>("breakdownCombo")->currentText(), QStringLiteral("なし"));
  }

  // Sorted by the time, largest first, then copied with Ctrl+C in the table.
  void copyGivesTheTableAsTextInItsOrder() {
    WindowOptions colours;
    colours.mode = kModeColor;
    TeamWindow w(colours);
    w.dialog.show();
    QApplication::setActiveWindow(&w.dialog);
    QVERIFY(QTest::qWaitForWindowActive(&w.dialog));
    QTest::keyClick(&w.dialog, Qt::Key_Return, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(w.Pane().Result());

    auto* table = w.f.Find<QTableView>("resultTable");
    QHeaderView* header = table->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(3) + 4, 4));
    QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
    QApplication::clipboard()->clear();
    table->setFocus();
    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(Clipboard(),
             std::string("メンバー\t色\t件数\t時間\r\n"
                         "田中\t#ff0000\t2\t7:30\r\n田中\t#00ff00\t1\t2:00\r\n田中\t#0000ff\t1\t2:00\r\n"
                         "鈴木\t#ff0000\t1\t2:30\r\n鈴木\t#ffff00\t1\t1:30\r\n"
                         "山本\t#0000ff\t1\t0:45\r\n"
                         "チーム\t#ff0000\t3\t10:00\r\nチーム\t#00ff00\t1\t2:00\r\nチーム\t#ffff00\t1\t1:30\r\n"
                         "チーム\t#0000ff\t2\t2:45\r\n"
                         "合計\t\t7\t16:15\r\n"));

    // A second click turns the order round; a new result keeps it, by the
    // same figure also in a mode with other columns.
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(3) + 4, 4));
    w.f.Find<QComboBox>("modeCombo")->setCurrentIndex(kModeTotal);
    w.dialog.RunTally();
    QCOMPARE(header->sortIndicatorSection(), 2);
    QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
    // The context menu's item copies the same.
    QApplication::clipboard()->clear();
    QAction* copy = w.f.Find<QAction>("copyTableAction");
    QVERIFY(table->actions().contains(copy));
    copy->trigger();
    QCOMPARE(Clipboard(), std::string("メンバー\t件数\t時間\r\n山本\t1\t0:45\r\n鈴木\t2\t4:00\r\n"
                                      "田中\t4\t11:30\r\n合計\t7\t16:15\r\n"));
  }

  // A result of very many members stays quick: the table shows it, the chart does not.
  void chartOnlyForResultsItCanShow() {
    MemoryWindowSettings settings;
    ResultPane pane(settings);
    for (const std::size_t members : {std::size_t{200}, std::size_t{201}}) {
      auto result = std::make_shared<TallyResult>();
      for (std::size_t i = 0; i < members; ++i) result->members.push_back({"k", "n", {1, 60}, {}});
      pane.ShowResult(result);
      const bool note = pane.findChild<QLabel*>("chartNote")->isVisibleTo(&pane);
      QCOMPARE(note, members > 200);
      QCOMPARE(pane.findChild<QWidget*>("chartArea")->isVisibleTo(&pane), !note);
      QCOMPARE(pane.Table().rowCount(), static_cast<int>(members) + 1);
    }
  }

  void exportTalliesFirstOnlyWhenTheResultIsNotCurrent() {
    TeamWindow w;
    w.f.files.report = w.f.dir / "out.json";
    QAction* json = w.f.Find<QAction>("exportJsonAction");
    json->trigger();  // no result yet
    QCOMPARE(w.f.files.proposedName, QStringLiteral("営業部_20050601-20050630.json"));
    QCOMPARE(w.f.files.startFolder, w.group.parent_path());
    QCOMPARE(w.f.files.reportFilter, QStringLiteral("JSON ファイル (*.json)"));
    QVERIFY(w.Pane().Result());
    QVERIFY(std::filesystem::exists(w.f.dir / "out.json"));
    QVERIFY(w.f.Find<QLabel>("statusLabel")->text().contains(QStringLiteral("out.json")));

    // A current result is written as it is, without a run.
    const auto shown = w.Pane().Result();
    w.dialog.progress.clear();
    json->trigger();
    QCOMPARE(w.Pane().Result(), shown);
    QVERIFY(w.dialog.progress.empty());
    // An out-of-date one is tallied again; the name follows the new period.
    w.f.Find<QDateEdit>("lastDateEdit")->setDate(QDate(2005, 7, 31));
    json->trigger();
    QVERIFY(w.Pane().Result() != shown);
    QCOMPARE(w.f.files.proposedName, QStringLiteral("営業部_20050601-20050731.json"));
    QVERIFY(w.dialog.messages.empty());
  }

  void exportRefusesTheSchedulersFilesBeforeTheRun_data() {
    QTest::addColumn<bool>("tallied");
    QTest::newRow("tallying first") << false;
    QTest::newRow("the result shown") << true;
  }
  void exportRefusesTheSchedulersFilesBeforeTheRun() {
    QFETCH(bool, tallied);
    TeamWindow w;
    if (tallied) w.dialog.RunTally();
    const auto writes = w.f.store.writes;
    const std::string bytes = ReadBytes(w.group);
    w.f.files.report = w.group;
    w.f.Find<QAction>("exportSummaryAction")->trigger();
    QCOMPARE(w.dialog.messages.size(), std::size_t{1});
    QVERIFY(QString::fromStdString(w.dialog.messages[0].text).endsWith("は集計に使うファイルなので上書きできません。"));
    QCOMPARE(ReadBytes(w.group), bytes);
    QCOMPARE(w.f.store.writes, writes);
    QCOMPARE(w.Pane().Result() != nullptr, tallied);

    // Cancelled: nothing at all.
    w.dialog.messages.clear();
    w.f.files.report.reset();
    w.f.Find<QAction>("exportSummaryAction")->trigger();
    QVERIFY(w.dialog.messages.empty());
    QCOMPARE(w.f.store.writes, writes);
  }
};

QTEST_MAIN(ResultPaneTest)
#include "result_pane_test.moc"
