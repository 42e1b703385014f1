#pragma once

#include <filesystem>
#include <string>

namespace tallyer {

// How a message is shown: the icon of its box.
enum class MessageKind { kExclamation, kInformation, kError };

// Something a reader, the engine or the report writer met that the user is to
// be told of. Only the run driver and the front ends tell it; the code that
// finds it returns it.
struct Problem {
  std::string message;  // the text the user sees, CP932
  MessageKind kind = MessageKind::kExclamation;
  std::filesystem::path file;  // the file concerned; empty when none
  int cause = 0;               // the FileError cause behind it, 0 when none
  // When not empty, the diagnostic log gets this text followed by the cause,
  // before the message is shown.
  std::string logText;
};

}  // namespace tallyer
