#pragma once

#include <QString>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tally/tally_result.h"

namespace tallyer {

class Formatter;

// The items of ファイル > 書き出し: what each writes and how its save dialog
// asks. The classic CSV has no formatter here: its item is CSV書き出し.
struct ExportFormat {
  QString menuText;
  QString objectName;  // of the menu item
  QString filter;      // the save dialog's file type
  QString extension;   // proposed, and added to a name typed without one
  const Formatter* formatter = nullptr;  // null: the classic CSV
  // What the user is told (CP932) when the format cannot hold the result; null: it always can.
  std::optional<std::string> (*refusal)(const TallyResult& result, const std::filesystem::path& target) = nullptr;
};

const std::vector<ExportFormat>& ExportFormats();

}  // namespace tallyer
