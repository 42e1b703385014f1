// The result table's rows and its sorting, on results made by hand.
#include <QTest>

#include "app/breakdown_table_model.h"
#include "app/result_table_model.h"
#include "data/cp932.h"

using namespace tallyer;

namespace {

using Model = ResultTableModel;

TallyRow Row(std::uint32_t color, long long count, long long minutes) {
  TallyRow row;
  row.color = color;
  row.figures = {count, minutes};
  return row;
}

// Members of mode 2 with the given figures; each has as many rows as its count
// (at least one), so that a member's rows are told apart by their colour.
std::shared_ptr<TallyResult> ColorResult(const std::vector<std::pair<const char*, TallyFigures>>& members) {
  auto result = std::make_shared<TallyResult>();
  result->settings.mode = kModeColor;
  for (const auto& [name, figures] : members) {
    MemberTally& m = result->members.emplace_back();
    m.name = Utf8ToCp932(name);
    m.figures = figures;
    for (long long i = 0; i < figures.count; ++i) {
      m.rows.push_back(Row(static_cast<std::uint32_t>(i), 1, figures.minutes / figures.count));
    }
    result->totals.count += figures.count;
    result->totals.minutes += figures.minutes;
  }
  result->teamRows = {Row(0, 1, 1), Row(1, 1, 1)};
  return result;
}

// The member of each line: its index, or -1 (team) and -2 (totals).
QList<int> MembersByLine(const Model& model) {
  QList<int> members;
  for (int r = 0; r < model.rowCount(); ++r) members << model.index(r, 0).data(Model::kMemberRole).toInt();
  return members;
}

// The members in the order of their blocks, checking that each member's rows
// are together, in report order, and that the team and totals rows end the table.
QList<int> Blocks(const Model& model) {
  QList<int> blocks;
  const QList<int> byLine = MembersByLine(model);
  const TallyResult& result = *model.Result();
  int line = 0;
  while (line < byLine.size() && byLine[line] >= 0) {
    const int member = byLine[line];
    if (blocks.contains(member)) return {-100};  // split apart
    blocks << member;
    const auto& rows = result.members[static_cast<std::size_t>(member)].rows;
    const int size = rows.empty() ? 1 : static_cast<int>(rows.size());
    for (int i = 0; i < size; ++i, ++line) {
      if (line >= byLine.size() || byLine[line] != member) return {-101};
      if (!rows.empty() && model.index(line, 1).data(Model::kFigureRole).toUInt() != rows[static_cast<std::size_t>(i)].color) {
        return {-102};  // out of report order
      }
    }
  }
  const int team = static_cast<int>(result.teamRows.size());
  if (byLine.mid(line) != QList<int>(team, Model::kTeamRow) + QList<int>{Model::kTotalsRow}) return {-103};
  return blocks;
}

}  // namespace

class ResultTableModelTest : public QObject {
  Q_OBJECT

 private slots:
  void sortingKeepsEachMembersRowsTogether_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("order");
    QTest::addColumn<QList<int>>("blocks");
    // Every sort differs; c and A tie on the count, b and A on the minutes.
    QTest::newRow("report order") << -1 << 0 << QList<int>{0, 1, 2, 3};
    QTest::newRow("by name") << 0 << 0 << QList<int>{3, 0, 1, 2};
    QTest::newRow("by name, descending") << 0 << 1 << QList<int>{2, 1, 0, 3};
    QTest::newRow("by count") << 2 << 0 << QList<int>{0, 1, 3, 2};
    QTest::newRow("by count, descending") << 2 << 1 << QList<int>{2, 1, 3, 0};
    QTest::newRow("by time") << 3 << 0 << QList<int>{1, 2, 0, 3};
    QTest::newRow("by time, descending") << 3 << 1 << QList<int>{0, 3, 2, 1};
    QTest::newRow("by the category: report order") << 1 << 1 << QList<int>{0, 1, 2, 3};
  }
  void sortingKeepsEachMembersRowsTogether() {
    QFETCH(int, column);
    QFETCH(int, order);
    QFETCH(QList<int>, blocks);
    Model model;
    model.SetResult(ColorResult({{"b", {1, 90}}, {"c", {2, 30}}, {"d", {4, 60}}, {"A", {2, 90}}}));
    model.sort(2, Qt::DescendingOrder);  // a previous order must not matter
    model.sort(column, static_cast<Qt::SortOrder>(order));
    QCOMPARE(Blocks(model), blocks);
    // The name heads its block only.
    for (int r = 0; r < model.rowCount(); ++r) {
      const bool first = r == 0 || model.index(r - 1, 0).data(Model::kMemberRole) != model.index(r, 0).data(Model::kMemberRole);
      QCOMPARE(model.index(r, 0).data().toString().isEmpty(), !first);
    }
  }

  void selectedRowsFollowTheirMembers() {
    Model model;
    model.SetResult(ColorResult({{"b", {1, 90}}, {"c", {2, 30}}}));
    const QPersistentModelIndex second(model.index(2, 3));  // c's second row
    const QPersistentModelIndex total(model.index(model.rowCount() - 1, 0));
    model.sort(0, Qt::DescendingOrder);
    QCOMPARE(second.row(), 1);
    QCOMPARE(second.column(), 3);
    QCOMPARE(total.row(), model.rowCount() - 1);
  }

  void swatchesCarryTheirColourAndReadableText() {
    Model model;
    auto result = ColorResult({{"a", {1, 10}}});
    result->members[0].rows = {Row(0x0080FF, 1, 10), Row(0x800000, 0, 0)};  // orange, dark blue
    model.SetResult(result);
    QCOMPARE(model.index(0, 1).data().toString(), QStringLiteral("#ff8000"));
    QCOMPARE(model.index(0, 1).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(0xff, 0x80, 0x00));
    QCOMPARE(model.index(0, 1).data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::black));
    QCOMPARE(model.index(1, 1).data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::white));
  }

  void breakdownRowsFollowTheTablesOrder() {
    auto result = ColorResult({{"b", {1, 90}}, {"c", {2, 30}}});
    PeriodBreakdown breakdown;
    breakdown.periods = {{"2025-01", {}, {}}, {"2025-02", {}, {}}};
    breakdown.memberCells = {{{1, 90}, {0, 0}}, {{1, 10}, {1, 20}}};
    breakdown.totals = {{2, 100}, {1, 20}};
    result->breakdown = breakdown;
    Model table;
    BreakdownTableModel byPeriod;
    table.SetResult(result);
    byPeriod.SetResult(result);
    QObject::connect(&table, &QAbstractItemModel::layoutChanged, &byPeriod,
                     [&] { byPeriod.SetMemberOrder(table.MemberOrder()); });
    table.sort(3, Qt::AscendingOrder);  // c first
    QStringList headings;
    for (int c = 0; c < byPeriod.columnCount(); ++c) headings << byPeriod.headerData(c, Qt::Horizontal).toString();
    QCOMPARE(headings, (QStringList{"メンバー", "2025-01", "2025-02", "合計"}));
    QStringList lines;
    for (int r = 0; r < byPeriod.rowCount(); ++r) {
      QStringList cells;
      for (int c = 0; c < byPeriod.columnCount(); ++c) cells << byPeriod.index(r, c).data().toString();
      lines << cells.join(QLatin1Char('|'));
    }
    QCOMPARE(lines, (QStringList{"c|0時間10分|0時間20分|0時間30分", "b|1時間30分|0時間00分|1時間30分",
                                 "合計|1時間40分|0時間20分|2時間00分"}));
  }
};

QTEST_MAIN(ResultTableModelTest)
#include "result_table_model_test.moc"
