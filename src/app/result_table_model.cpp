#include "app/result_table_model.h"

#include <QBrush>
#include <QCollator>
#include <QColor>
#include <QFont>
#include <algorithm>
#include <utility>

#include "app/qt_text.h"
#include "report/duration_text.h"
#include "report/rgb_color.h"
#include "report/summary_charts.h"

namespace tallyer {
namespace {

QColor ToQColor(Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

// One line per cell: the row height stays that of the other rows.
QString OneLine(QString text) {
  for (QChar& c : text) {
    if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QLatin1Char('\t')) c = QLatin1Char(' ');
  }
  return text;
}

QString Duration(long long minutes, int durationFormat) {
  return FromCp932(FormatDuration(minutes, durationFormat));
}

}  // namespace

ResultTableModel::ResultTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void ResultTableModel::SetResult(std::shared_ptr<const TallyResult> result) {
  beginResetModel();
  result_ = std::move(result);
  names_.clear();
  order_.clear();
  if (result_) {
    names_.reserve(static_cast<qsizetype>(result_->members.size()));
    for (const MemberTally& member : result_->members) names_.append(FromCp932(member.name));
    order_.resize(result_->members.size());
    for (std::size_t i = 0; i < order_.size(); ++i) order_[i] = i;
  }
  BuildLines();
  endResetModel();
}

void ResultTableModel::BuildLines() {
  lines_.clear();
  if (!result_) return;
  const bool byCategory = result_->settings.mode != kModeTotal;
  memberStart_.assign(order_.size(), 0);
  for (const std::size_t m : order_) {
    memberStart_[m] = static_cast<int>(lines_.size());
    const auto& rows = result_->members[m].rows;
    if (!byCategory || rows.empty()) {
      lines_.push_back({static_cast<int>(m), -1});
      continue;
    }
    for (std::size_t r = 0; r < rows.size(); ++r) lines_.push_back({static_cast<int>(m), static_cast<int>(r)});
  }
  for (std::size_t r = 0; r < result_->teamRows.size(); ++r) lines_.push_back({kTeamRow, static_cast<int>(r)});
  lines_.push_back({kTotalsRow, -1});
}

int ResultTableModel::LineIndex(const Line& line) const {
  const int teamStart = static_cast<int>(lines_.size() - 1 - result_->teamRows.size());
  if (line.member == kTotalsRow) return static_cast<int>(lines_.size()) - 1;
  if (line.member == kTeamRow) return teamStart + line.row;
  return memberStart_[static_cast<std::size_t>(line.member)] + std::max(line.row, 0);
}

ResultTableModel::Column ResultTableModel::ColumnAt(int column) const {
  const bool byCategory = result_ && result_->settings.mode != kModeTotal;
  if (column == 0) return Column::kMember;
  if (byCategory && column == 1) return Column::kCategory;
  return column == (byCategory ? 2 : 1) ? Column::kCount : Column::kTime;
}

int ResultTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

int ResultTableModel::columnCount(const QModelIndex& parent) const {
  if (parent.isValid() || !result_) return 0;
  return result_->settings.mode == kModeTotal ? 3 : 4;
}

const TallyRow* ResultTableModel::RowOf(const Line& line) const {
  if (line.row < 0) return nullptr;
  const auto& rows = line.member == kTeamRow ? result_->teamRows
                                             : result_->members[static_cast<std::size_t>(line.member)].rows;
  return &rows[static_cast<std::size_t>(line.row)];
}

TallyFigures ResultTableModel::FiguresOf(const Line& line) const {
  if (const TallyRow* row = RowOf(line)) return row->figures;
  if (line.member == kTotalsRow) return result_->totals;
  return result_->members[static_cast<std::size_t>(line.member)].figures;
}

QVariant ResultTableModel::CategoryData(const TallyRow& row, int role) const {
  const QString name = QString::fromStdString(CategoryName(*result_, row));
  if (role == Qt::DisplayRole) return OneLine(name);
  if (result_->settings.mode == kModeContent) {
    if (role == Qt::ToolTipRole || role == kFigureRole) return name;
    return {};
  }
  const Rgb rgb = RgbOfStoredColor(row.color);
  switch (role) {
    case Qt::ToolTipRole:
      return result_->settings.mode == kModeType && !row.typeName.empty()
                 ? name + QLatin1Char(' ') + QString::fromStdString(HexText(rgb))
                 : name;
    case Qt::BackgroundRole:
      return QBrush(ToQColor(rgb));
    case Qt::ForegroundRole:
      // Black or white, whichever reads better on the swatch.
      return QBrush(ToQColor(TextColorOn(rgb)));
    case kFigureRole:
      return static_cast<uint>(row.color);
    default:
      return {};
  }
}

QVariant ResultTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || !result_ || index.row() >= static_cast<int>(lines_.size())) return {};
  const Line& line = lines_[static_cast<std::size_t>(index.row())];
  if (role == kMemberRole) return line.member;
  if (role == Qt::FontRole && line.member == kTotalsRow) {
    QFont bold;
    bold.setBold(true);
    return bold;
  }
  const Column column = ColumnAt(index.column());
  const TallyFigures figures = FiguresOf(line);
  switch (column) {
    case Column::kMember: {
      // The name heads its rows; the rows below it belong to it.
      const bool first = index.row() == 0 || lines_[static_cast<std::size_t>(index.row() - 1)].member != line.member;
      QString name;
      if (line.member == kTeamRow) {
        name = QStringLiteral("チーム");
      } else if (line.member == kTotalsRow) {
        name = QStringLiteral("合計");
      } else {
        name = names_[line.member];
      }
      if (role == Qt::DisplayRole) return first ? OneLine(name) : QString();
      if (role == Qt::ToolTipRole && line.member >= 0) {
        const TallyFigures& own = result_->members[static_cast<std::size_t>(line.member)].figures;
        return QStringLiteral("%1：%2（%3件）")
            .arg(name, Duration(own.minutes, result_->settings.durationFormat))
            .arg(own.count);
      }
      return {};
    }
    case Column::kCategory:
      if (const TallyRow* row = RowOf(line)) return CategoryData(*row, role);
      return {};
    case Column::kCount:
    case Column::kTime: {
      const bool count = column == Column::kCount;
      if (role == Qt::DisplayRole) {
        return count ? QString::number(figures.count) : Duration(figures.minutes, result_->settings.durationFormat);
      }
      if (role == kFigureRole) return static_cast<qlonglong>(count ? figures.count : figures.minutes);
      if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
      return {};
    }
  }
  return {};
}

QVariant ResultTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (!result_ || orientation == Qt::Vertical) return QAbstractTableModel::headerData(section, orientation, role);
  if (role == Qt::InitialSortOrderRole) {
    // The largest figures first; names from the start of the alphabet.
    const Column column = ColumnAt(section);
    return column == Column::kCount || column == Column::kTime ? Qt::DescendingOrder : Qt::AscendingOrder;
  }
  if (role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
  switch (ColumnAt(section)) {
    case Column::kMember:
      return QStringLiteral("メンバー");
    case Column::kCategory:
      switch (result_->settings.mode) {
        case kModeColor: return QStringLiteral("色");
        case kModeType: return QStringLiteral("タイプ");
        default: return QStringLiteral("内容");
      }
    case Column::kCount:
      return QStringLiteral("件数");
    case Column::kTime:
      return QStringLiteral("時間");
  }
  return {};
}

void ResultTableModel::sort(int column, Qt::SortOrder order) {
  if (!result_) return;
  const auto& members = result_->members;
  std::vector<std::size_t> sorted(members.size());
  for (std::size_t i = 0; i < sorted.size(); ++i) sorted[i] = i;
  const Column by = column < 0 || column >= columnCount() ? Column::kCategory : ColumnAt(column);
  // Equal members keep report order, whichever way the column is sorted.
  const auto sortBy = [&](auto less) {
    if (order == Qt::AscendingOrder) {
      std::stable_sort(sorted.begin(), sorted.end(), less);
    } else {
      std::stable_sort(sorted.begin(), sorted.end(), [&](std::size_t a, std::size_t b) { return less(b, a); });
    }
  };
  switch (by) {
    case Column::kMember: {
      QCollator collator(QLocale(QLocale::Japanese, QLocale::Japan));
      collator.setNumericMode(true);
      std::vector<QCollatorSortKey> keys;
      keys.reserve(members.size());
      for (const QString& name : names_) keys.push_back(collator.sortKey(name));
      sortBy([&](std::size_t a, std::size_t b) { return keys[a].compare(keys[b]) < 0; });
      break;
    }
    case Column::kCount:
      sortBy([&](std::size_t a, std::size_t b) { return members[a].figures.count < members[b].figures.count; });
      break;
    case Column::kTime:
      sortBy([&](std::size_t a, std::size_t b) { return members[a].figures.minutes < members[b].figures.minutes; });
      break;
    case Column::kCategory:
      break;  // report order
  }
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  const QModelIndexList before = persistentIndexList();
  std::vector<Line> oldLines = lines_;
  order_ = std::move(sorted);
  BuildLines();
  // Persistent indexes (the current cell, the selection) follow their row.
  QModelIndexList after;
  after.reserve(before.size());
  for (const QModelIndex& index : before) {
    after.append(this->index(LineIndex(oldLines[static_cast<std::size_t>(index.row())]), index.column()));
  }
  changePersistentIndexList(before, after);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

}  // namespace tallyer
