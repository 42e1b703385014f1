#include "app/export_formats.h"

#include "report/json_report.h"
#include "report/summary_page_formatter.h"
#include "report/workbook_formatter.h"

namespace tallyer {

const std::vector<ExportFormat>& ExportFormats() {
  static const SummaryPageFormatter summary;
  static const WorkbookFormatter workbook;
  static const JsonFormatter json;
  static const std::vector<ExportFormat> formats = {
      {QStringLiteral("サマリーレポート (HTML)(&S)..."), QStringLiteral("exportSummaryAction"),
       QStringLiteral("HTML ファイル (*.html)"), QStringLiteral("html"), &summary, nullptr},
      {QStringLiteral("Excel(&E)..."), QStringLiteral("exportWorkbookAction"), QStringLiteral("Excel ブック (*.xlsx)"),
       QStringLiteral("xlsx"), &workbook, &WorkbookTooLongMessage},
      {QStringLiteral("JSON(&J)..."), QStringLiteral("exportJsonAction"), QStringLiteral("JSON ファイル (*.json)"),
       QStringLiteral("json"), &json, nullptr},
      {QStringLiteral("CSV (従来形式)(&C)..."), QStringLiteral("exportCsvAction"),
       QStringLiteral("コンマ区切りファイル (*.csv)"), QStringLiteral("csv"), nullptr, nullptr},
  };
  return formats;
}

}  // namespace tallyer
