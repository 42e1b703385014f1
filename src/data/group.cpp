#include "data/group.h"

#include <cstdio>

#include "data/archive_reader.h"
#include "data/cp932.h"
#include "data/file_error.h"
#include "data/month_file.h"

namespace tallyer {
namespace {

const std::string kNotFoundBefore = Utf8ToCp932("ファイル ");
const std::string kNotFoundAfter = Utf8ToCp932(" が見つかりません。");
const std::string kFileInvalid = Utf8ToCp932("ファイルの形式が不正です");
const std::string kFileMalformed = Utf8ToCp932("ファイルの形式が正しくありません。");
const std::string kTooNewFormat = Utf8ToCp932("このファイルはver %d.%02d以上のPlanwellでないと開けません。");
const std::string kLogText = "CGroup::ReadFile() ex->m_cause=";

// Files of scheduler versions above 3.15 may hold records this reader misreads.
constexpr std::uint32_t kNewestReadableVersion = 315;

std::string PathText(const std::filesystem::path& path) {
  const std::u8string utf8 = path.u8string();
  return Utf8ToCp932(std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size()));
}

std::string TooNewMessage(std::uint32_t version) {
  char text[256];
  std::snprintf(text, sizeof text, kTooNewFormat.c_str(), static_cast<int>(version / 100),
                static_cast<int>(version % 100));
  return text;
}

}  // namespace

std::optional<Problem> CGroup::ReadFile(const std::filesystem::path& path) {
  Clear();
  SetPath(path.empty() ? std::filesystem::path(path_) : path);

  try {
    ArchiveReader reader;
    reader.Open(path_);
    ReadContents(reader);
  } catch (const FileError& error) {
    // File errors go to the diagnostic log as well.
    return Problem{error.cause == kCauseFileNotFound
                       ? kNotFoundBefore + PathText(path_) + kNotFoundAfter
                       : kFileInvalid,
                   MessageKind::kExclamation, path_, error.cause, kLogText};
  } catch (const ArchiveError&) {
    return Problem{kFileMalformed, MessageKind::kExclamation, path_, kCauseEndOfFile, {}};
  }

  // Checked only after every record was read, as the scheduler's own reader does.
  const std::uint32_t schedulerVersion = version >> 16;
  if (schedulerVersion > kNewestReadableVersion) {
    Clear();
    return Problem{TooNewMessage(schedulerVersion), MessageKind::kError, path_, kCauseNone, {}};
  }
  return std::nullopt;
}

void CGroup::ReadContents(ArchiveReader& reader) {
  leadWord = reader.ReadU32();
  reader.ReadString(name);
  const std::uint32_t memberCount = reader.ReadU32();
  const std::uint32_t stringCount = reader.ReadU32();
  const std::uint32_t wordCount = reader.ReadU32();
  const std::uint32_t groupStringCount = reader.ReadU32();
  const std::uint32_t groupWordCount = reader.ReadU32();

  if (groupStringCount >= 1) {
    reader.ReadString(groupNote);
    reader.SkipStrings(std::int64_t{groupStringCount} - 1);
  } else {
    groupNote.clear();
  }
  if (groupWordCount >= 1) {
    version = reader.ReadU32();
    reader.SkipU32(std::int64_t{groupWordCount} - 1);
  } else {
    version = kDefaultVersion;
  }

  // No room is reserved for the stored count: a damaged file may claim billions
  // of members, and the records themselves end it with end of file.
  for (std::uint32_t i = 0; i < memberCount; ++i) {
    CMember member;
    member.group = this;
    reader.ReadString(member.name);
    reader.ReadString(member.key);
    reader.ReadString(member.text3);
    if (stringCount > 3) reader.ReadString(member.text4);
    if (stringCount > 4) reader.ReadString(member.text5);
    if (stringCount > 5) reader.ReadString(member.text6);
    if (stringCount > 6) reader.SkipStrings(std::int64_t{stringCount} - 6);
    member.flags = reader.ReadU32();
    if (wordCount > 1) reader.SkipU32(std::int64_t{wordCount} - 1);
    if ((member.flags & CMember::kDeleted) == 0) members_.push_back(std::move(member));
  }
}

void CGroup::SetPath(const std::filesystem::path& path) {
  path_ = path;
  if (monthFile_ != nullptr) monthFile_->UpdatePath();
}

void AppendVisibleMembers(const CGroup& group, std::vector<std::string>& keys,
                          std::vector<std::string>& names) {
  for (const CMember& member : group.Members()) {
    if (!member.IsVisible()) continue;
    keys.push_back(member.key);
    names.push_back(member.DisplayName());
  }
}

}  // namespace tallyer
