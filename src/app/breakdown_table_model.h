#pragma once

#include <QAbstractTableModel>
#include <memory>
#include <vector>

#include "tally/tally_result.h"

namespace tallyer {

// The breakdown by period of a result: members down (in the order the result
// table lists them), then a totals row; メンバー, one column per unit (its
// label as heading) and 合計 across. Cells show the minutes in the run's
// duration form; empty without a breakdown.
class BreakdownTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // The cell's minutes and count (qlonglong) beside its text.
  static constexpr int kMinutesRole = Qt::UserRole;
  static constexpr int kCountRole = Qt::UserRole + 1;

  explicit BreakdownTableModel(QObject* parent = nullptr);

  void SetResult(std::shared_ptr<const TallyResult> result);
  // The members' order, indexes into the result's members.
  void SetMemberOrder(const std::vector<std::size_t>& order);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

 private:
  const PeriodBreakdown* Breakdown() const;
  TallyFigures Cell(int row, int unit) const;

  std::shared_ptr<const TallyResult> result_;
  std::vector<std::size_t> order_;
};

}  // namespace tallyer
