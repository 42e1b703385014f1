#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>

#include "report/chart_svg.h"

using namespace tallyer;

// The window shows the core's charts through Qt SVG (SVG Tiny 1.2): they must
// load without a complaint and draw their colours and texts.
class ChartSvgTest : public QObject {
  Q_OBJECT

 private:
  static ChartData Chart(std::size_t bars) {
    ChartData chart;
    chart.caption = "メンバー別の時間";
    chart.series = {{"会議", {0xE1, 0x57, 0x59}}, {"#ffffff", {0xFF, 0xFF, 0xFF}},
                    {"その他", {0xBB, 0xBB, 0xBB}}};
    for (std::size_t i = 0; i < bars; ++i) {
      ChartBar bar;
      bar.label = "田中 一郎 " + std::to_string(i);
      bar.title = bar.label + "：12時間30分（15件）";
      bar.valueText = "12時間30分";
      for (std::size_t s = 0; s < chart.series.size(); ++s) {
        bar.segments.push_back({s, static_cast<long long>(60 * (i + s + 1)), "会議：1時間"});
      }
      chart.bars.push_back(bar);
    }
    return chart;
  }

  static QStringList messages;
  static void Record(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type != QtDebugMsg && type != QtInfoMsg) messages << text;
  }

  // The SVG drawn on white at its own size, with every message Qt gave.
  static QImage Draw(const std::string& svg) {
    messages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(Record);
    QSvgRenderer renderer(QByteArray::fromStdString(svg));
    QImage image(renderer.defaultSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    qInstallMessageHandler(previous);
    if (!renderer.isValid()) return {};
    return image;
  }

  static int Count(const QImage& image, QRgb color) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == color;
    }
    return n;
  }

  static int Dark(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) n += qGray(image.pixel(x, y)) < 160;
    }
    return n;
  }

 private slots:
  void drawsBothChartsWithoutComplaint_data() {
    QTest::addColumn<bool>("columns");
    QTest::newRow("bars") << false;
    QTest::newRow("columns") << true;
  }
  void drawsBothChartsWithoutComplaint() {
    QFETCH(bool, columns);
    const ChartData chart = Chart(4);
    const QImage image = Draw(columns ? RenderColumnChart(chart) : RenderBarChart(chart));
    QVERIFY2(!image.isNull(), "not valid SVG for Qt");
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
    QVERIFY(image.width() == 760);
    QVERIFY(Count(image, qRgb(0xE1, 0x57, 0x59)) > 500);
    QVERIFY(Count(image, qRgb(0xBB, 0xBB, 0xBB)) > 500);
    QVERIFY(Dark(image) > 200);  // labels, axis texts and outlines
  }

  void drawsNoData() {
    const QImage image = Draw(RenderBarChart(Chart(0)));
    QVERIFY(!image.isNull());
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
    QVERIFY(Dark(image) > 20);  // "データなし"
  }
};

QStringList ChartSvgTest::messages;

QTEST_MAIN(ChartSvgTest)
#include "chart_svg_test.moc"
