#pragma once

#include <string>
#include <vector>

#include "run/ui_services.h"

namespace tallyer::testing {

// Records what the core shows instead of showing it.
class RecordingUi : public UiServices {
 public:
  struct Message {
    std::string text;  // CP932
    MessageKind kind;
  };

  void ShowMessage(const std::string& text, MessageKind kind) override {
    messages.push_back({text, kind});
  }
  void ShowDebugMessage(const std::string& text) override { debugMessages.push_back(text); }
  void BeginBusy() override { ++busyDepth; ++busyCount; }
  void EndBusy() override { --busyDepth; }

  std::vector<Message> messages;
  std::vector<std::string> debugMessages;
  int busyDepth = 0;  // 0 again once every busy cursor has ended
  int busyCount = 0;
};

}  // namespace tallyer::testing
