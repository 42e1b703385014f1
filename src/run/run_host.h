#pragma once

#include <filesystem>

#include "run/ui_services.h"

namespace tallyer {

// What a run needs from the user interface beyond messages.
class RunHost : public UiServices {
 public:
  // Moves the progress bar (0..100), repainted at once.
  virtual void SetProgress(int position) = 0;
  // Asks the desktop to open the file; false when it reports that it could not.
  virtual bool OpenDocument(const std::filesystem::path& path) = 0;
};

}  // namespace tallyer
