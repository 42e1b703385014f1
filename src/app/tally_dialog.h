#pragma once

#include <QDateTime>
#include <QMainWindow>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/recent_groups.h"

#include "run/run_host.h"
#include "run/app_values.h"
#include "tally/tally_context.h"

class QLabel;
class QMenu;
class QToolButton;
class QUrl;

namespace Ui {
class OptionsForm;
}

namespace tallyer {

class DiagnosticLog;
class FileDialogs;
class PeriodChooser;
class ResultPane;
struct ExportFormat;
class SettingsStore;
class WindowSettings;

// The program's main window: gathers the options of a run, lists the members
// of the chosen group, finds or picks the type colour file, shows the progress
// of a run and starts the HTML and CSV reports; its status bar tells where the
// last report went. It is also the user interface the core reports to
// (messages, progress, busy cursor, opening the page). Everything runs on the
// GUI thread; a run blocks the window until it ends.
class CTallyDlg : public QMainWindow, public RunHost {
  Q_OBJECT

 public:
  using Clock = std::function<QDateTime()>;

  CTallyDlg(AppValues& app, SettingsStore& store, WindowSettings& windowSettings,
            FileDialogs& files, DiagnosticLog& log, QWidget* parent = nullptr);
  ~CTallyDlg() override;

  // The local time; tests fix it.
  void SetClock(Clock clock) { clock_ = std::move(clock); }

  // Restores the stored options and the window's size and place into the
  // window; `now` gives the default period.
  void Start(const QDateTime& now);
  // After the window is shown: opens the group named by the first argument
  // after the program's name, else the last group that loaded, if it is still there.
  void OpenStartGroup(const QStringList& arguments);
  // Stores the window's size and place.
  void SaveWindowState();

  // Reads the group into the member list; true when it loaded. A group that
  // loads becomes the first of the recent groups; one that does not leaves no
  // group loaded.
  bool OpenGroup(const std::filesystem::path& path);

  // The operations behind the controls.
  void ModeChanged();
  void ChooseGroup();
  void OpenRecentGroup(const QString& path);
  void FindTypeFile();
  void ChooseTypeFile();
  void RunHtml();
  void RunCsv();
  // 集計: the run without a report, its result shown in the result pane.
  void RunTally();
  // ファイル > 書き出し: the result shown (tallied first when there is none or
  // it is out of date) written to a file the user chooses.
  void Export(const ExportFormat& format);
  void ShowAbout();

  // RunHost.
  void ShowMessage(const std::string& text, MessageKind kind) override;
  void ShowDebugMessage(const std::string& text) override;
  void BeginBusy() override;
  void EndBusy() override;
  void SetProgress(int position) override;
  bool OpenDocument(const std::filesystem::path& path) override;

  // The options as last read from (or shown in) the controls.
  const TallySettings& Settings() const { return settings_; }
  // One key per entry of the member list, in the same order.
  const std::vector<std::string>& MemberKeys() const { return memberKeys_; }
  TallyContext& Context() { return context_; }
  const RecentGroups& Recent() const { return recent_; }
  PeriodChooser& Period() { return *periodChooser_; }
  ResultPane& Results() { return *resultPane_; }

 protected:
  // Hands a file or folder to the desktop (the browser, the file manager);
  // false when nothing could take it.
  virtual bool OpenWithDesktop(const QUrl& url);

  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenus();
  void BuildStatusBar();
  void ShowRecentGroups();
  void ShowWritten(const std::filesystem::path& path, bool openedInBrowser);
  void OpenReportFolder();
  void ShowSettings(const TallySettings& fallback);
  void ReadControls();
  void ApplyEnablingRules(int mode);
  void ShowTypeFileMenu();
  std::vector<std::string> SelectedKeys() const;
  // Tells the user when no group is loaded; true when one is.
  bool GroupLoaded();
  // Tallies with the settings read from the controls and shows the result;
  // false when the run refused.
  bool Tally();
  // Marks the shown result out of date whenever an option changes.
  void WatchOptions();

  std::unique_ptr<Ui::OptionsForm> ui_;
  ResultPane* resultPane_;
  QMenu* typeFileMenu_;
  QMenu* recentMenu_ = nullptr;
  QLabel* statusLabel_ = nullptr;
  QToolButton* openFolderButton_ = nullptr;
  AppValues& app_;
  SettingsStore& store_;
  WindowSettings& windowSettings_;
  FileDialogs& files_;
  DiagnosticLog& log_;
  Clock clock_;
  RecentGroups recent_;
  PeriodChooser* periodChooser_ = nullptr;
  std::filesystem::path lastWritten_;
  bool documentOpened_ = false;
  TallyContext context_;
  TallySettings settings_;
  std::vector<std::string> memberKeys_;
  bool groupLoaded_ = false;
};

}  // namespace tallyer
