#include "cli/terminal_host.h"

#include <ostream>

#include "data/cp932.h"

namespace tallyer::cli {

void TerminalHost::ShowMessage(const std::string& text, MessageKind kind) {
  if (kind == MessageKind::kInformation && quietInformation_) return;
  err_ << "tallyer-cli: " << Cp932ToUtf8(text) << "\n";
  err_.flush();
}

void TerminalHost::ShowDebugMessage(const std::string& text) {
  err_ << "tallyer-cli: Debug: " << Cp932ToUtf8(text) << "\n";
  err_.flush();
}

}  // namespace tallyer::cli
