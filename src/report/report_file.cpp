#include "report/report_file.h"

#include "data/cp932.h"
#include "data/file_error.h"
#include "report/report_file_platform.h"

namespace tallyer {
namespace {

std::string Cp932Path(const std::filesystem::path& path) {
  const std::u8string utf8 = path.u8string();
  return Utf8ToCp932(std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size()));
}

}  // namespace

std::string ReportFileErrorMessage(int cause, const std::filesystem::path& path) {
  const char* text = nullptr;
  switch (cause) {
    case kCauseFileNotFound: text = "%1 が見つかりませんでした。"; break;
    case kCauseBadPath: text = "%1 には無効なﾊﾟｽが含まれています。"; break;
    case kCauseTooManyOpenFiles: text = "開いているﾌｧｲﾙが多すぎるため、%1 を開けませんでした。"; break;
    case kCauseAccessDenied: text = "%1 へのｱｸｾｽは拒否されました。"; break;
    case kCauseInvalidFile: text = "%1 へ無効なﾌｧｲﾙ ﾊﾝﾄﾞﾙが関連付けられていました。"; break;
    case kCauseDirectoryFull: text = "%1 を作成できませんでした。そのﾃﾞｨﾚｸﾄﾘはいっぱいです。"; break;
    case kCauseHardIO: text = "%1 へのｱｸｾｽ中にﾊｰﾄﾞｳｪｱ I/O ｴﾗｰが報告されました。"; break;
    case kCauseSharingViolation: text = "%1 へのｱｸｾｽ中に共有違反が発生しました。"; break;
    case kCauseLockViolation: text = "%1 へのｱｸｾｽ中にﾛｯｸ違反が発生しました。"; break;
    case kCauseDiskFull: text = "%1 へのｱｸｾｽ中にﾃﾞｨｽｸがいっぱいになりました。"; break;
    default: text = "%1 へのｱｸｾｽ中に不明なｴﾗｰが発生しました。"; break;
  }
  std::string message = Utf8ToCp932(text);
  const std::size_t at = message.find("%1");
  message.replace(at, 2, Cp932Path(path));
  return message;
}

std::optional<Problem> WriteReportFile(const std::filesystem::path& target, const ReportContent& content) {
  const int cause = platform::WriteReportFile(target, content);
  if (cause == kCauseNone) return std::nullopt;
  return Problem{ReportFileErrorMessage(cause, target), MessageKind::kExclamation, target, cause, {}};
}

}  // namespace tallyer
