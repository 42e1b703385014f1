#pragma once

#include <QWidget>
#include <memory>
#include <optional>
#include <string>

#include "tally/tally_result.h"

class QComboBox;
class QLabel;
class QScrollArea;
class QSplitter;
class QStackedWidget;
class QSvgWidget;
class QTableView;

namespace tallyer {

class BreakdownTableModel;
class ResultTableModel;
class WindowSettings;

// The result pane beside the options: the run's group, period and options, the
// result table, the member chart beside it and, with a 内訳 chosen, the table
// of members by period. Until the first result it shows a hint; once options
// change it keeps the result and says above it that it is out of date.
class ResultPane : public QWidget {
  Q_OBJECT

 public:
  ResultPane(WindowSettings& settings, QWidget* parent = nullptr);
  ~ResultPane() override;

  // Shows a new result, sorted as the table was, no longer out of date.
  void ShowResult(std::shared_ptr<const TallyResult> result);
  const std::shared_ptr<const TallyResult>& Result() const { return result_; }
  // The shown result no longer answers the options; nothing without a result.
  void MarkOutOfDate();
  bool OutOfDate() const { return outOfDate_; }

  // The 内訳 chosen for the next run.
  std::optional<PeriodUnit> Breakdown() const;

  // The table as tab-separated text in the current sort order (UTF-8).
  std::string TableText() const;
  // Puts TableText() on the clipboard.
  void CopyTable();

  ResultTableModel& Table() { return *table_; }
  BreakdownTableModel& BreakdownTable() { return *breakdownTable_; }

 signals:
  // The user chose another 内訳.
  void BreakdownChosen();

 private:
  void ShowChart();
  void FitBreakdownColumns();
  void FitChart();
  bool eventFilter(QObject* watched, QEvent* event) override;

  WindowSettings& settings_;
  std::shared_ptr<const TallyResult> result_;
  bool outOfDate_ = false;
  ResultTableModel* table_;
  BreakdownTableModel* breakdownTable_;
  QLabel* hint_;
  QLabel* caption_;
  QLabel* outOfDateLine_;
  QComboBox* breakdownChoice_;
  QTableView* tableView_;
  QSplitter* tableAndChart_;
  QStackedWidget* chartStack_;
  QScrollArea* chartArea_;
  QLabel* chartNote_;
  QSvgWidget* chart_;
  QTableView* breakdownView_;
  QSplitter* results_;
};

}  // namespace tallyer
