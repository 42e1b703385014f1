// The main window's frame: menus, shortcuts, the status bar, and the groups
// that open themselves (argument, drop, recent groups).
#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>

#include "app/qt_text.h"
#include "app_test_support.h"
#include "support/archive_writer.h"

using namespace tallyer;
using namespace tallyer::testing;

namespace {

std::filesystem::path WriteGroup(const std::filesystem::path& path, const char* member) {
  std::filesystem::create_directories(path.parent_path());
  WriteBytes(path, GroupFileBuilder().Name("G").Add(Utf8ToCp932(member), "key").Build());
  return path;
}

QStringList Members(DialogFixture& f) {
  QStringList names;
  auto* list = f.Find<QListWidget>("memberList");
  for (int i = 0; i < list->count(); ++i) names << list->item(i)->text();
  return names;
}

QStringList MenuTexts(const QMenu* menu) {
  QStringList texts;
  for (const QAction* action : menu->actions()) {
    texts << (action->isSeparator() ? QStringLiteral("--") : action->text());
  }
  return texts;
}

// Drops `files` on `target` as a file manager does: enter, then drop.
bool Drop(QWidget* target, const QList<QUrl>& files) {
  QMimeData data;
  data.setUrls(files);
  const QPoint at = target->rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  QCoreApplication::processEvents();  // the group opens once the drop is over
  return drop.isAccepted();
}

QString Status(DialogFixture& f) { return f.Find<QLabel>("statusLabel")->text(); }

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void menusCarryTheirItemsAndShortcuts() {
    DialogFixture f;
    f.Open();
    QStringList titles;
    for (const QAction* action : f.dialog->menuBar()->actions()) titles << action->text();
    QCOMPARE(titles, (QStringList{"ファイル(&F)", "ヘルプ(&H)"}));
    QCOMPARE(MenuTexts(f.Find<QMenu>("fileMenu")),
             (QStringList{"グループを開く(&O)...", "最近使ったグループ(&R)", "書き出し(&W)", "--", "終了(&X)"}));
    QCOMPARE(MenuTexts(f.Find<QMenu>("helpMenu")), QStringList{"バージョン情報(&A)..."});
    QCOMPARE(f.Find<QAction>("openGroupAction")->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    QCOMPARE(f.Find<QAction>("quitAction")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
    QVERIFY(!f.Find<QMenu>("recentMenu")->isEnabled());  // nothing loaded yet
    // The right-click menu keeps only the About box.
    QCOMPARE(f.dialog->contextMenuPolicy(), Qt::ActionsContextMenu);
    QCOMPARE(f.dialog->actions(), QList<QAction*>{f.Find<QAction>("aboutAction")});
  }

  // Keys typed into the shown window, with the focus in each kind of control.
  void shortcutsWorkWhereverTheFocusIs_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<QString>("effect");
    const QStringList places{"memberList", "firstDateEdit", "modeCombo", "contentTextEdit", "runCsvButton"};
    for (const QString& place : places) {
      const QByteArray at = place.toLatin1();
      QTest::newRow(("Ctrl+Return in " + at).data()) << place << QKeySequence(Qt::CTRL | Qt::Key_Return) << "html";
      QTest::newRow(("Ctrl+Enter in " + at).data())
          << place << QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Enter))
          << "html";
      QTest::newRow(("Ctrl+E in " + at).data()) << place << QKeySequence(Qt::CTRL | Qt::Key_E) << "csv";
      QTest::newRow(("Ctrl+O in " + at).data()) << place << QKeySequence(Qt::CTRL | Qt::Key_O) << "group";
      QTest::newRow(("Ctrl+Q in " + at).data()) << place << QKeySequence(Qt::CTRL | Qt::Key_Q) << "quit";
    }
    QTest::newRow("Return in the content field") << "contentTextEdit" << QKeySequence(Qt::Key_Return) << "html";
    QTest::newRow("Return in the member list") << "memberList" << QKeySequence(Qt::Key_Return) << "";
    QTest::newRow("Return in a date") << "firstDateEdit" << QKeySequence(Qt::Key_Return) << "";
  }
  void shortcutsWorkWhereverTheFocusIs() {
    QFETCH(QString, focus);
    QFETCH(QKeySequence, keys);
    QFETCH(QString, effect);
    DialogFixture f;
    f.files.group = WriteGroup(f.dir / "g.group", "田中");
    f.Open();
    f.dialog->OpenGroup(*f.files.group);
    f.Find<QCheckBox>("everyoneCheck")->click();
    f.Find<QCheckBox>("contentOnlyCheck")->click();
    f.files.group.reset();
    f.dialog->show();
    QApplication::setActiveWindow(f.dialog.get());
    QVERIFY(QTest::qWaitForWindowActive(f.dialog.get()));
    QWidget* target = f.dialog->findChild<QWidget*>(focus);
    target->setFocus();

    QTest::keySequence(target, keys);
    const int asked = f.files.asked;
    QCOMPARE(f.dialog->opened.size(), std::size_t(effect == "html" ? 1 : 0));
    QCOMPARE(asked == 1 && f.files.proposedName.endsWith(".csv"), effect == "csv");
    QCOMPARE(asked == 1 && f.files.proposedName.isEmpty(), effect == "group");
    QCOMPARE(!f.dialog->isVisible(), effect == "quit");
  }

  void statusBarSaysWhatWasWrittenWhere() {
    DialogFixture f;
    const auto group = WriteGroup(f.dir / "g.group", "田中");
    f.Open();
    f.dialog->OpenGroup(group);
    auto* folderButton = f.Find<QToolButton>("openFolderButton");
    QVERIFY(f.dialog->statusBar()->isVisibleTo(f.dialog.get()));
    QCOMPARE(Status(f), QString());
    QVERIFY(!folderButton->isVisibleTo(f.dialog.get()));

    // A refused run (no member) writes nothing and says nothing there.
    f.dialog->RunHtml();
    QCOMPARE(Status(f), QString());

    f.Find<QCheckBox>("everyoneCheck")->click();
    f.dialog->RunHtml();
    const QString page = QDir::toNativeSeparators(PathToQString(f.app.htmlReportPath));
    QCOMPARE(Status(f), "10:20 集計結果を " + page + " に書き出しました。");
    QVERIFY(folderButton->isVisibleTo(f.dialog.get()));
    QCOMPARE(folderButton->text(), QStringLiteral("フォルダーを開く"));

    f.dialog->desktopOpens = false;
    f.dialog->RunHtml();
    QCOMPARE(Status(f), "10:20 集計結果を " + page + " に書き出しましたが、ブラウザーで開けませんでした。");
    // Said in a box as well.
    QCOMPARE(QString::fromStdString(f.dialog->messages.back().text),
             "集計結果を " + page + " に書き出しましたが、ブラウザーで開けませんでした。");

    std::filesystem::create_directory(f.dir / "out");
    f.files.csv = f.dir / "out" / "a.csv";
    f.dialog->RunCsv();
    QCOMPARE(Status(f), "10:20 集計結果を " + QDir::toNativeSeparators(PathToQString(*f.files.csv)) +
                            " に書き出しました。");
    folderButton->click();
    QCOMPARE(f.dialog->openedFolders, std::vector<std::filesystem::path>{f.dir / "out"});
  }

  void theFirstArgumentOpensItsGroup() {
    DialogFixture f;
    const auto remembered = WriteGroup(f.dir / "old" / "old.group", "古田");
    const auto given = WriteGroup(f.dir / "new" / "new.group", "新井");
    f.windowSettings.SetValue("RecentGroup1", PathToQString(remembered));
    f.Open();
    // A relative argument is taken from the current folder and remembered in full.
    const QString before = QDir::currentPath();
    QDir::setCurrent(PathToQString(f.dir / "new"));
    f.dialog->OpenStartGroup({"tallyer", "new.group", PathToQString(remembered)});
    QDir::setCurrent(before);
    QCOMPARE(Members(f), QStringList{"新井"});
    QCOMPARE(f.Find<QLineEdit>("groupPathEdit")->text(), PathToQString(given));
    QCOMPARE(f.dialog->Recent().Paths(), (QStringList{PathToQString(given), PathToQString(remembered)}));
    QVERIFY(f.dialog->messages.empty());
  }

  // A missing or damaged group, however it is named, is told and leaves no
  // group loaded; it never joins the recent groups.
  void aGroupThatDoesNotLoadIsToldAndLeavesNoGroup_data() {
    QTest::addColumn<QString>("way");
    QTest::addColumn<bool>("damaged");
    for (const char* way : {"argument", "drop", "recent"}) {
      QTest::newRow((std::string(way) + ", missing").c_str()) << way << false;
      QTest::newRow((std::string(way) + ", damaged").c_str()) << way << true;
    }
  }
  void aGroupThatDoesNotLoadIsToldAndLeavesNoGroup() {
    QFETCH(QString, way);
    QFETCH(bool, damaged);
    DialogFixture f;
    const auto good = WriteGroup(f.dir / "good.group", "古田");
    const auto bad = f.dir / "bad.group";
    if (damaged) WriteBytes(bad, "not a group");
    f.windowSettings.SetValue("RecentGroup1", PathToQString(bad));
    f.windowSettings.SetValue("RecentGroup2", PathToQString(good));
    f.Open();
    f.dialog->OpenGroup(good);
    const QUrl badUrl = QUrl::fromLocalFile(PathToQString(bad));
    if (way == "argument") f.dialog->OpenStartGroup({"tallyer", PathToQString(bad)});
    if (way == "drop") QVERIFY(Drop(f.dialog.get(), {badUrl}));
    if (way == "recent") f.dialog->OpenRecentGroup(PathToQString(bad));

    QCOMPARE(f.dialog->messages.size(), std::size_t{1});
    const QString told = QString::fromStdString(f.dialog->messages[0].text);
    QVERIFY2(told.startsWith("ファイル " + PathToQString(bad) + (damaged ? " を読めませんでした。" : " が見つかりません。")),
             qPrintable(told));
    QVERIFY(Members(f).isEmpty());
    QCOMPARE(f.Find<QLineEdit>("groupPathEdit")->text(), QStringLiteral("右のボタンをクリックして選択して下さい。"));
    // Chosen from the recent groups, a missing one leaves the list; a damaged one stays.
    const bool listed = way != "recent" || damaged;
    QCOMPARE(f.dialog->Recent().Paths().contains(PathToQString(bad)), listed);
    QCOMPARE(f.dialog->Recent().Paths().first(), PathToQString(good));  // a failed load is not moved up
  }

  void theLastGroupOpensAgainWhenItIsStillThere() {
    DialogFixture f;
    const auto last = WriteGroup(f.dir / "last.group", "最後");
    const auto older = WriteGroup(f.dir / "older.group", "以前");
    f.windowSettings.SetValue("RecentGroup1", PathToQString(last));
    f.windowSettings.SetValue("RecentGroup2", PathToQString(older));
    f.Open();
    f.dialog->OpenStartGroup({"tallyer"});
    QCOMPARE(Members(f), QStringList{"最後"});
    QVERIFY(f.dialog->messages.empty());

    // Gone since: nothing opens, nothing is said, the list stays.
    DialogFixture g;
    g.windowSettings.SetValue("RecentGroup1", PathToQString(g.dir / "gone.group"));
    g.Open();
    g.dialog->OpenStartGroup({"tallyer"});
    QVERIFY(Members(g).isEmpty());
    QVERIFY(g.dialog->messages.empty());
    QCOMPARE(g.dialog->Recent().Paths(), QStringList{PathToQString(g.dir / "gone.group")});
  }

  void droppingAGroupFileOpensIt() {
    DialogFixture f;
    const auto group = WriteGroup(f.dir / "g.GROUP", "田中");
    WriteBytes(f.dir / "notes.txt", "x");
    f.Open();
    const QUrl text = QUrl::fromLocalFile(PathToQString(f.dir / "notes.txt"));
    const QUrl groupUrl = QUrl::fromLocalFile(PathToQString(group));

    QVERIFY(!Drop(f.dialog.get(), {text}));
    QVERIFY(!Drop(f.dialog.get(), {QUrl(QStringLiteral("https://example.com/g.group"))}));
    QVERIFY(Members(f).isEmpty());

    // Over a text field too, where the name would otherwise be typed in.
    auto* content = f.Find<QLineEdit>("contentTextEdit");
    content->setEnabled(true);
    QVERIFY(Drop(content, {text, groupUrl}));
    QCOMPARE(Members(f), QStringList{"田中"});
    QCOMPARE(content->text(), QString());
    QCOMPARE(f.dialog->Recent().Paths(), QStringList{PathToQString(group)});

    f.dialog->OpenGroup(WriteGroup(f.dir / "other.group", "鈴木"));
    QVERIFY(Drop(f.Find<QLineEdit>("groupPathEdit"), {groupUrl}));
    QCOMPARE(Members(f), QStringList{"田中"});
  }

  void recentGroupsKeepTheLastFiveThatLoaded() {
    DialogFixture f;
    f.Open();
    std::vector<std::filesystem::path> groups;
    for (const char* name : {"g1.group", "g2.group", "g3.group", "g4.group", "g5.group", "g6.group"}) {
      groups.push_back(WriteGroup(f.dir / name, "田中"));
    }
    for (const auto& group : groups) f.dialog->OpenGroup(group);
    f.dialog->OpenGroup(groups[2]);  // again: moves to the front, once
    WriteBytes(f.dir / "damaged.group", "not a group");
    QVERIFY(!f.dialog->OpenGroup(f.dir / "damaged.group"));  // never listed

    const QStringList expected{PathToQString(groups[2]), PathToQString(groups[5]), PathToQString(groups[4]),
                               PathToQString(groups[3]), PathToQString(groups[1])};
    QCOMPARE(f.dialog->Recent().Paths(), expected);
    QCOMPARE(f.windowSettings.Value("RecentGroup1").toString(), expected[0]);
    QCOMPARE(f.windowSettings.Value("RecentGroup5").toString(), expected[4]);
    auto* menu = f.Find<QMenu>("recentMenu");
    QVERIFY(menu->isEnabled());
    QCOMPARE(menu->actions().size(), 5);
    QCOMPARE(menu->actions()[0]->text(), "&1 " + QDir::toNativeSeparators(expected[0]));

    // Chosen from the menu: opened, and moved to the front.
    menu->actions()[3]->trigger();
    QCOMPARE(f.Find<QLineEdit>("groupPathEdit")->text(), expected[3]);
    QCOMPARE(f.dialog->Recent().Paths().first(), expected[3]);

    // One that has gone away is said to be missing and dropped from the list.
    std::filesystem::remove(groups[4]);
    f.dialog->messages.clear();
    QCoreApplication::processEvents();  // the old entries are deleted now
    const QString gone = QDir::toNativeSeparators(PathToQString(groups[4]));
    for (QAction* entry : menu->actions()) {
      if (entry->text().endsWith(gone)) entry->trigger();
    }
    QCOMPARE(f.dialog->messages.size(), std::size_t{1});
    QVERIFY(!f.dialog->Recent().Paths().contains(PathToQString(groups[4])));
    QCOMPARE(menu->actions().size(), 4);
    QVERIFY(!f.windowSettings.Value("RecentGroup5").isValid());
  }

  void fileDialogsStartInTheGroupsFolderAndProposeANamedCsv() {
    DialogFixture f;
    const auto group = WriteGroup(f.dir / "営業部" / "営業部.group", "田中");
    f.Open();
    f.dialog->ChooseGroup();  // nothing chosen yet: Qt's own start
    QCOMPARE(f.files.startFolder, std::filesystem::path());
    f.dialog->OpenGroup(group);
    f.Find<QCheckBox>("everyoneCheck")->click();
    f.dialog->ChooseGroup();
    QCOMPARE(f.files.startFolder, f.dir / "営業部");
    f.dialog->ChooseTypeFile();
    QCOMPARE(f.files.startFolder, f.dir / "営業部");

    f.Find<QDateEdit>("firstDateEdit")->setDate(QDate(2025, 4, 1));
    f.Find<QDateEdit>("lastDateEdit")->setDate(QDate(2026, 3, 31));
    f.dialog->RunCsv();
    QCOMPARE(f.files.startFolder, f.dir / "営業部");
    QCOMPARE(f.files.proposedName, QStringLiteral("営業部_20250401-20260331.csv"));
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
