#pragma once

#include <QApplication>
#include <QDateTime>
#include <QTimeZone>
#include <QUrl>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/file_dialogs.h"
#include "app/qt_text.h"
#include "app/tally_dialog.h"
#include "app/window_settings.h"
#include "data/cp932.h"
#include "run/diagnostic_log.h"
#include "run/settings_store.h"
#include "support/temp_dir.h"

namespace tallyer::testing {

// Answers the file choosers as a test has set them up; none means "cancelled".
// Remembers where the last one started and what it proposed.
class ScriptedFileDialogs : public FileDialogs {
 public:
  std::optional<std::filesystem::path> OpenGroup(QWidget*, const std::filesystem::path& folder) override {
    return Answer(folder, {}, group);
  }
  std::optional<std::filesystem::path> OpenTypeFile(QWidget*, const std::filesystem::path& folder) override {
    return Answer(folder, {}, typeFile);
  }
  std::optional<std::filesystem::path> SaveCsv(QWidget*, const std::filesystem::path& folder,
                                               const QString& name) override {
    return Answer(folder, name, csv);
  }
  std::optional<std::filesystem::path> SaveReport(QWidget*, const std::filesystem::path& folder,
                                                  const QString& name, const QString& filter,
                                                  const QString&) override {
    reportFilter = filter;
    return Answer(folder, name, report);
  }

  std::optional<std::filesystem::path> group;
  std::optional<std::filesystem::path> typeFile;
  std::optional<std::filesystem::path> csv;
  std::optional<std::filesystem::path> report;  // every other report
  QString reportFilter;
  int asked = 0;
  std::filesystem::path startFolder;
  QString proposedName;

 private:
  std::optional<std::filesystem::path> Answer(const std::filesystem::path& folder, const QString& name,
                                              const std::optional<std::filesystem::path>& answer) {
    ++asked;
    startFolder = folder;
    proposedName = name;
    return answer;
  }
};

// The main dialog with its message boxes and the desktop recorded instead of
// shown: nothing modal, no browser started.
class RecordingDialog : public CTallyDlg {
 public:
  struct Message {
    std::string text;  // UTF-8, as the user reads it
    MessageKind kind;
  };

  using CTallyDlg::CTallyDlg;

  void ShowMessage(const std::string& text, MessageKind kind) override {
    messages.push_back({Cp932ToUtf8(text), kind});
  }
  void ShowDebugMessage(const std::string& text) override {
    debugMessages.push_back(Cp932ToUtf8(text));
  }
  void SetProgress(int position) override {
    CTallyDlg::SetProgress(position);
    progress.push_back(position);
  }
  // The desktop is asked for nothing; reports and folders are recorded.
  bool OpenWithDesktop(const QUrl& url) override {
    const std::filesystem::path path = QStringToPath(url.toLocalFile());
    if (std::filesystem::is_directory(path)) {
      openedFolders.push_back(path);
    } else {
      opened.push_back(path);
    }
    return desktopOpens;
  }

  std::vector<Message> messages;
  std::vector<std::string> debugMessages;
  std::vector<int> progress;
  std::vector<std::filesystem::path> opened;
  std::vector<std::filesystem::path> openedFolders;
  bool desktopOpens = true;
};

// Everything one dialog needs, kept apart from the user's own files.
struct DialogFixture {
  TempDir dir;
  MemorySettingsStore store;
  MemoryWindowSettings windowSettings;
  AppValues app;
  ScriptedFileDialogs files;
  DiagnosticLog log{dir / "no-such.log"};
  std::unique_ptr<RecordingDialog> dialog;

  DialogFixture() { app.htmlReportPath = dir / "Planwell_Output.html"; }

  RecordingDialog& Open(const QDateTime& now = FixedNow()) {
    dialog = std::make_unique<RecordingDialog>(app, store, windowSettings, files, log);
    dialog->SetClock([now] { return now; });
    dialog->Start(now);
    return *dialog;
  }

  // 15 June 2005, 10:20:30.
  static QDateTime FixedNow() {
    return QDateTime(QDate(2005, 6, 15), QTime(10, 20, 30), QTimeZone::utc());
  }

  template <typename Widget>
  Widget* Find(const char* name) const {
    return dialog->findChild<Widget*>(QString::fromLatin1(name));
  }
};

}  // namespace tallyer::testing
