#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>
#include <QToolButton>
#include <optional>

#include "app/qt_text.h"
#include "app_test_support.h"
#include "data/month_file.h"
#include "support/archive_writer.h"

using namespace tallyer;
using namespace tallyer::testing;

namespace {

const QString kHint = QStringLiteral("右のボタンをクリックして選択して下さい。");

QDateTime Utc(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  return QDateTime(QDate(y, mo, d), QTime(h, mi, s), QTimeZone::utc());
}

// A group file with the given members; returns its path.
std::filesystem::path WriteGroup(const std::filesystem::path& path, const char* name,
                                 const std::vector<MemberRecord>& members) {
  GroupFileBuilder group;
  group.Name(Utf8ToCp932(name));
  for (const auto& m : members) group.Add(m);
  WriteBytes(path, group.Build());
  return path;
}

MemberRecord Member(const char* name, const char* key, std::uint32_t flags = 0) {
  MemberRecord m;
  m.name = Utf8ToCp932(name);
  m.key = Utf8ToCp932(key);
  m.flags = flags;
  return m;
}

QStringList ListTexts(const QListWidget* list) {
  QStringList texts;
  for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
  return texts;
}

// Clicks an entry as the user does; in this list a click toggles its selection.
void ClickEntry(QListWidget* list, int row) {
  const QRect rect = list->visualItemRect(list->item(row));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

}  // namespace

class TallyDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void firstStartShowsTheDefaults() {
    DialogFixture f;
    f.Open();
    QCOMPARE(f.dialog->windowTitle(), QStringLiteral("Planwell 集計ツール"));
    QCOMPARE(f.Find<QLineEdit>("groupPathEdit")->text(), kHint);
    QCOMPARE(f.Find<QLineEdit>("typeFileEdit")->text(), kHint);
    QCOMPARE(f.Find<QListWidget>("memberList")->count(), 0);
    QCOMPARE(f.Find<QTimeEdit>("bandStartEdit")->dateTime(), Utc(2000, 1, 1, 17, 30));
    QCOMPARE(f.Find<QTimeEdit>("bandEndEdit")->dateTime(), Utc(2000, 1, 1, 23, 59));
    // From tomorrow one month back, at 00:00, to now.
    QCOMPARE(f.Find<QDateEdit>("firstDateEdit")->dateTime(), Utc(2005, 5, 16));
    QCOMPARE(f.Find<QDateEdit>("lastDateEdit")->dateTime(), Utc(2005, 6, 15, 10, 20, 30));
    for (const char* name : {"everyoneCheck", "bandOnlyCheck", "contentOnlyCheck", "exactMatchCheck",
                             "ignoreCaseWidthCheck", "noOverlapCheck", "noTentativeCheck"}) {
      QVERIFY2(!f.Find<QCheckBox>(name)->isChecked(), name);
    }
    QCOMPARE(f.Find<QComboBox>("modeCombo")->currentIndex(), 0);
    QCOMPARE(f.Find<QComboBox>("formatCombo")->currentIndex(), 0);
    QCOMPARE(f.Find<QLineEdit>("contentTextEdit")->text(), QString());
    QCOMPARE(f.Find<QProgressBar>("progressBar")->value(), 0);
    // Mode 0 with every option off.
    QVERIFY(!f.Find<QToolButton>("typeFileButton")->isVisibleTo(f.dialog.get()));
    QVERIFY(f.Find<QCheckBox>("noOverlapCheck")->isEnabled());
    QVERIFY(!f.Find<QTimeEdit>("bandStartEdit")->isEnabled());
    QVERIFY(!f.Find<QLineEdit>("contentTextEdit")->isEnabled());
    QVERIFY(f.Find<QListWidget>("memberList")->isEnabled());
    // Starting reads the store and writes nothing.
    QVERIFY(f.store.writes.empty());
    QVERIFY(f.dialog->messages.empty());
  }

  void startShowsTheStoredOptions() {
    DialogFixture f;
    f.store.WriteText("date1", "20050601");
    f.store.WriteText("date2", "20050630");
    f.store.WriteText("Cl", Utf8ToCp932("会議"));
    for (const char* name : {"Everyone", "Time", "String", "Same", "Overlap", "Hankaku", "NoTemp"}) {
      f.store.WriteInt(name, 1);
    }
    f.store.WriteInt("Combo", 2);
    f.store.WriteInt("Format", 3);
    f.app.bandStart = DateTime::FromParts(2003, 4, 5, 9, 0);
    f.app.bandEnd = DateTime::FromParts(2003, 4, 5, 18, 15);
    f.Open();

    QCOMPARE(f.Find<QDateEdit>("firstDateEdit")->dateTime(), Utc(2005, 6, 1));
    QCOMPARE(f.Find<QDateEdit>("lastDateEdit")->dateTime(), Utc(2005, 6, 30));
    QCOMPARE(f.Find<QLineEdit>("contentTextEdit")->text(), QStringLiteral("会議"));
    for (const char* name : {"everyoneCheck", "bandOnlyCheck", "contentOnlyCheck", "exactMatchCheck",
                             "ignoreCaseWidthCheck", "noOverlapCheck", "noTentativeCheck"}) {
      QVERIFY2(f.Find<QCheckBox>(name)->isChecked(), name);
    }
    QCOMPARE(f.Find<QComboBox>("formatCombo")->currentIndex(), 3);
    // The band keeps the date it was stored with.
    QCOMPARE(f.Find<QTimeEdit>("bandStartEdit")->dateTime(), Utc(2003, 4, 5, 9, 0));
    QCOMPARE(f.Find<QTimeEdit>("bandEndEdit")->dateTime(), Utc(2003, 4, 5, 18, 15));
    // "Combo" 2 is the type mode: its file row shows, the overlap option is off limits.
    QCOMPARE(f.Find<QComboBox>("modeCombo")->currentIndex(), 2);
    for (const char* name : {"typeFileLabel", "typeFileEdit", "typeFileButton"}) {
      QVERIFY2(f.Find<QWidget>(name)->isVisibleTo(f.dialog.get()), name);
    }
    QVERIFY(!f.Find<QCheckBox>("noOverlapCheck")->isEnabled());
    QVERIFY(!f.Find<QListWidget>("memberList")->isEnabled());
    QVERIFY(f.Find<QTimeEdit>("bandEndEdit")->isEnabled());
    QVERIFY(f.Find<QCheckBox>("exactMatchCheck")->isEnabled());
  }

  void pickersReadTheJapaneseWayWhateverTheLocale() {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    DialogFixture f;
    f.store.WriteText("date1", "20050601");
    f.Open();
    QLocale::setDefault(before);
    QCOMPARE(f.Find<QDateEdit>("firstDateEdit")->text(), QStringLiteral("2005/06/01"));
    QCOMPARE(f.Find<QDateEdit>("lastDateEdit")->text(), QStringLiteral("2005/06/15"));
    QCOMPARE(f.Find<QTimeEdit>("bandStartEdit")->text(), QStringLiteral("17:30"));
    QCOMPARE(f.Find<QTimeEdit>("bandEndEdit")->text(), QStringLiteral("23:59"));
  }

  void storedValuesOutsideTheListsLeaveNoSelection() {
    DialogFixture f;
    f.store.WriteInt("Combo", 7);
    f.store.WriteInt("Format", -1);
    f.store.WriteText("date1", "20051350");  // no such month: the default shows
    f.Open();
    QCOMPARE(f.Find<QComboBox>("modeCombo")->currentIndex(), -1);
    QCOMPARE(f.Find<QComboBox>("formatCombo")->currentIndex(), -1);
    QCOMPARE(f.Find<QDateEdit>("firstDateEdit")->dateTime(), Utc(2005, 5, 16));
    QVERIFY(f.dialog->debugMessages.empty());

    // A click on a box with no mode selected is reported, and the mode becomes -1.
    f.Find<QCheckBox>("bandOnlyCheck")->click();
    QCOMPARE(f.dialog->debugMessages, std::vector<std::string>{"予期できないエラーです。"});
    QCOMPARE(f.dialog->Settings().mode, -1);
  }

  void modeDecidesTypeRowAndOverlapOption_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("typeRowShown");
    QTest::addColumn<bool>("overlapEnabled");
    QTest::newRow("1. 合計時間") << 0 << false << true;
    QTest::newRow("2. 色別合計時間") << 1 << false << false;
    QTest::newRow("3. タイプ別合計時間") << 2 << true << false;
    QTest::newRow("4. 内容別合計時間") << 3 << false << false;
  }
  void modeDecidesTypeRowAndOverlapOption() {
    QFETCH(int, mode);
    QFETCH(bool, typeRowShown);
    QFETCH(bool, overlapEnabled);
    DialogFixture f;
    f.store.WriteInt("Combo", mode == 2 ? 0 : 2);  // start from another state
    f.Open();
    auto* combo = f.Find<QComboBox>("modeCombo");
    combo->setCurrentIndex(mode);
    emit combo->activated(mode);
    for (const char* name : {"typeFileLabel", "typeFileEdit", "typeFileButton"}) {
      QCOMPARE(f.Find<QWidget>(name)->isVisibleTo(f.dialog.get()), typeRowShown);
    }
    QCOMPARE(f.Find<QCheckBox>("noOverlapCheck")->isEnabled(), overlapEnabled);
    QCOMPARE(f.dialog->Settings().mode, mode);
    QVERIFY(f.Find<QCheckBox>("ignoreCaseWidthCheck")->isEnabled());
  }

  void checkBoxesEnableTheirControls_data() {
    QTest::addColumn<QString>("check");
    QTest::addColumn<QStringList>("controls");
    QTest::addColumn<bool>("enabledWhenChecked");
    QTest::newRow("time band") << "bandOnlyCheck"
                               << QStringList{"bandStartEdit", "bandEndEdit", "bandTildeLabel"} << true;
    QTest::newRow("content") << "contentOnlyCheck" << QStringList{"contentTextEdit", "exactMatchCheck"}
                             << true;
    QTest::newRow("everyone") << "everyoneCheck" << QStringList{"memberList"} << false;
  }
  void checkBoxesEnableTheirControls() {
    QFETCH(QString, check);
    QFETCH(QStringList, controls);
    QFETCH(bool, enabledWhenChecked);
    DialogFixture f;
    f.Open();
    auto* box = f.dialog->findChild<QCheckBox*>(check);
    for (bool checked : {true, false}) {
      box->click();
      QCOMPARE(box->isChecked(), checked);
      for (const QString& name : controls) {
        QCOMPARE(f.dialog->findChild<QWidget*>(name)->isEnabled(), checked == enabledWhenChecked);
      }
      QVERIFY(f.Find<QCheckBox>("ignoreCaseWidthCheck")->isEnabled());
    }
  }

  void choosingAGroupListsOnlyVisibleMembers() {
    DialogFixture f;
    const auto first = WriteGroup(f.dir / "first.group", "営業部",
                                  {Member("田中", "tanaka"), Member("隠し", "hidden", CMember::kHidden),
                                   Member("削除", "deleted", CMember::kDeleted), Member("鈴木", "suzuki")});
    const auto second = WriteGroup(f.dir / "second.group", "開発部",
                                   {Member("佐藤", "sato"), Member("伊藤", "ito", CMember::kHidden)});
    f.Open();
    auto* list = f.Find<QListWidget>("memberList");

    f.files.group = first;
    f.Find<QToolButton>("chooseGroupButton")->click();
    QCOMPARE(ListTexts(list), (QStringList{"田中", "鈴木"}));
    QCOMPARE(f.dialog->MemberKeys(), (std::vector<std::string>{"tanaka", "suzuki"}));
    QCOMPARE(f.Find<QLineEdit>("groupPathEdit")->text(), PathToQString(first));
    ClickEntry(list, 1);
    QCOMPARE(list->selectedItems().size(), 1);

    f.files.group = second;
    f.dialog->ChooseGroup();
    QCOMPARE(ListTexts(list), QStringList{"佐藤"});
    QCOMPARE(f.dialog->MemberKeys(), std::vector<std::string>{"sato"});
    QVERIFY(list->selectedItems().isEmpty());
    QCOMPARE(f.Find<QLineEdit>("groupPathEdit")->text(), PathToQString(second));
    QVERIFY(f.dialog->messages.empty());
    QVERIFY(QApplication::overrideCursor() == nullptr);  // the busy cursor is gone

    // Cancelling the chooser changes nothing.
    f.files.group.reset();
    f.dialog->ChooseGroup();
    QCOMPARE(ListTexts(list), QStringList{"佐藤"});
    QCOMPARE(f.Find<QLineEdit>("groupPathEdit")->text(), PathToQString(second));
  }

  void anUnreadableGroupIsReportedAndLeavesNoGroup() {
    DialogFixture f;
    const auto good = WriteGroup(f.dir / "good.group", "G", {Member("田中", "tanaka")});
    f.Open();
    f.files.group = good;
    f.dialog->ChooseGroup();
    f.files.group = f.dir / "missing.group";
    f.dialog->ChooseGroup();
    QCOMPARE(f.Find<QListWidget>("memberList")->count(), 0);
    QVERIFY(f.dialog->MemberKeys().empty());
    QCOMPARE(f.Find<QLineEdit>("groupPathEdit")->text(), kHint);
    QCOMPARE(f.dialog->messages.size(), std::size_t{1});
    QVERIFY(QApplication::overrideCursor() == nullptr);
  }

  // The real boxes, answered from their own event loop as the user would.
  void messageBoxesCarryTheirCaptionIconAndAnOrdinaryPointer() {
    DialogFixture f;
    CTallyDlg dialog(f.app, f.store, f.windowSettings, f.files, f.log);
    dialog.Start(DialogFixture::FixedNow());
    struct Seen {
      QString title, text;
      QMessageBox::Icon icon = QMessageBox::NoIcon;
      std::optional<Qt::CursorShape> cursor;
    };
    const auto answer = [this](Seen& seen) {
      QTimer::singleShot(0, this, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        if (const QCursor* cursor = QApplication::overrideCursor()) seen.cursor = cursor->shape();
        box->button(QMessageBox::Ok)->click();
      });
    };

    // A group file that is not there is reported while the file is being read:
    // the box must not show the wait cursor of that read.
    Seen missing;
    f.files.group = f.dir / "missing.group";
    answer(missing);
    dialog.ChooseGroup();
    QCOMPARE(missing.title, QStringLiteral("Planwell 集計ツール"));
    QCOMPARE(missing.text, QStringLiteral("ファイル ") + PathToQString(f.dir / "missing.group") +
                               QStringLiteral(" が見つかりません。"));
    QCOMPARE(missing.icon, QMessageBox::Warning);
    QVERIFY(missing.cursor != Qt::WaitCursor);
    QVERIFY(QApplication::overrideCursor() == nullptr);

    // Inside a longer read the wait cursor comes back after the box.
    Seen found;
    answer(found);
    dialog.BeginBusy();
    dialog.FindTypeFile();
    QVERIFY(found.cursor != Qt::WaitCursor);
    QCOMPARE(found.icon, QMessageBox::Information);
    QVERIFY(QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor);
    dialog.EndBusy();
    QVERIFY(QApplication::overrideCursor() == nullptr);

    // No mode selected: the "Debug" box, without icon.
    auto* modes = dialog.findChild<QComboBox*>(QStringLiteral("modeCombo"));
    modes->setCurrentIndex(-1);
    Seen debug;
    answer(debug);
    dialog.ModeChanged();
    QCOMPARE(debug.title, QStringLiteral("Debug"));
    QCOMPARE(debug.text, QStringLiteral("予期できないエラーです。"));
    QCOMPARE(debug.icon, QMessageBox::NoIcon);
  }

  void aClickTogglesAnEntryAndEveryoneKeepsTheSelection() {
    DialogFixture f;
    const auto group = WriteGroup(f.dir / "g.group", "G",
                                  {Member("田中", "tanaka"), Member("鈴木", "suzuki"), Member("佐藤", "sato")});
    f.files.group = group;
    f.files.csv = f.dir / "out.csv";
    f.Open();
    f.dialog->ChooseGroup();
    auto* list = f.Find<QListWidget>("memberList");
    ClickEntry(list, 0);
    ClickEntry(list, 2);
    ClickEntry(list, 0);  // a second click takes the entry back
    QCOMPARE(list->selectedItems().size(), 1);
    QVERIFY(list->item(2)->isSelected());

    f.dialog->RunCsv();
    QCOMPARE(f.dialog->Settings().selectedKeys, std::vector<std::string>{"sato"});

    f.Find<QCheckBox>("everyoneCheck")->click();
    QVERIFY(!list->isEnabled());
    QVERIFY(list->item(2)->isSelected());
    f.Find<QCheckBox>("everyoneCheck")->click();
    QVERIFY(list->isEnabled());
    QVERIFY(list->item(2)->isSelected());
  }

  void noMemberSelectedRefusesTheRun() {
    DialogFixture f;
    f.files.group = WriteGroup(f.dir / "g.group", "G", {Member("田中", "tanaka")});
    f.files.csv = f.dir / "out.csv";
    f.Open();
    f.dialog->ChooseGroup();
    f.dialog->RunCsv();
    QCOMPARE(f.dialog->messages.size(), std::size_t{1});
    QCOMPARE(f.dialog->messages[0].text, std::string("集計対象とするメンバーが選択されていません。"));
    QVERIFY(f.dialog->messages[0].kind == MessageKind::kExclamation);
    QVERIFY(f.store.writes.empty());
    QVERIFY(!std::filesystem::exists(f.dir / "out.csv"));
  }

  void typeFileMenuHasTwoItemsInOrder() {
    DialogFixture f;
    f.Open();
    const auto actions = f.Find<QMenu>("typeFileMenu")->actions();
    QCOMPARE(actions.size(), 2);
    QCOMPARE(actions[0]->text(), QStringLiteral("対応するタイプ別色情報ファイルを自動で探す(&S)"));
    QCOMPARE(actions[1]->text(), QStringLiteral("自分で探す(&O)"));
  }

  void findTypeFileWithTheHintText() {
    DialogFixture f;
    f.Open();
    f.Find<QMenu>("typeFileMenu")->actions()[0]->trigger();
    QCOMPARE(f.dialog->messages.size(), std::size_t{1});
    QCOMPARE(f.dialog->messages[0].text, std::string("グループファイルが指定されていません。"));
    QVERIFY(f.dialog->messages[0].kind == MessageKind::kInformation);
    QCOMPARE(f.Find<QLineEdit>("typeFileEdit")->text(), kHint);
  }

  void findTypeFileBesideTheGroup() {
    DialogFixture f;
    std::filesystem::create_directory(f.dir / "チーム.2005");
    f.files.group = WriteGroup(f.dir / "チーム.2005" / "営業部.group", "G", {Member("田中", "tanaka")});
    f.Open();
    f.dialog->ChooseGroup();

    f.dialog->FindTypeFile();  // no type file yet
    QCOMPARE(f.dialog->messages.size(), std::size_t{1});
    QCOMPARE(f.dialog->messages[0].text,
             std::string("このグループファイルに固有のタイプ別色情報ファイルは見つかりませんでした。"));
    QVERIFY(f.dialog->messages[0].kind == MessageKind::kInformation);
    QCOMPARE(f.Find<QLineEdit>("typeFileEdit")->text(), kHint);

    WriteBytes(f.dir / "チーム.2005" / "営業部.type", "nopalette\r\n");
    f.dialog->FindTypeFile();
    QCOMPARE(f.dialog->messages.size(), std::size_t{1});
    QCOMPARE(f.Find<QLineEdit>("typeFileEdit")->text(),
             PathToQString(f.dir / "チーム.2005" / "営業部.type"));
  }

  void chooseTypeFileByHand() {
    DialogFixture f;
    f.Open();
    f.files.typeFile = f.dir / "own.type";
    f.Find<QMenu>("typeFileMenu")->actions()[1]->trigger();
    QCOMPARE(f.Find<QLineEdit>("typeFileEdit")->text(), PathToQString(f.dir / "own.type"));
    f.files.typeFile.reset();
    f.dialog->ChooseTypeFile();
    QCOMPARE(f.Find<QLineEdit>("typeFileEdit")->text(), PathToQString(f.dir / "own.type"));
  }

  void cancelledCsvSaveSavesAndWritesNothing() {
    DialogFixture f;
    f.files.group = WriteGroup(f.dir / "g.group", "G", {Member("田中", "tanaka")});
    f.Open();
    f.dialog->ChooseGroup();
    f.Find<QCheckBox>("everyoneCheck")->click();
    f.Find<QPushButton>("runCsvButton")->click();
    QCOMPARE(f.files.asked, 2);  // the group, then the CSV file
    QVERIFY(f.store.writes.empty());
    QVERIFY(f.dialog->messages.empty());
    QVERIFY(f.dialog->progress.empty());
    QCOMPARE(std::distance(std::filesystem::directory_iterator(f.dir.Path()),
                           std::filesystem::directory_iterator()),
             1);  // only the group file
  }

  void runHtmlWritesAndOpensTheReport() {
    DialogFixture f;
    f.files.group = WriteGroup(f.dir / "g.group", "G", {Member("田中", "tanaka")});
    f.Open();
    f.dialog->ChooseGroup();
    f.Find<QCheckBox>("everyoneCheck")->click();
    f.Find<QPushButton>("runHtmlButton")->click();
    QCOMPARE(f.dialog->opened, std::vector<std::filesystem::path>{f.app.htmlReportPath});
    QVERIFY(f.dialog->messages.empty());
    QVERIFY(std::filesystem::file_size(f.app.htmlReportPath) > 0);
    // Between 10 and 30 the bar also moves after each month but the last; the
    // default period touches one month or two, depending on today.
    std::vector<int> steps = f.dialog->progress;
    std::erase_if(steps, [](int p) { return p > 10 && p < 30; });
    QCOMPARE(steps, (std::vector<int>{0, 10, 30, 40, 45, 50, 55, 65, 90, 0}));
    QCOMPARE(f.Find<QProgressBar>("progressBar")->value(), 0);
    QVERIFY(QApplication::overrideCursor() == nullptr);
  }

  void aRunStoresItsOptionsAndTheBandWaitsForExit() {
    DialogFixture f;
    f.files.group = WriteGroup(f.dir / "g.group", "G", {Member("田中", "tanaka")});
    f.files.csv = f.dir / "out.csv";
    f.Open();
    f.dialog->ChooseGroup();
    f.Find<QCheckBox>("everyoneCheck")->click();
    f.Find<QCheckBox>("bandOnlyCheck")->click();
    f.Find<QTimeEdit>("bandStartEdit")->setTime(QTime(9, 0));
    f.Find<QTimeEdit>("bandEndEdit")->setTime(QTime(18, 0));
    f.Find<QDateEdit>("firstDateEdit")->setDate(QDate(2005, 6, 1));
    f.Find<QDateEdit>("lastDateEdit")->setDate(QDate(2005, 6, 30));
    f.Find<QLineEdit>("contentTextEdit")->setText(QStringLiteral("会議"));
    f.Find<QComboBox>("formatCombo")->setCurrentIndex(1);
    f.dialog->RunCsv();

    QCOMPARE(f.store.ReadText("date1", ""), std::string("20050601"));
    QCOMPARE(f.store.ReadText("date2", ""), std::string("20050630"));
    QCOMPARE(f.store.ReadText("Cl", ""), Utf8ToCp932("会議"));
    QCOMPARE(f.store.ReadInt("Everyone", -1), 1);
    QCOMPARE(f.store.ReadInt("Time", -1), 1);
    QCOMPARE(f.store.ReadInt("String", -1), 0);
    QCOMPARE(f.store.ReadInt("Format", -1), 1);
    // The band goes into the application's values; it is stored at exit only.
    QCOMPARE(f.store.ReadText("time1", "absent"), std::string("absent"));
    QVERIFY(f.app.bandStart == DateTime::FromParts(2000, 1, 1, 9, 0));
    QVERIFY(f.app.bandEnd == DateTime::FromParts(2000, 1, 1, 18, 0));
    QCOMPARE(f.app.durationFormat, 1);
    QCOMPARE(f.dialog->messages.size(), std::size_t{1});
    QCOMPARE(f.dialog->messages[0].text, std::string("出力しました。"));
    QVERIFY(f.dialog->messages[0].kind == MessageKind::kInformation);
  }

  void aboutBoxShowsNameAndVersion() {
    DialogFixture f;
    f.Open();
    QAction* about = f.Find<QAction>("aboutAction");
    QVERIFY(about);
    QCOMPARE(about->text(), QStringLiteral("バージョン情報(&A)..."));
    QVERIFY(f.dialog->actions().contains(about));
    QCOMPARE(f.dialog->contextMenuPolicy(), Qt::ActionsContextMenu);

    QString title, text, qt, built;
    // Answers the modal box from the event loop it runs, as the user would.
    QTimer::singleShot(0, this, [&] {
      QWidget* box = QApplication::activeModalWidget();
      QVERIFY(box);
      title = box->windowTitle();
      auto* label = box->findChild<QLabel*>(QStringLiteral("versionLabel"));
      if (label) text = label->text();
      qt = box->findChild<QLabel*>(QStringLiteral("qtVersionLabel"))->text();
      built = box->findChild<QLabel*>(QStringLiteral("buildDateLabel"))->text();
      auto* ok = box->findChild<QPushButton*>(QStringLiteral("okButton"));
      if (ok) ok->click(); else box->close();
    });
    about->trigger();
    QCOMPARE(title, QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    QCOMPARE(qt, QStringLiteral("Qt ") + qVersion());  // the Qt it runs on
    // This build came from a commit (or SOURCE_DATE_EPOCH): its date is known.
    QVERIFY2(QRegularExpression(QStringLiteral("^ビルド日：\\d{4}/\\d{2}/\\d{2}$")).match(built).hasMatch(),
             qPrintable(built));
    QCOMPARE(text, QStringLiteral("Planwell 集計ツール ver 2.0.0"));
  }

  void aMainWindowWithoutDefaultButtonThatEscDoesNotClose() {
    DialogFixture f;
    f.Open();
    f.dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.dialog.get()));
    for (QPushButton* button : f.dialog->findChildren<QPushButton*>()) {
      QVERIFY2(!button->isDefault() && !button->autoDefault(), qPrintable(button->objectName()));
    }
    const Qt::WindowFlags flags = f.dialog->windowFlags();
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(flags & Qt::WindowMaximizeButtonHint);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(f.dialog->isWindow() && f.dialog->parentWidget() == nullptr);  // in the task bar
    QVERIFY(f.dialog->minimumSize() != f.dialog->maximumSize());           // resizable
    f.Find<QLineEdit>("contentTextEdit")->setEnabled(true);
    for (const char* name : {"memberList", "contentTextEdit", "runHtmlButton"}) {
      f.Find<QWidget>(name)->setFocus();
      QTest::keyClick(f.Find<QWidget>(name), Qt::Key_Escape);
      QVERIFY2(f.dialog->isVisible(), name);
    }
  }

  void closeEndsTheWindow() {
    DialogFixture f;
    f.Open();
    f.dialog->show();
    f.Find<QPushButton>("closeButton")->click();
    QVERIFY(!f.dialog->isVisible());
  }

  void controlsCarryTheirTexts_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    const auto row = [](const char* name, const char* text) {
      QTest::newRow(name) << QString::fromLatin1(name) << QString::fromUtf8(text);
    };
    row("groupLabel", "グループ：");
    row("chooseGroupButton", "...");
    row("membersLabel", "集計対象メンバー：");
    row("multiSelectLabel", "※複数選択可");
    row("everyoneCheck", "全てのメンバーを対象とする(&E)");
    row("periodLabel", "集計期間：");
    row("periodTildeLabel", "～");
    row("modeLabel", "集計モード：");
    row("typeFileLabel", "タイプ別色情報ファイル：");
    row("typeFileButton", "...");
    row("bandOnlyCheck", "次の時間帯に含まれる部分のみを集計");
    row("bandTildeLabel", "～");
    row("contentOnlyCheck", "次の文字列を含むスケジュールのみ集計");
    row("exactMatchCheck", "（「含む」でなくて）完全一致したものだけ");
    row("ignoreCaseWidthCheck", "大文字・小文字・全角・半角を区別しない");
    row("noOverlapCheck", "スケジュールの重複している時間を重複集計しない\n（延べ合計時間にしない） (&O)");
    row("noTentativeCheck", "仮登録は集計しない(&T)");
    row("formatLabel", "結果の表示形式：");
    row("runHtmlButton", "実行");
    row("runCsvButton", "CSV書き出し");
    row("closeButton", "終了");
  }
  void controlsCarryTheirTexts() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    DialogFixture f;
    f.Open();
    QObject* control = f.dialog->findChild<QObject*>(name);
    QVERIFY(control);
    if (auto* label = qobject_cast<QLabel*>(control)) {
      QCOMPARE(label->text(), text);
    } else {
      QCOMPARE(qobject_cast<QAbstractButton*>(control)->text(), text);
    }
  }

  void listsCarryTheirItems() {
    DialogFixture f;
    f.Open();
    const auto items = [](const QComboBox* combo) {
      QStringList texts;
      for (int i = 0; i < combo->count(); ++i) texts << combo->itemText(i);
      return texts;
    };
    QCOMPARE(items(f.Find<QComboBox>("modeCombo")),
             (QStringList{"1. 合計時間", "2. 色別合計時間", "3. タイプ別合計時間", "4. 内容別合計時間"}));
    QCOMPARE(items(f.Find<QComboBox>("formatCombo")),
             (QStringList{"hh時間mm分", "hh:mm", "mm分", "mm"}));
    auto* list = f.Find<QListWidget>("memberList");
    QCOMPARE(list->selectionMode(), QAbstractItemView::MultiSelection);
    QVERIFY(list->isWrapping());  // several columns
    QCOMPARE(list->flow(), QListView::TopToBottom);
    QVERIFY(!list->isSortingEnabled());
    auto* picker = f.Find<QDateEdit>("firstDateEdit");
    QVERIFY(picker->calendarPopup());
    QCOMPARE(picker->displayFormat(), QStringLiteral("yyyy/MM/dd"));
    QCOMPARE(picker->locale().language(), QLocale::Japanese);
    QCOMPARE(f.Find<QTimeEdit>("bandStartEdit")->displayFormat(), QStringLiteral("HH:mm"));
    QCOMPARE(f.Find<QProgressBar>("progressBar")->maximum(), 100);
  }
};

QTEST_MAIN(TallyDialogTest)
#include "tally_dialog_test.moc"
