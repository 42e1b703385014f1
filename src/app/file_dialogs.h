#pragma once

#include <QString>
#include <filesystem>
#include <optional>

class QWidget;

namespace tallyer {

// The file choosers of the main window; none when the user cancels. Each
// starts in `folder` (the current group's), or where Qt chooses when it is
// empty. Tests answer them without showing a dialog.
class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  virtual std::optional<std::filesystem::path> OpenGroup(QWidget* parent,
                                                         const std::filesystem::path& folder) = 0;
  virtual std::optional<std::filesystem::path> OpenTypeFile(QWidget* parent,
                                                            const std::filesystem::path& folder) = 0;
  // Proposes `proposedName`, adds ".csv" to a name typed without extension and
  // asks before an existing file is replaced.
  virtual std::optional<std::filesystem::path> SaveCsv(QWidget* parent,
                                                       const std::filesystem::path& folder,
                                                       const QString& proposedName) = 0;
  // The same for the other reports: files of the type `filter` (e.g.
  // "HTML ファイル (*.html)"), `extension` added to a name typed without one.
  virtual std::optional<std::filesystem::path> SaveReport(QWidget* parent,
                                                          const std::filesystem::path& folder,
                                                          const QString& proposedName,
                                                          const QString& filter,
                                                          const QString& extension) = 0;
};

// The choosers shown with QFileDialog.
class QtFileDialogs : public FileDialogs {
 public:
  std::optional<std::filesystem::path> OpenGroup(QWidget* parent,
                                                 const std::filesystem::path& folder) override;
  std::optional<std::filesystem::path> OpenTypeFile(QWidget* parent,
                                                    const std::filesystem::path& folder) override;
  std::optional<std::filesystem::path> SaveCsv(QWidget* parent, const std::filesystem::path& folder,
                                               const QString& proposedName) override;
  std::optional<std::filesystem::path> SaveReport(QWidget* parent, const std::filesystem::path& folder,
                                                  const QString& proposedName, const QString& filter,
                                                  const QString& extension) override;
};

}  // namespace tallyer
