#pragma once

#include <string>

#include "data/problem.h"

namespace tallyer {

// What the core needs from the user interface outside a run: message boxes,
// the "Debug" box and the busy cursor. Texts are CP932. The desktop program
// implements it with Qt, the command line with the terminal.
class UiServices {
 public:
  virtual ~UiServices() = default;
  // A modal message with an OK button, captioned with the application title.
  virtual void ShowMessage(const std::string& text, MessageKind kind) = 0;
  // A modal message captioned "Debug", without icon and owner window.
  virtual void ShowDebugMessage(const std::string& text) = 0;
  // The wait cursor, shown from BeginBusy to the matching EndBusy (they nest).
  virtual void BeginBusy() {}
  virtual void EndBusy() {}
};

// Shows the busy cursor for the lifetime of the object.
class BusyCursor {
 public:
  explicit BusyCursor(UiServices& ui) : ui_(ui) { ui_.BeginBusy(); }
  ~BusyCursor() { ui_.EndBusy(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  UiServices& ui_;
};

// Silently drops everything; for callers that have no user to tell.
class NullUiServices : public UiServices {
 public:
  void ShowMessage(const std::string&, MessageKind) override {}
  void ShowDebugMessage(const std::string&) override {}
};

}  // namespace tallyer
