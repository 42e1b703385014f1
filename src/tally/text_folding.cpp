#include "tally/text_folding.h"

#include <array>
#include <cstdint>
#include <memory>

#include "data/cp932.h"

namespace tallyer {
namespace {

struct CodeRange {
  std::uint16_t first;
  std::uint16_t last;
};

// Full-width characters folded to one byte each: the first 95 codes become
// 0x20..0x7E in order, the other 63 become 0xA1..0xDF in order.
constexpr CodeRange kToAscii[] = {
    {0x8140, 0x8140}, {0x8149, 0x8149}, {0x8168, 0x8168}, {0x8194, 0x8194}, {0x8190, 0x8190},
    {0x8193, 0x8193}, {0x8195, 0x8195}, {0x8166, 0x8166}, {0x8169, 0x8169}, {0x816A, 0x816A},
    {0x8196, 0x8196}, {0x817B, 0x817B}, {0x8143, 0x8143}, {0x817C, 0x817C}, {0x8144, 0x8144},
    {0x815E, 0x815E}, {0x824F, 0x8258}, {0x8146, 0x8146}, {0x8147, 0x8147}, {0x8183, 0x8183},
    {0x8181, 0x8181}, {0x8184, 0x8184}, {0x8148, 0x8148}, {0x8197, 0x8197}, {0x8260, 0x8279},
    {0x816D, 0x816D}, {0x818F, 0x818F}, {0x816E, 0x816E}, {0x814F, 0x814F}, {0x8151, 0x8151},
    {0x814D, 0x814D}, {0x8281, 0x829A}, {0x816F, 0x816F}, {0x8162, 0x8162}, {0x8170, 0x8170},
    {0x8150, 0x8150},
};
constexpr CodeRange kToHalfKana[] = {
    {0x8142, 0x8142}, {0x8175, 0x8175}, {0x8176, 0x8176}, {0x8141, 0x8141}, {0x8145, 0x8145},
    {0x8392, 0x8392}, {0x8340, 0x8340}, {0x8342, 0x8342}, {0x8344, 0x8344}, {0x8346, 0x8346},
    {0x8348, 0x8348}, {0x8383, 0x8383}, {0x8385, 0x8385}, {0x8387, 0x8387}, {0x8362, 0x8362},
    {0x815B, 0x815B}, {0x8341, 0x8341}, {0x8343, 0x8343}, {0x8345, 0x8345}, {0x8347, 0x8347},
    {0x8349, 0x8349}, {0x834A, 0x834A}, {0x834C, 0x834C}, {0x834E, 0x834E}, {0x8350, 0x8350},
    {0x8352, 0x8352}, {0x8354, 0x8354}, {0x8356, 0x8356}, {0x8358, 0x8358}, {0x835A, 0x835A},
    {0x835C, 0x835C}, {0x835E, 0x835E}, {0x8360, 0x8360}, {0x8363, 0x8363}, {0x8365, 0x8365},
    {0x8367, 0x8367}, {0x8369, 0x836E}, {0x8371, 0x8371}, {0x8374, 0x8374}, {0x8377, 0x8377},
    {0x837A, 0x837A}, {0x837D, 0x837D}, {0x837E, 0x837E}, {0x8380, 0x8382}, {0x8384, 0x8384},
    {0x8386, 0x8386}, {0x8388, 0x838D}, {0x838F, 0x838F}, {0x8393, 0x8393}, {0x814A, 0x814A},
    {0x814B, 0x814B},
};

// Full-width kana with a voiced or semi-voiced mark, to half-width base + mark.
struct VoicedPair {
  std::uint16_t code;
  unsigned char base;
  unsigned char mark;
};
constexpr VoicedPair kVoiced[] = {
    {0x834B, 0xB6, 0xDE}, {0x834D, 0xB7, 0xDE}, {0x834F, 0xB8, 0xDE}, {0x8351, 0xB9, 0xDE},
    {0x8353, 0xBA, 0xDE}, {0x8355, 0xBB, 0xDE}, {0x8357, 0xBC, 0xDE}, {0x8359, 0xBD, 0xDE},
    {0x835B, 0xBE, 0xDE}, {0x835D, 0xBF, 0xDE}, {0x835F, 0xC0, 0xDE}, {0x8361, 0xC1, 0xDE},
    {0x8364, 0xC2, 0xDE}, {0x8366, 0xC3, 0xDE}, {0x8368, 0xC4, 0xDE}, {0x836F, 0xCA, 0xDE},
    {0x8372, 0xCB, 0xDE}, {0x8375, 0xCC, 0xDE}, {0x8378, 0xCD, 0xDE}, {0x837B, 0xCE, 0xDE},
    {0x8394, 0xB3, 0xDE}, {0x8370, 0xCA, 0xDF}, {0x8373, 0xCB, 0xDF}, {0x8376, 0xCC, 0xDF},
    {0x8379, 0xCD, 0xDF}, {0x837C, 0xCE, 0xDF},
};

unsigned char LowerAscii(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 0x20) : c;
}

// The code point of a UTF-8 text holding exactly one character, else -1.
long SingleCodePoint(const std::string& utf8) {
  const auto* s = reinterpret_cast<const unsigned char*>(utf8.data());
  if (utf8.size() == 2 && (s[0] & 0xE0) == 0xC0) return (s[0] & 0x1F) << 6 | (s[1] & 0x3F);
  if (utf8.size() == 3 && (s[0] & 0xF0) == 0xE0)
    return (s[0] & 0x0F) << 12 | (s[1] & 0x3F) << 6 | (s[2] & 0x3F);
  return -1;
}

std::string EncodeUtf8(long cp) {
  std::string out;
  if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
  }
  out += static_cast<char>(0x80 | (cp & 0x3F));
  return out;
}

// Unicode's lower-case forms of the Greek and Cyrillic capitals; -1 for others.
long LowerGreekCyrillic(long cp) {
  if (cp >= 0x0391 && cp <= 0x03A9 && cp != 0x03A2) return cp + 0x20;
  if (cp >= 0x0400 && cp <= 0x040F) return cp + 0x50;
  if (cp >= 0x0410 && cp <= 0x042F) return cp + 0x20;
  return -1;
}

// What each two-byte code folds to: one or two bytes, the code itself when
// nothing changes it.
struct Folded {
  unsigned char size;
  unsigned char bytes[2];
};

class FoldTable {
 public:
  FoldTable() {
    for (unsigned code = 0; code < entries_.size(); ++code)
      entries_[code] = {2, {static_cast<unsigned char>(code >> 8), static_cast<unsigned char>(code)}};
    AddGreekCyrillicLowerCase();
    unsigned next = 0x20;
    for (const CodeRange& r : kToAscii)
      for (unsigned code = r.first; code <= r.last; ++code) SetOne(code, LowerAscii(static_cast<unsigned char>(next++)));
    next = 0xA1;
    for (const CodeRange& r : kToHalfKana)
      for (unsigned code = r.first; code <= r.last; ++code) SetOne(code, static_cast<unsigned char>(next++));
    for (const VoicedPair& v : kVoiced) entries_[v.code] = {2, {v.base, v.mark}};
  }

  const Folded& operator[](unsigned code) const { return entries_[code]; }

 private:
  void SetOne(unsigned code, unsigned char byte) { entries_[code] = {1, {byte, 0}}; }

  // Lower-cases through the platform converter rather than a table of our own:
  // CP932 -> Unicode, lower case, back; kept only when it stays two bytes.
  void AddGreekCyrillicLowerCase() {
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
      if (!IsLeadByte(static_cast<unsigned char>(lead))) continue;
      for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
        const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        const long lower = LowerGreekCyrillic(SingleCodePoint(Cp932ToUtf8(std::string_view(pair, 2))));
        if (lower < 0) continue;
        const std::string back = Utf8ToCp932(EncodeUtf8(lower));
        if (back.size() != 2 || !IsLeadByte(static_cast<unsigned char>(back[0]))) continue;
        entries_[lead << 8 | trail] = {2, {static_cast<unsigned char>(back[0]), static_cast<unsigned char>(back[1])}};
      }
    }
  }

  std::array<Folded, 0x10000> entries_;
};

const FoldTable& Table() {
  static const auto table = std::make_unique<FoldTable>();
  return *table;
}

}  // namespace

long FindText(std::string_view text, std::string_view pattern) {
  if (text.empty()) return -1;
  std::size_t boundary = 0;
  while (boundary <= text.size() && text.size() - boundary >= pattern.size()) {
    const std::size_t hit = text.find(pattern, boundary);
    if (hit == std::string_view::npos) return -1;
    while (boundary < hit) boundary += IsLeadByte(static_cast<unsigned char>(text[boundary])) ? 2 : 1;
    if (boundary == hit) return static_cast<long>(hit);
    // The raw match began on a second byte; look again from the next character.
  }
  return -1;
}

void FoldTextInto(std::string_view text, std::string& out) {
  const FoldTable& table = Table();
  out.clear();
  out.reserve(text.size() * 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (IsLeadByte(c) && i + 1 < text.size()) {
      const Folded& f = table[unsigned{c} << 8 | unsigned{static_cast<unsigned char>(text[++i])}];
      out.append(reinterpret_cast<const char*>(f.bytes), f.size);
    } else {
      out += static_cast<char>(LowerAscii(c));
    }
  }
}

void FoldText(std::string& text) {
  std::string folded;
  FoldTextInto(text, folded);
  text.swap(folded);
}

}  // namespace tallyer
