#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>

#include "run/run_host.h"

namespace tallyer::cli {

// The command line's user interface: messages go to the error stream in UTF-8,
// one line each; there is no progress display and no desktop to open files.
class TerminalHost : public RunHost {
 public:
  explicit TerminalHost(std::ostream& err) : err_(err) {}

  void ShowMessage(const std::string& text, MessageKind kind) override;
  void ShowDebugMessage(const std::string& text) override;
  void SetProgress(int) override {}
  // Nothing to open on a terminal, and nothing that failed.
  bool OpenDocument(const std::filesystem::path&) override { return true; }

  // Information messages ("出力しました。") would name a report the user never
  // asked for while the report goes to a temporary file; they are dropped then.
  void SetQuietInformation(bool quiet) { quietInformation_ = quiet; }

 private:
  std::ostream& err_;
  bool quietInformation_ = false;
};

}  // namespace tallyer::cli
