#include "support/archive_writer.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstring>
#include <stdexcept>

#include "data/cp932.h"

namespace tallyer::testing {
namespace {

void AppendLe(std::string& out, std::uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

}  // namespace

ArchiveWriter& ArchiveWriter::U8(std::uint8_t v) { AppendLe(bytes_, v, 1); return *this; }
ArchiveWriter& ArchiveWriter::U16(std::uint16_t v) { AppendLe(bytes_, v, 2); return *this; }
ArchiveWriter& ArchiveWriter::U32(std::uint32_t v) { AppendLe(bytes_, v, 4); return *this; }
ArchiveWriter& ArchiveWriter::I32(std::int32_t v) {
  AppendLe(bytes_, static_cast<std::uint32_t>(v), 4);
  return *this;
}
ArchiveWriter& ArchiveWriter::F64(double v) {
  AppendLe(bytes_, std::bit_cast<std::uint64_t>(v), 8);
  return *this;
}
ArchiveWriter& ArchiveWriter::Date(const DateTime& t) { return Date(t.status, t.value); }
ArchiveWriter& ArchiveWriter::Date(std::int32_t status, double value) {
  return I32(status).F64(value);
}
ArchiveWriter& ArchiveWriter::Raw(std::string_view bytes) {
  bytes_.append(bytes);
  return *this;
}

ArchiveWriter& ArchiveWriter::Length(std::uint64_t length) {
  if (length < 0xFF) return U8(static_cast<std::uint8_t>(length));
  U8(0xFF);
  if (length < 0xFFFE) return U16(static_cast<std::uint16_t>(length));
  U16(0xFFFF);
  return U32(static_cast<std::uint32_t>(length));
}

ArchiveWriter& ArchiveWriter::String(std::string_view cp932) {
  return Length(cp932.size()).Raw(cp932);
}

ArchiveWriter& ArchiveWriter::WideUnits(std::u16string_view units) {
  U8(0xFF).U16(0xFFFE).Length(units.size());
  for (char16_t u : units) U16(static_cast<std::uint16_t>(u));
  return *this;
}

ArchiveWriter& ArchiveWriter::WideUtf8(std::string_view utf8) { return WideUnits(Utf8ToUtf16(utf8)); }

ArchiveWriter& ArchiveWriter::WideCp932(std::string_view cp932) {
  return WideUtf8(Cp932ToUtf8(cp932));
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  std::size_t i = 0;
  while (i < utf8.size()) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
    char32_t cp = extra == 0 ? c : extra == 1 ? (c & 0x1F) : extra == 2 ? (c & 0x0F) : (c & 0x07);
    bool ok = extra >= 0 && i + static_cast<std::size_t>(extra) < utf8.size() + (extra == 0 ? 1 : 0);
    for (int k = 1; ok && k <= extra; ++k) {
      const unsigned char cc = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
      if ((cc & 0xC0) != 0x80) ok = false;
      cp = (cp << 6) | (cc & 0x3F);
    }
    if (!ok || cp > 0x10FFFF) {
      out.push_back(u'\uFFFD');
      ++i;
      continue;
    }
    i += static_cast<std::size_t>(extra) + 1;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
  }
  return out;
}

DateTime At(std::string_view text) {
  // Fixed positions: yyyy-mm-dd[ hh:mm[:ss]]
  auto number = [&](std::size_t pos, std::size_t len) {
    int v = 0;
    if (pos + len > text.size()) throw std::invalid_argument("bad date-time text");
    const auto* first = text.data() + pos;
    const auto r = std::from_chars(first, first + len, v);
    if (r.ec != std::errc() || r.ptr != first + len) throw std::invalid_argument("bad date-time text");
    return v;
  };
  if (text.size() != 10 && text.size() != 16 && text.size() != 19)
    throw std::invalid_argument("bad date-time text");
  const int year = number(0, 4), month = number(5, 2), day = number(8, 2);
  const int hour = text.size() > 10 ? number(11, 2) : 0;
  const int minute = text.size() > 10 ? number(14, 2) : 0;
  const int second = text.size() > 16 ? number(17, 2) : 0;
  const DateTime t = DateTime::FromParts(year, month, day, hour, minute, second);
  if (!t.IsValid()) throw std::invalid_argument("impossible date-time");
  return t;
}

// ---------------------------------------------------------------------------

void GroupFileBuilder::WriteHeader(ArchiveWriter& w) const {
  w.U32(leadWord_).String(name_);
  w.U32(memberCount_.value_or(static_cast<std::uint32_t>(members_.size())));
  w.U32(stringCount_).U32(wordCount_);
  w.U32(groupStringCount_.value_or(static_cast<std::uint32_t>(groupStrings_.size())));
  w.U32(groupWordCount_.value_or(static_cast<std::uint32_t>(groupWords_.size())));
  for (const auto& s : groupStrings_) w.String(s);
  for (auto v : groupWords_) w.U32(v);
}

void GroupFileBuilder::WriteMember(ArchiveWriter& w, const MemberRecord& m) const {
  std::vector<const std::string*> strings = {&m.name, &m.key, &m.text3, &m.text4, &m.text5, &m.text6};
  for (const auto& s : m.extraStrings) strings.push_back(&s);
  std::vector<std::uint32_t> words = {m.flags};
  words.insert(words.end(), m.extraWords.begin(), m.extraWords.end());
  if (exactRecords_) {
    // Trailing empty optional texts are left out so that short records stay short.
    std::size_t n = 6 + m.extraStrings.size();
    while (n > 3 && strings[n - 1]->empty() && n <= 6) --n;
    for (std::size_t i = 0; i < n; ++i) w.String(*strings[i]);
    for (auto v : words) w.U32(v);
    return;
  }
  const std::uint64_t s = std::max<std::uint32_t>(stringCount_, 3);
  const std::uint64_t ws = std::max<std::uint32_t>(wordCount_, 1);
  for (std::uint64_t i = 0; i < s; ++i) w.String(i < strings.size() ? std::string_view(*strings[i]) : "");
  for (std::uint64_t i = 0; i < ws; ++i) w.U32(i < words.size() ? words[i] : 0);
}

std::string GroupFileBuilder::Build() const {
  ArchiveWriter w;
  WriteHeader(w);
  for (const auto& m : members_) WriteMember(w, m);
  return std::move(w).Bytes();
}

std::size_t GroupFileBuilder::MemberOffset(std::size_t i) const {
  ArchiveWriter w;
  WriteHeader(w);
  for (std::size_t k = 0; k < i && k < members_.size(); ++k) WriteMember(w, members_[k]);
  return w.Size();
}

// ---------------------------------------------------------------------------

void WriteScheduleRecord(ArchiveWriter& w, const ScheduleRecord& r) {
  const std::uint32_t n =
      r.wordCount.value_or(static_cast<std::uint16_t>(2 + r.extraWords.size()));
  const std::uint32_t t =
      r.stringCount.value_or(static_cast<std::uint16_t>(5 + r.extraStrings.size()));
  w.U32(r.leadWord).U32(n | (t << 16)).U32(r.kind | r.flags);
  w.Date(r.start).Date(r.end).Date(r.date3);
  w.Color(r.color).U32(r.link);
  for (std::uint32_t i = 2; i < n; ++i) w.U32(i - 2 < r.extraWords.size() ? r.extraWords[i - 2] : 0);
  w.String(r.content).String(r.memberKey).String(r.text3);
  if (t >= 4) w.String(r.text4);
  if (t >= 5) w.String(r.text5);
  for (std::uint32_t i = 5; i < t; ++i)
    w.String(i - 5 < r.extraStrings.size() ? std::string_view(r.extraStrings[i - 5]) : "");
}

}  // namespace tallyer::testing
