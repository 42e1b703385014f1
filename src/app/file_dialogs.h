#pragma once

#include <filesystem>
#include <optional>

class QWidget;

namespace tallyer {

// The file choosers of the main dialog; none when the user cancels. Tests
// answer them without showing a dialog.
class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  virtual std::optional<std::filesystem::path> OpenGroup(QWidget* parent) = 0;
  virtual std::optional<std::filesystem::path> OpenTypeFile(QWidget* parent) = 0;
  // Proposes "Schedule.csv" and asks before an existing file is replaced.
  virtual std::optional<std::filesystem::path> SaveCsv(QWidget* parent) = 0;
};

// The choosers shown with QFileDialog.
class QtFileDialogs : public FileDialogs {
 public:
  std::optional<std::filesystem::path> OpenGroup(QWidget* parent) override;
  std::optional<std::filesystem::path> OpenTypeFile(QWidget* parent) override;
  std::optional<std::filesystem::path> SaveCsv(QWidget* parent) override;
};

}  // namespace tallyer
