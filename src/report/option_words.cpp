#include "report/option_words.h"

#include <cstdio>

#include "data/cp932.h"

namespace tallyer {
namespace {

const char* const kModeNames[] = {"1. 合計時間", "2. 色別合計時間", "3. タイプ別合計時間",
                                  "4. 内容別合計時間"};
const char* const kFormNames[] = {"hh時間mm分", "hh:mm", "mm分", "mm"};

std::string TimeOfDay(const DateTime& t) {
  const CalendarParts p = t.Parts();
  char text[32];
  std::snprintf(text, sizeof text, "%d:%02d", p.hour < 0 ? 0 : p.hour, p.minute < 0 ? 0 : p.minute);
  return text;
}

}  // namespace

std::vector<std::string> OptionsInWords(const TallyResult& result) {
  const TallySettings& s = result.settings;
  std::vector<std::string> lines;
  if (s.mode >= kModeTotal && s.mode <= kModeContent)
    lines.push_back(Utf8ToCp932(std::string("集計モード：") + kModeNames[s.mode]));

  std::string members = Utf8ToCp932("対象メンバー：");
  if (s.everyone) {
    members += Utf8ToCp932("全員");
  } else {
    const std::string comma = Utf8ToCp932("、");
    for (std::size_t i = 0; i < result.members.size(); ++i) {
      if (i > 0) members += comma;
      members += result.members[i].name;
    }
  }
  lines.push_back(members);

  if (s.bandOnly)
    lines.push_back(Utf8ToCp932("時間帯：" + TimeOfDay(s.bandStart) + " ～ " + TimeOfDay(s.bandEnd)));
  if (s.contentOnly) {
    std::string content = Utf8ToCp932("内容：「") + s.contentText +
                          Utf8ToCp932(s.exactMatch ? "」と完全一致" : "」を含む");
    if (s.ignoreCaseWidth) content += Utf8ToCp932("（大文字・小文字・全角・半角を区別しない）");
    lines.push_back(content);
  }
  if (s.mode == kModeTotal && s.noOverlap) lines.push_back(Utf8ToCp932("重複：重複して集計しない"));
  if (s.noTentative) lines.push_back(Utf8ToCp932("仮登録：集計しない"));
  if (s.durationFormat >= 0 && s.durationFormat <= 3)
    lines.push_back(Utf8ToCp932(std::string("表示形式：") + kFormNames[s.durationFormat]));
  return lines;
}

}  // namespace tallyer
