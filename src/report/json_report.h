#pragma once

#include <iosfwd>

#include "report/formatter.h"

namespace tallyer {

// The result as UTF-8 JSON: keys in a fixed order, two-space indents, LF line
// ends and a final LF, no byte-order mark. Texts are the CP932 texts
// converted to UTF-8; bytes that are not UTF-8 (a path can hold any) become
// U+FFFD.
//
//   {"group", "period": {"from", "to"}, "mode",
//    "options": {"members", "band", "content", "noOverlap", "noTentative",
//                "typeFile", "durationFormat"},
//    "members": [{"key", "name", "count", "minutes", "rows"}],
//    "totals": {"count", "minutes"}, "teamRows": [...], ["breakdown"]}
class JsonFormatter : public Formatter {
 public:
  void Write(const TallyResult& result, std::ostream& out) const override;
};

}  // namespace tallyer
