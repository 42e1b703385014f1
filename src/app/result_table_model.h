#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "tally/tally_result.h"

namespace tallyer {

// The result table of the window: per member its rows in report order (one
// row in mode 1, or for a member without rows), then the team rows and the
// totals row. Columns: メンバー; the category in modes 2 to 4 (the colour
// swatch named by its type or "#rrggbb", or the content); 件数; 時間 in the
// run's duration form. Sorting orders the members by name, count or time
// (the category column: report order), keeping each member's rows together
// and the team and totals rows last. Cells are made when shown, so a result
// of any size stays quick.
class ResultTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // What a cell holds beside its text: the count or the minutes (qlonglong)
  // in the figure columns, the category's key in the category column (the
  // colour 0x00BBGGRR as uint, or the content as UTF-8 text).
  static constexpr int kFigureRole = Qt::UserRole;
  // The row's member: its index in the result (int), -1 for team rows and -2
  // for the totals row.
  static constexpr int kMemberRole = Qt::UserRole + 1;
  static constexpr int kTeamRow = -1;
  static constexpr int kTotalsRow = -2;

  enum class Column { kMember, kCategory, kCount, kTime };

  explicit ResultTableModel(QObject* parent = nullptr);

  // Shows a new result in report order (none: an empty table).
  void SetResult(std::shared_ptr<const TallyResult> result);
  const TallyResult* Result() const { return result_.get(); }

  // The members as the table lists them: indexes into the result's members.
  const std::vector<std::size_t>& MemberOrder() const { return order_; }
  Column ColumnAt(int column) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

 private:
  struct Line {
    int member;  // index into the result's members, kTeamRow or kTotalsRow
    int row;     // index into the member's or the team's rows; -1: none
  };

  void BuildLines();
  // Where a line is in the table now.
  int LineIndex(const Line& line) const;
  const TallyRow* RowOf(const Line& line) const;
  TallyFigures FiguresOf(const Line& line) const;
  QVariant CategoryData(const TallyRow& row, int role) const;

  std::shared_ptr<const TallyResult> result_;
  std::vector<std::size_t> order_;
  std::vector<Line> lines_;
  std::vector<int> memberStart_;  // by member: its first line
  QStringList names_;  // the members' names, converted once
};

}  // namespace tallyer
