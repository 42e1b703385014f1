#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "run/run_host.h"

namespace tallyer::testing {

// Records what a run shows, where it moves the progress bar and what it asks
// the desktop to open, instead of doing it. `events` keeps all of it in order
// ("progress 10", "message <CP932 text>", "open <path>", "busy", "idle").
class RecordingRunHost : public RunHost {
 public:
  struct Message {
    std::string text;  // CP932
    MessageKind kind;
  };

  void ShowMessage(const std::string& text, MessageKind kind) override {
    messages.push_back({text, kind});
    events.push_back("message " + text);
  }
  void ShowDebugMessage(const std::string& text) override {
    debugMessages.push_back(text);
    events.push_back("debug " + text);
  }
  void SetProgress(int position) override {
    progress.push_back(position);
    events.push_back("progress " + std::to_string(position));
  }
  bool OpenDocument(const std::filesystem::path& path) override {
    opened.push_back(path);
    events.push_back("open " + path.string());
    return openSucceeds;
  }
  void BeginBusy() override {
    ++busyDepth;
    ++busyCount;
    events.push_back("busy");
  }
  void EndBusy() override {
    --busyDepth;
    events.push_back("idle");
  }

  std::vector<Message> messages;
  std::vector<std::string> debugMessages;
  std::vector<int> progress;
  std::vector<std::filesystem::path> opened;
  std::vector<std::string> events;
  int busyDepth = 0;
  bool openSucceeds = true;  // what the desktop answers
  int busyCount = 0;
};

}  // namespace tallyer::testing
