#pragma once

#include <QDialog>
#include <QDateTime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "run/run_host.h"
#include "run/tally_settings.h"
#include "tally/tally_context.h"

class QMenu;

namespace Ui {
class TallyDialog;
}

namespace tallyer {

class DiagnosticLog;
class FileDialogs;
class SettingsStore;

// The program's only window: gathers the options of a run, lists the members
// of the chosen group, finds or picks the type colour file, shows the progress
// of a run and starts the HTML and CSV reports. It is also the user interface
// the core reports to (messages, progress, busy cursor, opening the page).
// Everything runs on the GUI thread; a run blocks the window until it ends.
class CTallyDlg : public QDialog, public RunHost {
  Q_OBJECT

 public:
  CTallyDlg(AppValues& app, SettingsStore& store, FileDialogs& files, DiagnosticLog& log,
            QWidget* parent = nullptr);
  ~CTallyDlg() override;

  // Restores the stored options into the controls; `now` gives the default period.
  void Start(const QDateTime& now);

  // The operations behind the controls.
  void ModeChanged();
  void ChooseGroup();
  void FindTypeFile();
  void ChooseTypeFile();
  void RunHtml();
  void RunCsv();
  void ShowAbout();

  // RunHost.
  void ShowMessage(const std::string& text, MessageKind kind) override;
  void ShowDebugMessage(const std::string& text) override;
  void BeginBusy() override;
  void EndBusy() override;
  void SetProgress(int position) override;
  void OpenDocument(const std::filesystem::path& path) override;

  // The options as last read from (or shown in) the controls.
  const TallySettings& Settings() const { return settings_; }
  // One key per entry of the member list, in the same order.
  const std::vector<std::string>& MemberKeys() const { return memberKeys_; }
  TallyContext& Context() { return context_; }

 private:
  void ShowSettings(const TallySettings& fallback);
  void ReadControls();
  void ApplyEnablingRules(int mode);
  void ShowTypeFileMenu();
  std::vector<std::string> SelectedKeys() const;

  std::unique_ptr<Ui::TallyDialog> ui_;
  QMenu* typeFileMenu_;
  AppValues& app_;
  SettingsStore& store_;
  FileDialogs& files_;
  TallyContext context_;
  TallySettings settings_;
  std::vector<std::string> memberKeys_;
};

}  // namespace tallyer
