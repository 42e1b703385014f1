#include "report/xlsx_workbook.h"

#include <xlsxwriter.h>

#include <cerrno>
#include <optional>

#include "data/cp932.h"
#include "data/file_error.h"
#include "report/cell_text.h"
#include "report/duration_text.h"
#include "report/rgb_color.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace tallyer {
namespace {

constexpr double kMinutesPerDay = 1440.0;
constexpr const char* kDurationFormat = "[h]:mm";
// Room for the filter button of a column heading.
constexpr int kFilterButtonWidth = 2;
constexpr std::size_t kMeasuredBytes = 1024;

#ifdef _WIN32
// The text in the ANSI code page, or none when the page cannot spell it.
std::optional<std::string> AnsiText(const std::wstring& wide) {
  if (wide.empty()) return std::string();
  BOOL lost = FALSE;
  const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(),
                                    static_cast<int>(wide.size()), nullptr, 0, nullptr, &lost);
  if (n <= 0 || lost) return std::nullopt;
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                      out.data(), n, nullptr, nullptr);
  return out;
}

// The short (8.3) name of an existing file or folder, in the ANSI code page.
std::optional<std::string> ShortAnsiName(const std::wstring& path) {
  const DWORD n = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (n == 0) return std::nullopt;
  std::wstring shortPath(n, L'\0');
  const DWORD written = GetShortPathNameW(path.c_str(), shortPath.data(), n);
  if (written == 0 || written >= n) return std::nullopt;
  shortPath.resize(written);
  return AnsiText(shortPath);
}
#endif

// The name the library opens the file by. It opens narrow names: the path's
// own bytes on POSIX; on Windows the ANSI code page's, so a name that page
// cannot spell goes by its short name, or its folder's and its own.
std::optional<std::string> LibraryFileName(const std::filesystem::path& path) {
#ifdef _WIN32
  if (auto name = AnsiText(path.native())) return name;
  if (auto name = ShortAnsiName(path.native())) return name;
  const std::wstring folder = path.parent_path().empty() ? L"." : path.parent_path().native();
  auto folderName = ShortAnsiName(folder);
  auto fileName = AnsiText(path.filename().native());
  if (!folderName || !fileName) return std::nullopt;
  return *folderName + "\\" + *fileName;
#else
  return path.native();
#endif
}

int CauseOfLibraryError(lxw_error error, int savedErrno) {
  if (error == LXW_NO_ERROR) return kCauseNone;
  const int cause = FileErrorCauseFromErrno(savedErrno);
  return cause == kCauseNone ? kCauseGeneric : cause;
}

std::string RangeName(const CellRange& range) {
  char name[32];
  lxw_rowcol_to_range(name, static_cast<lxw_row_t>(range.firstRow),
                      static_cast<lxw_col_t>(range.firstColumn),
                      static_cast<lxw_row_t>(range.lastRow),
                      static_cast<lxw_col_t>(range.lastColumn));
  return name;
}

// The library's 0xRRGGBB, where 0 means "no colour".
lxw_color_t LibraryColour(Rgb colour) {
  const lxw_color_t rgb = static_cast<lxw_color_t>(colour.red) << 16 |
                          static_cast<lxw_color_t>(colour.green) << 8 | colour.blue;
  return rgb == 0 ? static_cast<lxw_color_t>(LXW_COLOR_BLACK) : rgb;
}

}  // namespace

void XlsxSheet::Check(int error) {
  if (error != LXW_NO_ERROR && book_->cause_ == kCauseNone) book_->cause_ = kCauseGeneric;
}

void XlsxSheet::Text(int row, int column, std::string_view cp932, CellStyle style) {
  const std::string text = CellText(cp932);
  // Measured as shown, escapes decoded; a column is never wider than this prefix.
  const bool heading = style == CellStyle::kColumnHeading || style == CellStyle::kNumberHeading;
  widths_.Measure(column, Cp932ToUtf8(cp932.substr(0, kMeasuredBytes)),
                  heading ? kFilterButtonWidth : 0);
  if (!sheet_) return;
  if (text.empty()) {
    if (style != CellStyle::kPlain) {
      Check(worksheet_write_blank(sheet_, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(column),
                                  book_->Format(style, false)));
    }
    return;
  }
  Check(worksheet_write_string(sheet_, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(column),
                               text.c_str(), book_->Format(style, false)));
}

void XlsxSheet::LongText(int row, int column, std::string_view cp932, CellStyle style) {
  const std::string text = CellText(cp932);
  if (text.empty() || !sheet_) return;
  Check(worksheet_write_string(sheet_, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(column),
                               text.c_str(), book_->Format(style, false)));
}

void XlsxSheet::Count(int row, int column, long long count, CellStyle style) {
  widths_.Measure(column, std::to_string(count));
  if (!sheet_) return;
  Check(worksheet_write_number(sheet_, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(column),
                               static_cast<double>(count), book_->Format(style, false)));
}

void XlsxSheet::Duration(int row, int column, long long minutes, CellStyle style) {
  // The text "[h]:mm" shows, for the column's width; ASCII in CP932 and UTF-8.
  widths_.Measure(column, FormatDuration(minutes, 1));
  if (!sheet_) return;
  Check(worksheet_write_number(sheet_, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(column),
                               static_cast<double>(minutes) / kMinutesPerDay,
                               book_->Format(style, true)));
}

void XlsxSheet::Colour(int row, int column, std::uint32_t colour) {
  const std::string text = HexText(RgbOfStoredColor(colour));
  widths_.Measure(column, text);
  if (!sheet_) return;
  Check(worksheet_write_string(sheet_, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(column),
                               text.c_str(), book_->FillFormat(colour)));
}

void XlsxSheet::Sum(int row, int column, const CellRange& range, double value,
                    const std::string& shown, lxw_format* format) {
  widths_.Measure(column, shown);
  if (!sheet_) return;
  // A sum over no cells cannot be written with SUM; it is the formula 0.
  const std::string formula = range.Empty() ? "=0" : "=SUM(" + RangeName(range) + ")";
  Check(worksheet_write_formula_num(sheet_, static_cast<lxw_row_t>(row),
                                    static_cast<lxw_col_t>(column), formula.c_str(), format, value));
}

void XlsxSheet::CountSum(int row, int column, const CellRange& range, long long count,
                         CellStyle style) {
  Sum(row, column, range, static_cast<double>(count), std::to_string(count),
      book_->Format(style, false));
}

void XlsxSheet::DurationSum(int row, int column, const CellRange& range, long long minutes,
                            CellStyle style) {
  Sum(row, column, range, static_cast<double>(minutes) / kMinutesPerDay,
      FormatDuration(minutes, 1), book_->Format(style, true));
}

void XlsxSheet::FreezePanes(int row, int column) {
  if (sheet_) {
    worksheet_freeze_panes(sheet_, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(column));
  }
}

void XlsxSheet::AutoFilter(const CellRange& range) {
  if (!sheet_ || range.Empty()) return;
  Check(worksheet_autofilter(sheet_, static_cast<lxw_row_t>(range.firstRow),
                             static_cast<lxw_col_t>(range.firstColumn),
                             static_cast<lxw_row_t>(range.lastRow),
                             static_cast<lxw_col_t>(range.lastColumn)));
}

void XlsxSheet::PrintOnePageWide(bool landscape) {
  if (!sheet_) return;
  if (landscape) worksheet_set_landscape(sheet_);
  worksheet_fit_to_pages(sheet_, 1, 0);
}

XlsxWorkbook::XlsxWorkbook(const std::filesystem::path& path, std::time_t created)
    : cause_(kCauseNone) {
  const std::optional<std::string> name = LibraryFileName(path);
  if (!name) {
    cause_ = kCauseBadPath;
    return;
  }
  // Rows are written in order, so finished rows go to a temporary file
  // instead of memory: a result of a million rows needs no more memory than
  // one of ten.
  lxw_workbook_options options{};
  options.constant_memory = LXW_TRUE;
  book_ = workbook_new_opt(name->c_str(), &options);
  if (!book_) {
    cause_ = kCauseGeneric;
    return;
  }
  lxw_doc_properties properties{};
  // The library takes 0 for "now": the first second of 1970 goes as the next.
  properties.created = created == 0 ? 1 : created;
  workbook_set_properties(book_, &properties);
}

XlsxWorkbook::~XlsxWorkbook() {
  if (book_) lxw_workbook_free(book_);
}

XlsxSheet& XlsxWorkbook::AddSheet(const char* utf8Name) {
  lxw_worksheet* sheet = book_ ? workbook_add_worksheet(book_, utf8Name) : nullptr;
  if (!sheet && cause_ == kCauseNone) cause_ = FileErrorCauseFromErrno(errno);
  if (!sheet && cause_ == kCauseNone) cause_ = kCauseGeneric;
  sheets_.push_back(std::unique_ptr<XlsxSheet>(new XlsxSheet(*this, sheet)));
  return *sheets_.back();
}

lxw_format* XlsxWorkbook::Format(CellStyle style, bool duration) {
  lxw_format*& format = formats_[static_cast<int>(style)][duration ? 1 : 0];
  if (format || !book_) return format;
  format = workbook_add_format(book_);
  switch (style) {
    case CellStyle::kPlain: break;
    case CellStyle::kBold: format_set_bold(format); break;
    case CellStyle::kColumnHeading:
      format_set_bold(format);
      format_set_bottom(format, LXW_BORDER_THIN);
      break;
    case CellStyle::kNumberHeading:
      format_set_bold(format);
      format_set_bottom(format, LXW_BORDER_THIN);
      format_set_align(format, LXW_ALIGN_RIGHT);
      break;
    case CellStyle::kTotal:
      format_set_bold(format);
      format_set_top(format, LXW_BORDER_THIN);
      break;
  }
  if (duration) format_set_num_format(format, kDurationFormat);
  return format;
}

lxw_format* XlsxWorkbook::FillFormat(std::uint32_t colour) {
  const std::optional<std::size_t> slot = palette_.Slot(colour);
  if (!slot || !book_) return nullptr;
  if (*slot < fills_.size()) return fills_[*slot];
  lxw_format* format = workbook_add_format(book_);
  const Rgb background = RgbOfStoredColor(colour);
  format_set_pattern(format, LXW_PATTERN_SOLID);
  format_set_bg_color(format, LibraryColour(background));
  format_set_font_color(format, LibraryColour(TextColorOn(background)));
  fills_.push_back(format);
  return format;
}

int XlsxWorkbook::Close() {
  if (!book_) return cause_ == kCauseNone ? kCauseGeneric : cause_;
  if (cause_ != kCauseNone) return cause_;  // the destructor frees the workbook unwritten
  for (const auto& sheet : sheets_) {
    if (!sheet->sheet_) continue;
    for (int column = 0; column < sheet->widths_.Count(); ++column) {
      const double width = sheet->widths_.Width(column);
      if (width > 0) {
        worksheet_set_column(sheet->sheet_, static_cast<lxw_col_t>(column),
                             static_cast<lxw_col_t>(column), width, nullptr);
      }
    }
  }
  errno = 0;
  const lxw_error error = workbook_close(book_);
  const int savedErrno = errno;
  book_ = nullptr;  // closed and freed, written or not
  return CauseOfLibraryError(error, savedErrno);
}

}  // namespace tallyer
