#include "report/svg_drawing.h"

#include <algorithm>

#include "report/display_width.h"
#include "report/markup_text.h"

namespace tallyer::svg {
namespace {

// Japanese fonts of Debian, Windows and macOS, then the generic family. Names
// are unquoted: Qt SVG takes the attribute as one list.
constexpr std::string_view kFontFamily =
    "Noto Sans CJK JP, Noto Sans JP, Yu Gothic, Meiryo, Hiragino Sans, sans-serif";
constexpr std::string_view kOutline = "#555555";
constexpr std::string_view kTextColor = "#222222";
constexpr std::string_view kEllipsis = "…";

constexpr Tenths kSwatch = 120;
constexpr Tenths kLegendRow = 200;
constexpr Tenths kLegendGap = 160;
constexpr Tenths kLegendNameWidth = 2000;
constexpr Tenths kMargin = 80;

Tenths CharacterWidth(char32_t cp) {
  return IsWideCharacter(cp) || cp == 0x2026 ? kFontSize : kFontSize * 6 / 10;
}

std::string Number(long long value) { return std::to_string(value); }

}  // namespace

std::string Px(Tenths length) {
  const bool negative = length < 0;
  const long long magnitude = negative ? -length : length;
  std::string text = negative ? "-" : "";
  text += Number(magnitude / 10);
  // Appended piece by piece: "." + a temporary string makes GCC 12 warn falsely (-Wrestrict).
  if (magnitude % 10 != 0) {
    text += '.';
    text += Number(magnitude % 10);
  }
  return text;
}

Tenths TextWidth(std::string_view utf8) {
  Tenths width = 0;
  std::size_t pos = 0;
  while (pos < utf8.size()) width += CharacterWidth(NextCodePoint(utf8, pos));
  return width;
}

std::string FitText(std::string_view utf8, Tenths maxWidth) {
  if (TextWidth(utf8) <= maxWidth) return std::string(utf8);
  const Tenths room = maxWidth - CharacterWidth(0x2026);
  Tenths width = 0;
  std::size_t pos = 0;
  std::size_t end = 0;
  while (pos < utf8.size()) {
    width += CharacterWidth(NextCodePoint(utf8, pos));
    if (width > room) break;
    end = pos;
  }
  return std::string(utf8.substr(0, end)) + std::string(kEllipsis);
}

TimeAxis ChooseTimeAxis(long long maxMinutes) {
  // Steps in minutes: 0.1, 0.2, 0.5 hours, then 1, 2, 2.5 and 5 times a power of ten hours.
  static constexpr long long kSmall[] = {6, 12, 30};
  static constexpr long long kMultiples[] = {60, 120, 150, 300};
  constexpr int kMostIntervals = 6;
  const long long wanted = std::max(maxMinutes, 1LL);
  const auto fits = [&](long long step) { return (wanted + step - 1) / step <= kMostIntervals; };
  const auto axis = [&](long long step) {
    return TimeAxis{step, static_cast<int>((wanted + step - 1) / step)};
  };
  for (const long long step : kSmall) {
    if (fits(step)) return axis(step);
  }
  for (long long power = 1;; power *= 10) {
    for (const long long multiple : kMultiples) {
      if (fits(multiple * power)) return axis(multiple * power);
    }
  }
}

std::string HoursText(long long minutes) {
  std::string text = Number(minutes / 60);
  const long long rest = minutes % 60;
  if (rest != 0) {
    // Steps are whole tenths of an hour or quarter hours: two digits at most.
    const long long hundredths = rest * 100 / 60;
    text += '.';
    if (hundredths < 10) text += '0';
    text += Number(hundredths % 10 == 0 ? hundredths / 10 : hundredths);
  }
  return text;
}

Tenths Scale(long long minutes, long long axisMinutes, Tenths length) {
  // Minutes of a real run stay far below the point where this overflows.
  if (axisMinutes <= 0 || minutes <= 0) return 0;
  return minutes * length / axisMinutes;
}

long long BarMinutes(const ChartBar& bar) {
  long long sum = 0;
  for (const ChartSegment& s : bar.segments) sum += std::max(s.minutes, 0LL);
  return sum;
}

void AppendRect(std::string& svg, Tenths x, Tenths y, Tenths width, Tenths height,
                std::string_view fill, std::string_view title) {
  svg += "<rect x=\"" + Px(x) + "\" y=\"" + Px(y) + "\" width=\"" + Px(width) + "\" height=\"" +
         Px(height) + "\" fill=\"";
  svg += fill;
  svg += "\" stroke=\"";
  svg += kOutline;
  svg += "\" stroke-width=\"0.5\"";
  if (title.empty()) {
    svg += "/>\n";
    return;
  }
  svg += "><title>";
  AppendOneLineText(svg, title);
  svg += "</title></rect>\n";
}

void AppendLine(std::string& svg, Tenths x1, Tenths y1, Tenths x2, Tenths y2,
                std::string_view stroke) {
  svg += "<line x1=\"" + Px(x1) + "\" y1=\"" + Px(y1) + "\" x2=\"" + Px(x2) + "\" y2=\"" +
         Px(y2) + "\" stroke=\"";
  svg += stroke;
  svg += "\" stroke-width=\"1\"/>\n";
}

void AppendText(std::string& svg, Tenths x, Tenths y, std::string_view anchor,
                std::string_view fill, std::string_view utf8) {
  svg += "<text x=\"" + Px(x) + "\" y=\"" + Px(y) + "\" text-anchor=\"";
  svg += anchor;
  svg += "\" fill=\"";
  svg += fill;
  svg += "\">";
  AppendOneLineText(svg, utf8);
  svg += "</text>\n";
}

void OpenGroup(std::string& svg, std::string_view title) {
  svg += "<g>";
  if (!title.empty()) {
    svg += "<title>";
    AppendOneLineText(svg, title);
    svg += "</title>";
  }
  svg += "\n";
}

void AppendStack(std::string& svg, const ChartData& chart, const ChartBar& bar, bool horizontal,
                 Tenths start, Tenths across, Tenths thickness, long long axisMinutes,
                 Tenths length) {
  long long before = 0;
  for (const ChartSegment& segment : bar.segments) {
    if (segment.minutes <= 0 || segment.series >= chart.series.size()) continue;
    // Ends come from the running sum, so rounding leaves no gaps between segments.
    const Tenths from = Scale(before, axisMinutes, length);
    before += segment.minutes;
    const Tenths to = Scale(before, axisMinutes, length);
    const std::string fill = HexText(chart.series[segment.series].color);
    if (horizontal) {
      AppendRect(svg, start + from, across, to - from, thickness, fill, segment.title);
    } else {
      AppendRect(svg, across, start - to, thickness, to - from, fill, segment.title);
    }
  }
}

Tenths AppendLegend(std::string& svg, const ChartData& chart, Tenths top) {
  std::vector<bool> drawn(chart.series.size(), false);
  for (const ChartBar& bar : chart.bars) {
    for (const ChartSegment& s : bar.segments) {
      if (s.minutes > 0 && s.series < drawn.size()) drawn[s.series] = true;
    }
  }
  if (!chart.legend || std::find(drawn.begin(), drawn.end(), true) == drawn.end()) return top;
  Tenths x = kMargin;
  Tenths y = top;
  for (std::size_t i = 0; i < chart.series.size(); ++i) {
    if (!drawn[i]) continue;
    const std::string name = FitText(chart.series[i].name, kLegendNameWidth);
    const Tenths width = kSwatch + 40 + TextWidth(name);
    if (x > kMargin && x + width > kChartWidth - kMargin) {
      x = kMargin;
      y += kLegendRow;
    }
    svg += "<g>";
    AppendRect(svg, x, y + 20, kSwatch, kSwatch, HexText(chart.series[i].color), {});
    AppendText(svg, x + kSwatch + 40, y + 125, "start", kTextColor, name);
    svg += "</g>\n";
    x += width + kLegendGap;
  }
  return y + kLegendRow;
}

std::string Document(Tenths width, Tenths height, std::string_view caption,
                     std::string_view body) {
  std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.2\" "
                    "baseProfile=\"tiny\" width=\"" + Px(width) + "\" height=\"" + Px(height) +
                    "\" viewBox=\"0 0 " + Px(width) + " " + Px(height) + "\">\n";
  if (!caption.empty()) {
    svg += "<title>";
    AppendOneLineText(svg, caption);
    svg += "</title>\n";
  }
  svg += "<g font-family=\"";
  svg += kFontFamily;
  svg += "\" font-size=\"" + Px(kFontSize) + "\">\n";
  svg += body;
  svg += "</g>\n</svg>\n";
  return svg;
}

std::string NoDataDocument(std::string_view caption) {
  constexpr Tenths kHeight = 400;
  std::string body;
  AppendText(body, kChartWidth / 2, kHeight / 2 + 40, "middle", "#666666",
             "データなし");
  return Document(kChartWidth, kHeight, caption, body);
}

}  // namespace tallyer::svg
