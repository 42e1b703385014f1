#include "app/tally_dialog.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <system_error>

#include "app/about_dialog.h"
#include "app/export_formats.h"
#include "app/file_dialogs.h"
#include "app/group_drop.h"
#include "app/period_chooser.h"
#include "app/period_defaults.h"
#include "app/program_icon.h"
#include "app/qt_text.h"
#include "app/report_names.h"
#include "app/result_pane.h"
#include "app/type_file_candidate.h"
#include "app/window_settings.h"
#include "data/clock.h"
#include "data/cp932.h"
#include "data/group.h"
#include "run/group_loading.h"
#include "run/result_export.h"
#include "run/run.h"
#include "run/settings_store.h"
#include "run/stored_options.h"
#include "ui_tally_dialog.h"

namespace tallyer {
namespace {

const std::string kNoGroupFile = Utf8ToCp932("グループファイルが指定されていません。");
const std::string kNoTypeFileFound =
    Utf8ToCp932("このグループファイルに固有のタイプ別色情報ファイルは見つかりませんでした。");
const std::string kUnexpectedError = Utf8ToCp932("予期できないエラーです。");

const QString kTitle = QStringLiteral("Planwell 集計ツール");
const QString kGeometryValue = QStringLiteral("WindowGeometry");

// The dates are shown and read as they are: in UTC no value falls into a
// daylight-saving gap and gets moved.
void PreparePicker(QDateTimeEdit* picker) {
  picker->setTimeSpec(Qt::UTC);
  picker->setMinimumDate(QDate(100, 1, 1));
}

void ShowDateTime(QDateTimeEdit* picker, const DateTime& value, const DateTime& fallback) {
  QDateTime shown = ToQDateTime(value);
  // A stored text that forms no date shows the default instead.
  if (!shown.isValid()) shown = ToQDateTime(fallback);
  picker->setDateTime(shown);
}

// An index outside the list leaves the list without a selection.
void ShowIndex(QComboBox* list, int index) {
  list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

// A box shown while a file is read would carry the read's wait cursor too;
// the user answering it sees the ordinary pointer, and the wait cursor returns.
class OrdinaryPointerWhileAsking {
 public:
  OrdinaryPointerWhileAsking() : lifted_(QApplication::overrideCursor() != nullptr) {
    if (lifted_) QApplication::setOverrideCursor(Qt::ArrowCursor);
  }
  ~OrdinaryPointerWhileAsking() {
    if (lifted_) QApplication::restoreOverrideCursor();
  }
  OrdinaryPointerWhileAsking(const OrdinaryPointerWhileAsking&) = delete;
  OrdinaryPointerWhileAsking& operator=(const OrdinaryPointerWhileAsking&) = delete;

 private:
  bool lifted_;
};

}  // namespace

CTallyDlg::CTallyDlg(AppValues& app, SettingsStore& store, WindowSettings& windowSettings,
                     FileDialogs& files, DiagnosticLog& log, QWidget* parent)
    : QMainWindow(parent),
      ui_(std::make_unique<Ui::OptionsForm>()),
      typeFileMenu_(new QMenu(this)),
      app_(app),
      store_(store),
      windowSettings_(windowSettings),
      files_(files),
      log_(log),
      clock_([] { return ToQDateTime(LocalNow()); }),
      recent_(windowSettings) {
  setWindowTitle(kTitle);
  // The options form on the left; the splitter takes further panes beside it.
  auto* panes = new QSplitter(Qt::Horizontal, this);
  panes->setObjectName(QStringLiteral("mainSplitter"));
  panes->setChildrenCollapsible(false);
  auto* form = new QWidget(panes);
  ui_->setupUi(form);
  panes->addWidget(form);
  resultPane_ = new ResultPane(windowSettings_, panes);
  panes->addWidget(resultPane_);
  panes->setStretchFactor(0, 0);
  panes->setStretchFactor(1, 1);
  setCentralWidget(panes);
  // Dates and times read the Japanese way whatever the system's language.
  setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
  for (QDateTimeEdit* picker :
       {static_cast<QDateTimeEdit*>(ui_->firstDateEdit), static_cast<QDateTimeEdit*>(ui_->lastDateEdit),
        static_cast<QDateTimeEdit*>(ui_->bandStartEdit), static_cast<QDateTimeEdit*>(ui_->bandEndEdit)}) {
    PreparePicker(picker);
  }
  // Hiding the type file row must not make the rest of the window jump.
  for (QWidget* w : {static_cast<QWidget*>(ui_->typeFileLabel), static_cast<QWidget*>(ui_->typeFileEdit),
                     static_cast<QWidget*>(ui_->typeFileButton)}) {
    QSizePolicy policy = w->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    w->setSizePolicy(policy);
  }

  typeFileMenu_->setObjectName(QStringLiteral("typeFileMenu"));
  QAction* findAction =
      typeFileMenu_->addAction(QStringLiteral("対応するタイプ別色情報ファイルを自動で探す(&S)"));
  QAction* chooseAction = typeFileMenu_->addAction(QStringLiteral("自分で探す(&O)"));
  connect(findAction, &QAction::triggered, this, &CTallyDlg::FindTypeFile);
  connect(chooseAction, &QAction::triggered, this, &CTallyDlg::ChooseTypeFile);

  periodChooser_ = new PeriodChooser(ui_->periodPresetCombo, ui_->previousPeriodButton,
                                     ui_->nextPeriodButton, ui_->firstDateEdit, ui_->lastDateEdit,
                                     windowSettings_, [this] { return clock_().date(); }, this);
  BuildMenus();
  BuildStatusBar();

  // A group file dropped anywhere on the window opens, also over a text field
  // that would otherwise take the file's name as text.
  setAcceptDrops(true);
  for (QLineEdit* field : findChildren<QLineEdit*>()) field->installEventFilter(this);

  // Shortcuts, not actions of the window: those would join its context menu.
  for (const QKeySequence& keys :
       {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)}) {
    connect(new QShortcut(keys, this), &QShortcut::activated, ui_->runHtmlButton, &QPushButton::click);
  }
  for (const QKeySequence& keys : {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Return),
                                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Enter)}) {
    connect(new QShortcut(keys, this), &QShortcut::activated, ui_->tallyButton, &QPushButton::click);
  }
  connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_E), this), &QShortcut::activated,
          ui_->runCsvButton, &QPushButton::click);
  connect(ui_->contentTextEdit, &QLineEdit::returnPressed, ui_->runHtmlButton, &QPushButton::click);
  ui_->runHtmlButton->setToolTip(QStringLiteral("Ctrl+Return"));
  ui_->runCsvButton->setToolTip(QStringLiteral("Ctrl+E"));
  ui_->tallyButton->setToolTip(QStringLiteral("結果をこの画面に表示します (Ctrl+Shift+Return)"));

  // Only the user's own changes count: activated and clicked are not sent
  // when the controls are filled at start.
  connect(ui_->modeCombo, &QComboBox::activated, this, &CTallyDlg::ModeChanged);
  connect(ui_->bandOnlyCheck, &QCheckBox::clicked, this, &CTallyDlg::ModeChanged);
  connect(ui_->contentOnlyCheck, &QCheckBox::clicked, this, &CTallyDlg::ModeChanged);
  connect(ui_->everyoneCheck, &QCheckBox::clicked, this, &CTallyDlg::ModeChanged);
  connect(ui_->chooseGroupButton, &QToolButton::clicked, this, &CTallyDlg::ChooseGroup);
  connect(ui_->typeFileButton, &QToolButton::clicked, this, &CTallyDlg::ShowTypeFileMenu);
  connect(ui_->runHtmlButton, &QPushButton::clicked, this, &CTallyDlg::RunHtml);
  connect(ui_->runCsvButton, &QPushButton::clicked, this, &CTallyDlg::RunCsv);
  connect(ui_->tallyButton, &QPushButton::clicked, this, &CTallyDlg::RunTally);
  WatchOptions();
  connect(ui_->closeButton, &QPushButton::clicked, this, &QWidget::close);
}

CTallyDlg::~CTallyDlg() = default;

void CTallyDlg::BuildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
  file->setObjectName(QStringLiteral("fileMenu"));
  QAction* open = file->addAction(QStringLiteral("グループを開く(&O)..."), this, &CTallyDlg::ChooseGroup);
  open->setObjectName(QStringLiteral("openGroupAction"));
  open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  recentMenu_ = file->addMenu(QStringLiteral("最近使ったグループ(&R)"));
  recentMenu_->setObjectName(QStringLiteral("recentMenu"));
  ShowRecentGroups();
  QMenu* exports = file->addMenu(QStringLiteral("書き出し(&W)"));
  exports->setObjectName(QStringLiteral("exportMenu"));
  for (const ExportFormat& format : ExportFormats()) {
    QAction* item = exports->addAction(format.menuText, this, [this, &format] { Export(format); });
    item->setObjectName(format.objectName);
  }
  file->addSeparator();
  QAction* quit = file->addAction(QStringLiteral("終了(&X)"), this, &QWidget::close);
  quit->setObjectName(QStringLiteral("quitAction"));
  quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

  QMenu* help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
  help->setObjectName(QStringLiteral("helpMenu"));
  auto* about = new QAction(QStringLiteral("バージョン情報(&A)..."), this);
  about->setObjectName(QStringLiteral("aboutAction"));
  connect(about, &QAction::triggered, this, &CTallyDlg::ShowAbout);
  help->addAction(about);
  // The right-click menu of the window keeps the About box.
  addAction(about);
  setContextMenuPolicy(Qt::ActionsContextMenu);
}

void CTallyDlg::BuildStatusBar() {
  statusLabel_ = new QLabel(this);
  statusLabel_->setObjectName(QStringLiteral("statusLabel"));
  // A long path is cut at the window's edge rather than widening the window.
  statusLabel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  statusBar()->addWidget(statusLabel_, 1);
  openFolderButton_ = new QToolButton(this);
  openFolderButton_->setObjectName(QStringLiteral("openFolderButton"));
  openFolderButton_->setText(QStringLiteral("フォルダーを開く"));
  openFolderButton_->hide();
  statusBar()->addPermanentWidget(openFolderButton_);
  connect(openFolderButton_, &QToolButton::clicked, this, &CTallyDlg::OpenReportFolder);
}

void CTallyDlg::Start(const QDateTime& now) {
  setWindowIcon(ProgramIcon());
  const QByteArray geometry = windowSettings_.Value(kGeometryValue).toByteArray();
  if (!geometry.isEmpty()) {
    restoreGeometry(geometry);
  } else {
    // A first start leaves the result pane room for its table and chart.
    QSize size(sizeHint().width() + 560, std::max(sizeHint().height(), 640));
    if (screen() != nullptr) size = size.boundedTo(screen()->availableGeometry().size() * 0.9);
    resize(size);
  }

  TallySettings defaults;
  defaults.bandStart = app_.bandStart;
  defaults.bandEnd = app_.bandEnd;
  const DefaultPeriod period = MakeDefaultPeriod(now);
  defaults.firstDate = period.firstDate;
  defaults.lastDate = period.lastDate;

  settings_ = defaults;
  LoadStoredOptions(store_, settings_);
  settings_.typeFilePath = kHintPath;
  settings_.groupPath = kHintPath;

  // Values that form no date-time fall back to what a first start shows.
  TallySettings fallback = defaults;
  fallback.bandStart = TallySettings{}.bandStart;
  fallback.bandEnd = TallySettings{}.bandEnd;
  ShowSettings(fallback);
  periodChooser_->Restore(now.date());
  ApplyEnablingRules(settings_.mode);
}

void CTallyDlg::OpenStartGroup(const QStringList& arguments) {
  if (arguments.size() > 1) {
    OpenGroup(QStringToPath(QFileInfo(arguments[1]).absoluteFilePath()));
    return;
  }
  if (recent_.Paths().isEmpty()) return;
  const QString last = recent_.Paths().first();
  if (QFileInfo::exists(last)) OpenGroup(QStringToPath(last));
}

void CTallyDlg::SaveWindowState() { windowSettings_.SetValue(kGeometryValue, saveGeometry()); }

void CTallyDlg::ShowSettings(const TallySettings& fallback) {
  ui_->groupPathEdit->setText(PathToQString(settings_.groupPath));
  ui_->everyoneCheck->setChecked(settings_.everyone);
  ShowDateTime(ui_->firstDateEdit, settings_.firstDate, fallback.firstDate);
  ShowDateTime(ui_->lastDateEdit, settings_.lastDate, fallback.lastDate);
  ShowIndex(ui_->modeCombo, settings_.mode);
  ui_->typeFileEdit->setText(PathToQString(settings_.typeFilePath));
  ui_->bandOnlyCheck->setChecked(settings_.bandOnly);
  ShowDateTime(ui_->bandStartEdit, settings_.bandStart, fallback.bandStart);
  ShowDateTime(ui_->bandEndEdit, settings_.bandEnd, fallback.bandEnd);
  ui_->contentOnlyCheck->setChecked(settings_.contentOnly);
  ui_->contentTextEdit->setText(FromCp932(settings_.contentText));
  ui_->exactMatchCheck->setChecked(settings_.exactMatch);
  ui_->ignoreCaseWidthCheck->setChecked(settings_.ignoreCaseWidth);
  ui_->noOverlapCheck->setChecked(settings_.noOverlap);
  ui_->noTentativeCheck->setChecked(settings_.noTentative);
  ShowIndex(ui_->formatCombo, settings_.durationFormat);
}

void CTallyDlg::ReadControls() {
  settings_.groupPath = QStringToPath(ui_->groupPathEdit->text());
  settings_.everyone = ui_->everyoneCheck->isChecked();
  settings_.selectedKeys = SelectedKeys();
  settings_.firstDate = FromQDateTime(ui_->firstDateEdit->dateTime());
  settings_.lastDate = FromQDateTime(ui_->lastDateEdit->dateTime());
  settings_.mode = ui_->modeCombo->currentIndex();
  settings_.typeFilePath = QStringToPath(ui_->typeFileEdit->text());
  settings_.bandOnly = ui_->bandOnlyCheck->isChecked();
  settings_.bandStart = FromQDateTime(ui_->bandStartEdit->dateTime());
  settings_.bandEnd = FromQDateTime(ui_->bandEndEdit->dateTime());
  settings_.contentOnly = ui_->contentOnlyCheck->isChecked();
  settings_.contentText = ToCp932(ui_->contentTextEdit->text());
  settings_.exactMatch = ui_->exactMatchCheck->isChecked();
  settings_.ignoreCaseWidth = ui_->ignoreCaseWidthCheck->isChecked();
  settings_.noOverlap = ui_->noOverlapCheck->isChecked();
  settings_.noTentative = ui_->noTentativeCheck->isChecked();
  settings_.durationFormat = ui_->formatCombo->currentIndex();
  settings_.outputPath.clear();
  // Only the window's own result shows a breakdown; the classic reports have none.
  settings_.breakdownUnit.reset();
}

std::vector<std::string> CTallyDlg::SelectedKeys() const {
  std::vector<std::string> keys;
  const int count = ui_->memberList->count();
  for (int i = 0; i < count && i < static_cast<int>(memberKeys_.size()); ++i) {
    if (ui_->memberList->item(i)->isSelected()) keys.push_back(memberKeys_[static_cast<std::size_t>(i)]);
  }
  return keys;
}

void CTallyDlg::ApplyEnablingRules(int mode) {
  const bool contentOnly = ui_->contentOnlyCheck->isChecked();
  ui_->contentTextEdit->setEnabled(contentOnly);
  ui_->exactMatchCheck->setEnabled(contentOnly);

  const bool bandOnly = ui_->bandOnlyCheck->isChecked();
  ui_->bandStartEdit->setEnabled(bandOnly);
  ui_->bandEndEdit->setEnabled(bandOnly);
  ui_->bandTildeLabel->setEnabled(bandOnly);

  const bool typeMode = mode == kModeType;
  ui_->typeFileLabel->setVisible(typeMode);
  ui_->typeFileEdit->setVisible(typeMode);
  ui_->typeFileButton->setVisible(typeMode);

  ui_->noOverlapCheck->setEnabled(mode == kModeTotal);
  // Disabled, the list keeps its selection for when the box is cleared again.
  ui_->memberList->setEnabled(!ui_->everyoneCheck->isChecked());
}

void CTallyDlg::ModeChanged() {
  const int index = ui_->modeCombo->currentIndex();
  if (index < 0) {
    ShowDebugMessage(kUnexpectedError);
  } else {
    ApplyEnablingRules(index);
  }
  settings_.mode = index;
}

void CTallyDlg::ChooseGroup() {
  const auto path = files_.OpenGroup(this, GroupFolder(QStringToPath(ui_->groupPathEdit->text())));
  if (path) OpenGroup(*path);
}

bool CTallyDlg::OpenGroup(const std::filesystem::path& path) {
  memberKeys_.clear();
  ui_->memberList->clear();

  std::vector<std::string> keys;
  std::vector<std::string> names;
  const bool loaded = ListVisibleMembers(context_.group, path, keys, names, *this, log_);
  memberKeys_ = std::move(keys);
  for (const std::string& name : names) ui_->memberList->addItem(FromCp932(name));
  // A group that failed to load is no group: the field shows the hint again,
  // so nothing half-read can be tallied.
  ui_->groupPathEdit->setText(PathToQString(loaded ? path : kHintPath));
  groupLoaded_ = loaded;
  resultPane_->MarkOutOfDate();
  if (loaded) {
    recent_.Add(PathToQString(path));
    ShowRecentGroups();
  }
  return loaded;
}

void CTallyDlg::OpenRecentGroup(const QString& path) {
  if (!QFileInfo::exists(path)) {
    recent_.Remove(path);
    ShowRecentGroups();
  }
  OpenGroup(QStringToPath(path));
}

void CTallyDlg::ShowRecentGroups() {
  // Deleted later: this may run from the triggered signal of one of them.
  for (QAction* old : recentMenu_->actions()) {
    recentMenu_->removeAction(old);
    old->deleteLater();
  }
  const QStringList& paths = recent_.Paths();
  for (int i = 0; i < paths.size(); ++i) {
    QString shown = QDir::toNativeSeparators(paths[i]);
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    QAction* entry = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
    connect(entry, &QAction::triggered, this, [this, path = paths[i]] { OpenRecentGroup(path); });
  }
  recentMenu_->setEnabled(!paths.isEmpty());
}

void CTallyDlg::ShowTypeFileMenu() { typeFileMenu_->exec(QCursor::pos()); }

void CTallyDlg::FindTypeFile() {
  ReadControls();
  const auto candidate = TypeFileCandidate(settings_.groupPath);
  if (!candidate) {
    ShowMessage(kNoGroupFile, MessageKind::kInformation);
    return;
  }
  std::error_code error;
  if (std::filesystem::exists(*candidate, error)) {
    ui_->typeFileEdit->setText(PathToQString(*candidate));
  } else {
    ShowMessage(kNoTypeFileFound, MessageKind::kInformation);
  }
}

void CTallyDlg::ChooseTypeFile() {
  const auto path = files_.OpenTypeFile(this, GroupFolder(QStringToPath(ui_->groupPathEdit->text())));
  if (path) ui_->typeFileEdit->setText(PathToQString(*path));
}

bool CTallyDlg::GroupLoaded() {
  // Without a group a run would write and open a report of nothing.
  if (!groupLoaded_) ShowMessage(kNoGroupFile, MessageKind::kInformation);
  return groupLoaded_;
}

void CTallyDlg::RunHtml() {
  ReadControls();
  if (!GroupLoaded()) return;
  documentOpened_ = false;
  if (Run(settings_, context_, app_, store_, *this) == RunOutcome::kDone) {
    ShowWritten(app_.htmlReportPath, documentOpened_);
  }
}

void CTallyDlg::RunCsv() {
  ReadControls();
  if (!GroupLoaded()) return;
  const QString proposed = ProposedReportName(settings_.groupPath, ui_->firstDateEdit->date(),
                                              ui_->lastDateEdit->date(), QStringLiteral("csv"));
  const auto path = files_.SaveCsv(this, GroupFolder(settings_.groupPath), proposed);
  if (!path) return;
  settings_.outputPath = *path;
  if (Run(settings_, context_, app_, store_, *this) == RunOutcome::kDone) ShowWritten(*path, true);
}

void CTallyDlg::RunTally() {
  ReadControls();
  if (!GroupLoaded()) return;
  Tally();
}

bool CTallyDlg::Tally() {
  settings_.breakdownUnit = resultPane_->Breakdown();
  auto result = std::make_shared<TallyResult>();
  if (TallyRun(settings_, context_, app_, store_, *this, *result) != RunOutcome::kDone) return false;
  SetProgress(90);
  resultPane_->ShowResult(std::move(result));
  SetProgress(0);
  return true;
}

void CTallyDlg::Export(const ExportFormat& format) {
  if (format.formatter == nullptr) {
    RunCsv();
    return;
  }
  const bool tallyFirst = !resultPane_->Result() || resultPane_->OutOfDate();
  if (tallyFirst) {
    ReadControls();
    if (!GroupLoaded()) return;
  }
  const TallySettings& run = tallyFirst ? settings_ : resultPane_->Result()->settings;
  const QString proposed = ProposedReportName(run.groupPath, ToQDateTime(run.firstDate).date(),
                                              ToQDateTime(run.lastDate).date(), format.extension);
  const auto path = files_.SaveReport(this, GroupFolder(run.groupPath), proposed, format.filter,
                                      format.extension);
  if (!path) return;
  // Refused before the run, which would save the options.
  if (tallyFirst && (!ReportTargetAllowed(settings_, *path, *this) || !Tally())) return;
  const TallyResult& result = *resultPane_->Result();
  if (format.refusal != nullptr) {
    if (const auto message = format.refusal(result, *path)) {
      ShowMessage(*message, MessageKind::kExclamation);
      return;
    }
  }
  if (ExportResult(*format.formatter, result, *path, *this)) ShowWritten(*path, true);
}

void CTallyDlg::WatchOptions() {
  QWidget* form = ui_->groupPathEdit->parentWidget();
  const auto outOfDate = [this] { resultPane_->MarkOutOfDate(); };
  for (QAbstractButton* button : form->findChildren<QAbstractButton*>()) {
    if (button->isCheckable()) connect(button, &QAbstractButton::toggled, this, outOfDate);
  }
  for (QComboBox* list : form->findChildren<QComboBox*>()) {
    connect(list, &QComboBox::currentIndexChanged, this, outOfDate);
  }
  for (QDateTimeEdit* picker : form->findChildren<QDateTimeEdit*>()) {
    connect(picker, &QDateTimeEdit::dateTimeChanged, this, outOfDate);
  }
  for (QLineEdit* field : form->findChildren<QLineEdit*>()) {
    connect(field, &QLineEdit::textChanged, this, outOfDate);
  }
  connect(ui_->memberList, &QListWidget::itemSelectionChanged, this, outOfDate);
  connect(resultPane_, &ResultPane::BreakdownChosen, this, outOfDate);
}

void CTallyDlg::ShowWritten(const std::filesystem::path& path, bool openedInBrowser) {
  lastWritten_ = path;
  const QString where = QDir::toNativeSeparators(PathToQString(path));
  const QString text = openedInBrowser
                           ? QStringLiteral("集計結果を %1 に書き出しました。")
                           : QStringLiteral("集計結果を %1 に書き出しましたが、ブラウザーで開けませんでした。");
  statusLabel_->setText(clock_().toString(QStringLiteral("HH:mm ")) + text.arg(where));
  statusLabel_->setToolTip(where);
  openFolderButton_->show();
}

void CTallyDlg::OpenReportFolder() {
  const QString folder = PathToQString(lastWritten_.parent_path());
  if (!OpenWithDesktop(QUrl::fromLocalFile(folder))) {
    statusBar()->showMessage(QStringLiteral("フォルダー %1 を開けませんでした。").arg(QDir::toNativeSeparators(folder)),
                             10000);
  }
}

void CTallyDlg::ShowAbout() {
  AboutDialog about(this);
  about.exec();
}

void CTallyDlg::ShowMessage(const std::string& text, MessageKind kind) {
  QMessageBox::Icon icon = QMessageBox::Warning;
  if (kind == MessageKind::kInformation) icon = QMessageBox::Information;
  if (kind == MessageKind::kError) icon = QMessageBox::Critical;
  QMessageBox box(icon, kTitle, FromCp932(text), QMessageBox::Ok, this);
  OrdinaryPointerWhileAsking pointer;
  box.exec();
}

void CTallyDlg::ShowDebugMessage(const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Debug"), FromCp932(text), QMessageBox::Ok);
  OrdinaryPointerWhileAsking pointer;
  box.exec();
}

void CTallyDlg::BeginBusy() { QApplication::setOverrideCursor(Qt::WaitCursor); }

void CTallyDlg::EndBusy() { QApplication::restoreOverrideCursor(); }

void CTallyDlg::SetProgress(int position) {
  // The run holds the event loop: paint now, not when the run is over.
  ui_->progressBar->setValue(position);
  ui_->progressBar->repaint();
}

bool CTallyDlg::OpenDocument(const std::filesystem::path& path) {
  documentOpened_ = OpenWithDesktop(QUrl::fromLocalFile(PathToQString(path)));
  return documentOpened_;
}

bool CTallyDlg::OpenWithDesktop(const QUrl& url) { return QDesktopServices::openUrl(url); }

void CTallyDlg::dragEnterEvent(QDragEnterEvent* event) {
  if (DroppedGroupFile(event->mimeData())) event->acceptProposedAction();
}

void CTallyDlg::dragMoveEvent(QDragMoveEvent* event) {
  if (DroppedGroupFile(event->mimeData())) event->acceptProposedAction();
}

void CTallyDlg::dropEvent(QDropEvent* event) {
  const auto path = DroppedGroupFile(event->mimeData());
  if (!path) return;
  event->acceptProposedAction();
  // Opened once the drop is over: a message box inside it would hold the
  // program the file came from until the box is answered.
  QTimer::singleShot(0, this, [this, group = *path] { OpenGroup(group); });
}

bool CTallyDlg::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
      if (DroppedGroupFile(static_cast<QDragMoveEvent*>(event)->mimeData())) {
        static_cast<QDragMoveEvent*>(event)->acceptProposedAction();
        return true;
      }
      break;
    case QEvent::Drop:
      if (DroppedGroupFile(static_cast<QDropEvent*>(event)->mimeData())) {
        dropEvent(static_cast<QDropEvent*>(event));
        return true;
      }
      break;
    default:
      break;
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace tallyer
