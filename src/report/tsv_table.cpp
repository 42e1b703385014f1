#include "report/tsv_table.h"

#include <numeric>
#include <string_view>

#include "data/cp932.h"
#include "report/rgb_color.h"

namespace tallyer {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// A spreadsheet pastes a cell that starts with one of these as a formula.
bool StartsLikeAFormula(std::string_view text) {
  return !text.empty() && std::string_view("=+-@").find(text.front()) != std::string_view::npos;
}

// A UTF-8 text as one cell: the separators of cells and lines cannot be in it.
void AppendCell(std::string& tsv, std::string_view utf8) {
  std::string cell(utf8);
  for (char& c : cell) {
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  }
  if (StartsLikeAFormula(cell)) tsv += '\'';
  tsv += cell;
}

void AppendTextCell(std::string& tsv, const std::string& cp932) { AppendCell(tsv, Cp932ToUtf8(cp932)); }

class TsvWriter {
 public:
  explicit TsvWriter(int mode) : mode_(mode) {}

  void Heading() {
    tsv_ += "メンバー";
    if (mode_ == kModeColor || mode_ == kModeType) tsv_ += "\t色";
    if (mode_ == kModeType) tsv_ += "\tタイプ";
    if (mode_ == kModeContent) tsv_ += "\t内容";
    tsv_ += "\t件数\t時間";
    tsv_ += kLineEnd;
  }

  // `row` null: the categories left empty.
  void Line(std::string_view labelUtf8, const TallyRow* row, const TallyFigures& figures) {
    AppendCell(tsv_, labelUtf8);
    if (mode_ == kModeColor || mode_ == kModeType) {
      tsv_ += '\t';
      if (row != nullptr) tsv_ += HexText(RgbOfStoredColor(row->color));
    }
    if (mode_ == kModeType) {
      tsv_ += '\t';
      if (row != nullptr) AppendTextCell(tsv_, row->typeName);
    }
    if (mode_ == kModeContent) {
      tsv_ += '\t';
      if (row != nullptr) AppendTextCell(tsv_, row->content);
    }
    tsv_ += '\t';
    tsv_ += std::to_string(figures.count);
    tsv_ += '\t';
    tsv_ += HoursMinutesText(figures.minutes);
    tsv_ += kLineEnd;
  }

  std::string Take() { return std::move(tsv_); }

 private:
  int mode_;
  std::string tsv_;
};

}  // namespace

std::string HoursMinutesText(long long minutes) {
  const std::string rest = std::to_string(minutes % 60);
  return std::to_string(minutes / 60) + ':' + (rest.size() < 2 ? "0" + rest : rest);
}

std::vector<std::size_t> ReportOrder(const TallyResult& result) {
  std::vector<std::size_t> order(result.members.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  return order;
}

std::string ResultTsv(const TallyResult& result, const std::vector<std::size_t>& memberOrder) {
  const int mode = result.settings.mode;
  TsvWriter tsv(mode);
  tsv.Heading();
  const bool byCategory = mode != kModeTotal;
  for (const std::size_t index : memberOrder) {
    if (index >= result.members.size()) continue;
    const MemberTally& member = result.members[index];
    const std::string name = Cp932ToUtf8(member.name);
    if (!byCategory || member.rows.empty()) {
      tsv.Line(name, nullptr, member.figures);
      continue;
    }
    for (const TallyRow& row : member.rows) tsv.Line(name, &row, row.figures);
  }
  for (const TallyRow& row : result.teamRows) tsv.Line("チーム", &row, row.figures);
  tsv.Line("合計", nullptr, result.totals);
  return tsv.Take();
}

}  // namespace tallyer
