#include "app/breakdown_table_model.h"

#include <QFont>

#include "app/qt_text.h"
#include "report/duration_text.h"

namespace tallyer {

BreakdownTableModel::BreakdownTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void BreakdownTableModel::SetResult(std::shared_ptr<const TallyResult> result) {
  beginResetModel();
  result_ = std::move(result);
  order_.clear();
  if (Breakdown() != nullptr) {
    order_.resize(result_->members.size());
    for (std::size_t i = 0; i < order_.size(); ++i) order_[i] = i;
  }
  endResetModel();
}

void BreakdownTableModel::SetMemberOrder(const std::vector<std::size_t>& order) {
  if (Breakdown() == nullptr || order.size() != order_.size()) return;
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  const QModelIndexList before = persistentIndexList();
  std::vector<int> rowOf(order.size());
  for (std::size_t i = 0; i < order_.size(); ++i) rowOf[order_[i]] = static_cast<int>(i);
  std::vector<int> newRowOf(order.size());
  for (std::size_t i = 0; i < order.size(); ++i) newRowOf[order[i]] = static_cast<int>(i);
  QModelIndexList after;
  for (const QModelIndex& index : before) {
    int row = index.row();
    if (row < static_cast<int>(order_.size())) row = newRowOf[order_[static_cast<std::size_t>(row)]];
    after.append(this->index(row, index.column()));
  }
  order_ = order;
  changePersistentIndexList(before, after);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

const PeriodBreakdown* BreakdownTableModel::Breakdown() const {
  return result_ && result_->breakdown ? &*result_->breakdown : nullptr;
}

int BreakdownTableModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || Breakdown() == nullptr) return 0;
  return static_cast<int>(order_.size()) + 1;
}

int BreakdownTableModel::columnCount(const QModelIndex& parent) const {
  if (parent.isValid() || Breakdown() == nullptr) return 0;
  return static_cast<int>(Breakdown()->periods.size()) + 2;
}

// `unit` one past the last: the row's total.
TallyFigures BreakdownTableModel::Cell(int row, int unit) const {
  const PeriodBreakdown& breakdown = *Breakdown();
  const bool totalsRow = row >= static_cast<int>(order_.size());
  const std::size_t member = totalsRow ? 0 : order_[static_cast<std::size_t>(row)];
  if (unit < static_cast<int>(breakdown.periods.size())) {
    const auto& cells = totalsRow ? breakdown.totals : breakdown.memberCells[member];
    const auto u = static_cast<std::size_t>(unit);
    return u < cells.size() ? cells[u] : TallyFigures{};
  }
  return totalsRow ? result_->totals : result_->members[member].figures;
}

QVariant BreakdownTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || Breakdown() == nullptr) return {};
  const bool totalsRow = index.row() >= static_cast<int>(order_.size());
  if (role == Qt::FontRole && totalsRow) {
    QFont bold;
    bold.setBold(true);
    return bold;
  }
  if (index.column() == 0) {
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
    if (totalsRow) return QStringLiteral("合計");
    return FromCp932(result_->members[order_[static_cast<std::size_t>(index.row())]].name);
  }
  const TallyFigures cell = Cell(index.row(), index.column() - 1);
  switch (role) {
    case Qt::DisplayRole:
      return FromCp932(FormatDuration(cell.minutes, result_->settings.durationFormat));
    case Qt::ToolTipRole:
      return QStringLiteral("%1件").arg(cell.count);
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    case kMinutesRole:
      return static_cast<qlonglong>(cell.minutes);
    case kCountRole:
      return static_cast<qlonglong>(cell.count);
    default:
      return {};
  }
}

QVariant BreakdownTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal || Breakdown() == nullptr) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  const auto& periods = Breakdown()->periods;
  if (section == 0) return QStringLiteral("メンバー");
  if (section <= static_cast<int>(periods.size())) {
    return QString::fromStdString(periods[static_cast<std::size_t>(section - 1)].label);
  }
  return QStringLiteral("合計");
}

}  // namespace tallyer
