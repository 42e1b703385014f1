#pragma once

#include <vector>

#include "data/chain_index.h"
#include "data/schedule.h"

namespace tallyer {

class UiServices;

// Resolves the revision chains of one month's records (in file order, each at
// its position): a revision supersedes the records registered under its
// chain's root before it (kinds 1 and 2 also their direct target) and its link
// is rewritten to that root. A record linking forward is reported once per
// process and otherwise left as read; a link naming no record is never followed.
void ResolveChains(std::vector<CSchedule>& records, ChainIndex& chainIndex, UiServices& ui);

namespace detail {
// Lets tests see the once-per-process faulty-link message again.
void ResetFaultyLinkNotice();
}  // namespace detail

}  // namespace tallyer
