#include "run/result_export.h"

#include "run/protected_files.h"

namespace tallyer {

bool ReportTargetAllowed(const TallySettings& settings, const std::filesystem::path& target,
                         UiServices& ui) {
  if (!ProtectedFiles(settings.groupPath, settings.typeFilePath).Protects(target)) return true;
  ui.ShowMessage(ProtectedTargetMessage(target), MessageKind::kExclamation);
  return false;
}

bool ExportResult(const Formatter& formatter, const TallyResult& result,
                  const std::filesystem::path& target, UiServices& ui) {
  if (!ReportTargetAllowed(result.settings, target, ui)) return false;
  const std::optional<Problem> problem = WriteReport(formatter, result, target);
  if (problem) ui.ShowMessage(problem->message, problem->kind);
  return !problem;
}

}  // namespace tallyer
