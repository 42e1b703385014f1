#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "data/chain_index.h"
#include "data/problem.h"
#include "data/schedule.h"

namespace tallyer {

// Resolves the revision chains of one month's records (in file order, each at
// its position): a revision supersedes the records registered under its
// chain's root before it (kinds 1 and 2 also their direct target) and its link
// is rewritten to that root. A record linking forward is faulty and left as
// read; a link naming no record is never followed. Returns the position of
// the first faulty record, if any.
std::optional<std::int32_t> ResolveChains(std::vector<CSchedule>& records, ChainIndex& chainIndex);

// What the user is told of a faulty record of a month file: "致命的なエラー'1'
// がインデックス%dスケジュールで起きました。", error kind.
Problem FaultyLinkProblem(std::int32_t position, const std::filesystem::path& monthFile);

}  // namespace tallyer
