// Runs of the window that refuse what they cannot do truthfully: no group
// loaded, a report target that is a file of the scheduler or of the run, an
// unreadable type colour file, a page the desktop cannot open.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include "app/qt_text.h"
#include "app_test_support.h"
#include "data/month_file.h"
#include "support/archive_writer.h"

using namespace tallyer;
using namespace tallyer::testing;
namespace fs = std::filesystem;

namespace {

const char* const kNotOverwritten = " は集計に使うファイルなので上書きできません。";

// 営業部.group with 田中, its month files of April 2005 (inside the period) and
// January 2010 (outside) and its type file, in the fixture's folder.
struct GroupFixture : DialogFixture {
  GroupFixture() {
    WriteBytes(Group(), GroupFileBuilder().Name(Utf8ToCp932("営業部")).Add(Utf8ToCp932("田中"), "tanaka").Build());
    ScheduleRecord r;
    r.start = At("2005-04-01 09:00");
    r.end = At("2005-04-01 10:00");
    r.memberKey = "tanaka";
    WriteBytes(MonthFilePath(Group(), 2005, 4), MonthFileBuilder().Add(r).Build());
    WriteBytes(MonthFilePath(Group(), 2010, 1), MonthFileBuilder().Add(r).Build());
    WriteBytes(Type(), Utf8ToCp932("会議\t255,0,0\r\n"));
  }
  fs::path Group() const { return dir / fs::u8path("営業部.group"); }
  fs::path Type() const { return dir / fs::u8path("営業部.type"); }

  // Opens the window, loads the group, ticks everyone, sets April 2005 and
  // chooses the type file.
  void Load() {
    Open();
    files.group = Group();
    dialog->ChooseGroup();
    Find<QCheckBox>("everyoneCheck")->click();
    Find<QDateEdit>("firstDateEdit")->setDate(QDate(2005, 4, 1));
    Find<QDateEdit>("lastDateEdit")->setDate(QDate(2005, 4, 30));
    files.typeFile = Type();
    dialog->ChooseTypeFile();
  }
  void Mode(int mode) {
    auto* combo = Find<QComboBox>("modeCombo");
    combo->setCurrentIndex(mode);
    emit combo->activated(mode);
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& m : dialog->messages) texts.push_back(m.text);
    return texts;
  }
};

}  // namespace

class TruthfulRunsTest : public QObject {
  Q_OBJECT

 private slots:
  // ----- no group loaded ---------------------------------------------------

  void withoutAGroupNeitherCommandWritesAnything() {
    DialogFixture f;
    f.files.csv = f.dir / "out.csv";
    f.Open();
    f.Find<QCheckBox>("everyoneCheck")->click();
    f.dialog->RunHtml();
    f.dialog->RunCsv();
    QCOMPARE(f.dialog->messages.size(), std::size_t{2});
    for (const auto& m : f.dialog->messages) {
      QCOMPARE(m.text, std::string("グループファイルが指定されていません。"));
      QVERIFY(m.kind == MessageKind::kInformation);
    }
    QCOMPARE(f.files.asked, 0);  // told before the save dialog opens
    QVERIFY(f.store.writes.empty());
    QVERIFY(f.dialog->opened.empty());
    QVERIFY(f.dialog->progress.empty());
    QVERIFY(fs::is_empty(f.dir.Path()));
  }

  // A damaged group file is no group: nothing of it is listed or tallied, and
  // the message names the file. A missing file's message names it already.
  void aGroupThatFailsToLoadLeavesNoGroupLoaded() {
    GroupFixture f;
    const std::string whole = ReadBytes(f.Group());
    const fs::path damaged = f.dir / "damaged.group";
    WriteBytes(damaged, whole.substr(0, whole.size() - 3));
    f.files.csv = f.dir / "out.csv";
    f.Load();
    QCOMPARE(f.Find<QListWidget>("memberList")->count(), 1);

    f.files.group = damaged;
    f.dialog->ChooseGroup();
    QCOMPARE(f.Texts(), std::vector<std::string>{"ファイル " + damaged.string() +
                                                 " を読めませんでした。\nファイルの形式が正しくありません。"});
    QVERIFY(f.dialog->messages[0].kind == MessageKind::kExclamation);
    QCOMPARE(f.Find<QLineEdit>("groupPathEdit")->text(), QStringLiteral("右のボタンをクリックして選択して下さい。"));
    QCOMPARE(f.Find<QListWidget>("memberList")->count(), 0);
    QVERIFY(f.dialog->MemberKeys().empty());
    QVERIFY(f.dialog->Context().group.Members().empty());

    f.dialog->messages.clear();
    f.dialog->RunHtml();
    f.dialog->RunCsv();
    QCOMPARE(f.Texts(), (std::vector<std::string>(2, "グループファイルが指定されていません。")));
    QVERIFY(!fs::exists(f.app.htmlReportPath));
    QVERIFY(!fs::exists(f.dir / "out.csv"));
    QVERIFY(f.store.writes.empty());

    f.dialog->messages.clear();
    f.files.group = f.dir / "missing.group";
    f.dialog->ChooseGroup();
    QCOMPARE(f.Texts(), std::vector<std::string>{"ファイル " + (f.dir / "missing.group").string() + " が見つかりません。"});

    // A good group loads again.
    f.files.group = f.Group();
    f.dialog->ChooseGroup();
    f.dialog->RunCsv();
    QCOMPARE(f.Texts().back(), std::string("出力しました。"));
  }

  // ----- report targets that are files of the run --------------------------

  void aCsvTargetThatIsAFileOfTheRunIsRefused_data() {
    QTest::addColumn<QString>("file");      // the file that must keep its bytes
    QTest::addColumn<QString>("spelling");  // how the save dialog's answer names it
    QTest::newRow("group file") << "営業部.group" << "plain";
    QTest::newRow("month inside, hard link") << "営業部200504.sch" << "hard";
    QTest::newRow("month outside, symbolic link") << "営業部201001.sch" << "sym";
    QTest::newRow("type file through ..") << "営業部.type" << "dotdot";
    QTest::newRow("new name of the scheduler") << "Report.SCH" << "plain";
  }
  void aCsvTargetThatIsAFileOfTheRunIsRefused() {
    QFETCH(QString, file);
    QFETCH(QString, spelling);
    GroupFixture f;
    const fs::path protectedFile = f.dir / QStringToPath(file);
    fs::path chosen = protectedFile;
    if (spelling == "dotdot") chosen = f.dir / ".." / f.dir.Path().filename() / QStringToPath(file);
    if (spelling == "sym") fs::create_symlink(protectedFile, chosen = f.dir / "link.csv");
    if (spelling == "hard") fs::create_hard_link(protectedFile, chosen = f.dir / "hard.csv");
    const bool existed = fs::exists(protectedFile);
    const std::string before = existed ? ReadBytes(protectedFile) : std::string();
    f.Load();
    f.files.csv = chosen;
    f.dialog->RunCsv();
    QCOMPARE(f.Texts(), std::vector<std::string>{chosen.string() + kNotOverwritten});
    QVERIFY(f.dialog->messages[0].kind == MessageKind::kExclamation);
    QCOMPARE(fs::exists(protectedFile), existed);
    if (existed) QCOMPARE(ReadBytes(protectedFile), before);
    QVERIFY(f.store.writes.empty());
    QCOMPARE(f.dialog->progress, std::vector<int>{0});
  }

  void anHtmlPageThatWouldReplaceAFileOfTheRunIsRefused() {
    GroupFixture f;
    f.app.htmlReportPath = f.dir / "Planwell_Output.html";
    fs::create_symlink(f.Group(), f.app.htmlReportPath);
    const std::string before = ReadBytes(f.Group());
    f.Load();
    f.dialog->RunHtml();
    QCOMPARE(f.Texts(), std::vector<std::string>{f.app.htmlReportPath.string() + kNotOverwritten});
    QCOMPARE(ReadBytes(f.Group()), before);
    QVERIFY(f.dialog->opened.empty());
    QVERIFY(f.store.writes.empty());
  }

  // ----- the type colour file ------------------------------------------------

  void anUnreadableTypeFileIsRefusedInTheTypeMode() {
    GroupFixture f;
    f.files.csv = f.dir / "out.csv";
    f.Load();
    f.Mode(kModeType);
    for (const fs::path& unreadable : {f.dir / "missing.type", f.dir.Path()}) {
      f.dialog->messages.clear();
      f.files.typeFile = unreadable;
      f.dialog->ChooseTypeFile();
      f.dialog->RunCsv();
      QCOMPARE(f.Texts(), std::vector<std::string>{"タイプ別色情報ファイル " + unreadable.string() + " を読めません。"});
      QVERIFY(f.dialog->messages[0].kind == MessageKind::kExclamation);
      QVERIFY(!fs::exists(f.dir / "out.csv"));
      QVERIFY(f.store.writes.empty());
    }
    // Another mode does not read it.
    f.dialog->messages.clear();
    f.Mode(kModeColor);
    f.dialog->RunCsv();
    QCOMPARE(f.Texts(), std::vector<std::string>{"出力しました。"});
  }

  // ----- the order of the checks, two failing at once ------------------------

  void theEarlierCheckSpeaks_data() {
    QTest::addColumn<int>("failures");  // which checks fail, as bits
    QTest::addColumn<QString>("message");
    // 1 the target, 2 the type file, 4 the period, 8 the members
    QTest::newRow("target before type file") << (1 | 2) << "TARGET";
    QTest::newRow("target before period") << (1 | 4) << "TARGET";
    QTest::newRow("type file before period") << (2 | 4) << "TYPE";
    QTest::newRow("type file before members") << (2 | 8) << "TYPE";
    QTest::newRow("period before members") << (4 | 8) << "日付範囲が不正です。";
  }
  void theEarlierCheckSpeaks() {
    QFETCH(int, failures);
    QFETCH(QString, message);
    GroupFixture f;
    f.files.csv = f.dir / "out.csv";
    f.Load();
    f.Mode(kModeType);
    if (failures & 1) f.files.csv = f.Type();
    if (failures & 2) {
      f.files.typeFile = f.dir / "missing.type";
      f.dialog->ChooseTypeFile();
    }
    if (failures & 4) f.Find<QDateEdit>("firstDateEdit")->setDate(QDate(2005, 5, 1));
    if (failures & 8) f.Find<QCheckBox>("everyoneCheck")->click();
    f.dialog->RunCsv();
    std::string expected = message.toStdString();
    if (message == "TARGET") expected = f.Type().string() + kNotOverwritten;
    if (message == "TYPE") expected = "タイプ別色情報ファイル " + (f.dir / "missing.type").string() + " を読めません。";
    QCOMPARE(f.Texts(), std::vector<std::string>{expected});
    QVERIFY(!fs::exists(f.dir / "out.csv"));
    QVERIFY(f.store.writes.empty());
  }

  // ----- a page the desktop cannot open ----------------------------------------

  void aPageTheBrowserCannotOpenIsToldWithItsPlace() {
    GroupFixture f;
    f.Load();
    f.dialog->desktopOpens = false;
    f.dialog->RunHtml();
    QCOMPARE(f.dialog->opened, std::vector<fs::path>{f.app.htmlReportPath});
    QCOMPARE(f.Texts(), std::vector<std::string>{"集計結果を " + f.app.htmlReportPath.string() +
                                                 " に書き出しましたが、ブラウザーで開けませんでした。"});
    QVERIFY(f.dialog->messages[0].kind == MessageKind::kInformation);
    QVERIFY(fs::exists(f.app.htmlReportPath));
    QCOMPARE(f.dialog->progress.back(), 0);
  }
};

QTEST_MAIN(TruthfulRunsTest)
#include "truthful_runs_test.moc"
