#pragma once

#include <string>
#include <vector>

#include "tally/tally_result.h"

namespace tallyer {

// A run's options as Japanese lines (CP932), one per option, for the outputs
// and views that describe a run in words:
//   集計モード：3. タイプ別合計時間
//   対象メンバー：全員  (or the listed members' names, joined by "、")
//   時間帯：9:00 ～ 18:00                         (only when on)
//   内容：「会議」を含む / 内容：「会議」と完全一致   (only when on), followed by
//     （大文字・小文字・全角・半角を区別しない） when case and width are ignored
//   重複：重複して集計しない                       (mode 1 only, when on)
//   仮登録：集計しない                             (when on)
//   表示形式：hh時間mm分
// A mode or duration form outside the lists gives no line.
std::vector<std::string> OptionsInWords(const TallyResult& result);

}  // namespace tallyer
