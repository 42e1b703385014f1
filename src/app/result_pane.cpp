#include "app/result_pane.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStackedWidget>
#include <QStyle>
#include <QSvgRenderer>
#include <QSvgWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "app/breakdown_choice.h"
#include "app/breakdown_table_model.h"
#include "app/qt_text.h"
#include "app/result_table_model.h"
#include "app/window_settings.h"
#include "report/duration_text.h"
#include "report/option_words.h"
#include "report/summary_charts.h"
#include "report/tsv_table.h"

namespace tallyer {
namespace {

// More bars than this make a chart nobody reads, and one Qt takes seconds to draw.
constexpr std::size_t kMostChartMembers = 200;

QTableView* MakeTable(QAbstractItemModel* model, const QString& name, QWidget* parent) {
  auto* view = new QTableView(parent);
  view->setObjectName(name);
  view->setModel(model);
  view->verticalHeader()->hide();
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setWordWrap(false);
  view->setAlternatingRowColors(true);
  // Rows of one height, so that very long results scroll without measuring.
  view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 8);
  return view;
}

// The group and period, and below them the run's options in words. A line
// longer than a wide window shows (all of many members' names) is cut.
QString Caption(const TallyResult& result) {
  constexpr qsizetype kLongestLine = 300;
  const TallySettings& s = result.settings;
  QStringList options;
  for (const std::string& line : OptionsInWords(result)) options << FromCp932(line);
  QString words = options.join(QStringLiteral("　"));
  if (words.size() > kLongestLine) words = words.left(kLongestLine) + QStringLiteral("…");
  return QStringLiteral("%1　%2 ～ %3\n%4")
      .arg(FromCp932(result.groupName), FromCp932(FormatDateText(s.firstDate, true, true)),
           FromCp932(FormatDateText(s.lastDate, true, true)), words);
}

}  // namespace

ResultPane::ResultPane(WindowSettings& settings, QWidget* parent)
    : QWidget(parent),
      settings_(settings),
      table_(new ResultTableModel(this)),
      breakdownTable_(new BreakdownTableModel(this)) {
  setObjectName(QStringLiteral("resultPane"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);

  auto* top = new QHBoxLayout;
  caption_ = new QLabel(this);
  caption_->setObjectName(QStringLiteral("resultCaption"));
  caption_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  // A long caption is cut rather than widening the window.
  caption_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  top->addWidget(caption_, 1);
  auto* breakdownLabel = new QLabel(QStringLiteral("内訳(&B)："), this);
  breakdownChoice_ = new QComboBox(this);
  breakdownChoice_->setObjectName(QStringLiteral("breakdownCombo"));
  breakdownLabel->setBuddy(breakdownChoice_);
  FillBreakdownChoice(breakdownChoice_);
  ShowBreakdown(breakdownChoice_, StoredBreakdown(settings_));
  top->addWidget(breakdownLabel);
  top->addWidget(breakdownChoice_);
  layout->addLayout(top);

  outOfDateLine_ = new QLabel(
      QStringLiteral("条件が変わりました。表示中の結果は前回の集計のものです。集計 (Ctrl+Shift+Return) で更新します。"), this);
  outOfDateLine_->setObjectName(QStringLiteral("outOfDateLabel"));
  outOfDateLine_->setWordWrap(true);
  outOfDateLine_->setStyleSheet(
      QStringLiteral("QLabel { background: #fff3cd; color: #5c4500; border: 1px solid #e0c060; padding: 3px; }"));
  outOfDateLine_->hide();
  layout->addWidget(outOfDateLine_);

  hint_ = new QLabel(QStringLiteral("メンバーと条件を選んで「集計」(Ctrl+Shift+Return) を押すと、\n"
                                    "結果の表とグラフがここに表示されます。"),
                     this);
  hint_->setObjectName(QStringLiteral("resultHint"));
  hint_->setAlignment(Qt::AlignCenter);
  hint_->setWordWrap(true);
  hint_->setEnabled(false);
  layout->addWidget(hint_, 1);

  auto* results = results_ = new QSplitter(Qt::Vertical, this);
  results->setChildrenCollapsible(false);
  auto* tableAndChart = tableAndChart_ = new QSplitter(Qt::Horizontal, results);
  tableAndChart->setChildrenCollapsible(false);
  tableView_ = MakeTable(table_, QStringLiteral("resultTable"), tableAndChart);
  tableView_->setSortingEnabled(true);
  // No indicator: the members in report order until a heading is clicked.
  tableView_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  chartStack_ = new QStackedWidget(tableAndChart);
  chartArea_ = new QScrollArea(chartStack_);
  chartArea_->setObjectName(QStringLiteral("chartArea"));
  chartArea_->setWidgetResizable(false);
  chartArea_->setBackgroundRole(QPalette::Base);
  chart_ = new QSvgWidget;
  chart_->setObjectName(QStringLiteral("memberChart"));
  chart_->renderer()->setAspectRatioMode(Qt::KeepAspectRatio);
  chartArea_->setWidget(chart_);
  chartArea_->installEventFilter(this);
  tableAndChart->addWidget(tableView_);
  chartNote_ = new QLabel(
      QStringLiteral("メンバーが %1 人を超えるため、グラフは表示しません。").arg(kMostChartMembers), chartStack_);
  chartNote_->setObjectName(QStringLiteral("chartNote"));
  chartNote_->setAlignment(Qt::AlignCenter);
  chartNote_->setWordWrap(true);
  chartStack_->addWidget(chartArea_);
  chartStack_->addWidget(chartNote_);
  tableAndChart->addWidget(chartStack_);
  // A wider pane widens the chart; the table keeps the width of its columns.
  tableAndChart->setStretchFactor(0, 0);
  tableAndChart->setStretchFactor(1, 1);
  breakdownView_ = MakeTable(breakdownTable_, QStringLiteral("breakdownTable"), results);
  results->addWidget(tableAndChart);
  results->addWidget(breakdownView_);
  results->setStretchFactor(0, 3);
  results->setStretchFactor(1, 2);
  layout->addWidget(results_, 1);
  results_->hide();

  // The copy works where the table has the focus, and from its context menu.
  auto* copy = new QAction(QStringLiteral("表をコピー(&C)"), tableView_);
  copy->setObjectName(QStringLiteral("copyTableAction"));
  copy->setShortcut(QKeySequence::Copy);
  copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  connect(copy, &QAction::triggered, this, &ResultPane::CopyTable);
  tableView_->addAction(copy);
  tableView_->setContextMenuPolicy(Qt::ActionsContextMenu);

  connect(table_, &QAbstractItemModel::layoutChanged, this,
          [this] { breakdownTable_->SetMemberOrder(table_->MemberOrder()); });
  connect(breakdownChoice_, &QComboBox::activated, this, [this] {
    StoreBreakdown(settings_, Breakdown());
    emit BreakdownChosen();
  });
}

ResultPane::~ResultPane() = default;

void ResultPane::ShowResult(std::shared_ptr<const TallyResult> result) {
  // The order the user chose stays for the new result, also when its mode
  // has another set of columns.
  QHeaderView* header = tableView_->horizontalHeader();
  const int sortedBy = header->sortIndicatorSection();
  const std::optional<ResultTableModel::Column> sortColumn =
      sortedBy >= 0 && sortedBy < table_->columnCount() ? std::optional(table_->ColumnAt(sortedBy)) : std::nullopt;
  const Qt::SortOrder sortOrder = header->sortIndicatorOrder();
  result_ = std::move(result);
  outOfDate_ = false;
  outOfDateLine_->hide();
  table_->SetResult(result_);
  breakdownTable_->SetResult(result_);
  int section = -1;
  for (int c = 0; c < table_->columnCount(); ++c) {
    if (sortColumn && table_->ColumnAt(c) == *sortColumn) section = c;
  }
  {
    const QSignalBlocker quiet(header);  // one sort, below, whether the indicator moves or not
    header->setSortIndicator(section, sortOrder);
  }
  table_->sort(section, sortOrder);
  tableView_->resizeColumnsToContents();
  // The table as wide as its columns, the chart the rest.
  int tableWidth = 2 * tableView_->frameWidth() + tableView_->verticalScrollBar()->sizeHint().width();
  for (int c = 0; c < table_->columnCount(); ++c) tableWidth += tableView_->columnWidth(c);
  const int both = tableAndChart_->sizes().value(0) + tableAndChart_->sizes().value(1);
  tableAndChart_->setSizes({tableWidth, std::max(both - tableWidth, 1)});
  FitBreakdownColumns();
  breakdownView_->setVisible(result_ && result_->breakdown);
  caption_->setText(result_ ? Caption(*result_) : QString());
  ShowChart();
  hint_->setVisible(!result_);
  results_->setVisible(result_ != nullptr);
}

// Measuring every cell of a breakdown by day over years takes a minute: the
// units share one width, that of the widest label or total they can show.
void ResultPane::FitBreakdownColumns() {
  const int columns = breakdownTable_->columnCount();
  if (columns < 2) return;
  breakdownView_->resizeColumnToContents(0);
  breakdownView_->resizeColumnToContents(columns - 1);
  QFont bold = breakdownView_->font();
  bold.setBold(true);
  const QFontMetrics totals(bold);  // the totals row, the widest figures, is bold
  const QFontMetrics headings(breakdownView_->horizontalHeader()->font());
  int widest = 0;
  const int totalsRow = breakdownTable_->rowCount() - 1;
  for (int c = 1; c + 1 < columns; ++c) {
    widest = std::max(widest, headings.horizontalAdvance(breakdownTable_->headerData(c, Qt::Horizontal).toString()));
    widest = std::max(widest, totals.horizontalAdvance(breakdownTable_->index(totalsRow, c).data().toString()));
  }
  // The cell's margins, as a view measuring its cells adds them.
  const int width = widest + 2 * (breakdownView_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1) + 6;
  for (int c = 1; c + 1 < columns; ++c) breakdownView_->setColumnWidth(c, width);
}

void ResultPane::MarkOutOfDate() {
  if (!result_ || outOfDate_) return;
  outOfDate_ = true;
  outOfDateLine_->show();
}

std::optional<PeriodUnit> ResultPane::Breakdown() const { return ChosenBreakdown(breakdownChoice_); }

std::string ResultPane::TableText() const {
  if (!result_) return {};
  return ResultTsv(*result_, table_->MemberOrder());
}

void ResultPane::CopyTable() {
  if (!result_) return;
  QApplication::clipboard()->setText(QString::fromStdString(TableText()));
}

void ResultPane::ShowChart() {
  const bool drawn = result_ && result_->members.size() <= kMostChartMembers;
  chart_->load(drawn ? QByteArray::fromStdString(MemberChartSvg(*result_)) : QByteArray());
  chartStack_->setCurrentWidget(drawn || !result_ ? static_cast<QWidget*>(chartArea_) : chartNote_);
  FitChart();
}

// The chart takes the width it is given, but no less than makes its texts
// hard to read (scrolled then), and the height its proportions ask; when that
// is more than the pane shows, the scroll bar takes its part of the width.
void ResultPane::FitChart() {
  const QSize natural = chart_->renderer()->defaultSize();
  const QRect room = chartArea_->contentsRect();
  if (natural.isEmpty() || room.width() <= 0) return;
  const auto heightFor = [&](int width) {
    return static_cast<int>(static_cast<qint64>(natural.height()) * width / natural.width());
  };
  int width = room.width();
  if (heightFor(width) > room.height()) width -= chartArea_->verticalScrollBar()->sizeHint().width();
  width = std::max(width, natural.width() * 3 / 4);
  chart_->resize(width, heightFor(width));
}

bool ResultPane::eventFilter(QObject* watched, QEvent* event) {
  if (watched == chartArea_ && event->type() == QEvent::Resize) FitChart();
  return QWidget::eventFilter(watched, event);
}

}  // namespace tallyer
