#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "data/date_time.h"
#include "tally/tally_settings.h"

namespace tallyer {

// The result of one run as data: built once per run, whatever and however
// many outputs are asked for, and read by every formatter (the classic HTML
// page and CSV, the terminal table, JSON, the workbook, the summary page,
// the window's result view). Texts are CP932 as the files hold them, not
// escaped; minutes are the whole minutes the tally computes, before any
// duration form is applied.

// A count of schedules ("件") and their minutes.
struct TallyFigures {
  long long count = 0;
  long long minutes = 0;
};

// One row of a breakdown by key (modes 2 to 4), as the classic reports list it.
struct TallyRow {
  // Modes 2 and 3: the schedules' colour, 0x00BBGGRR as stored in the files.
  std::uint32_t color = 0;
  // Mode 3: the type file's name for the colour (its first entry with that
  // colour); empty when the file gives none (no entry, or an empty name).
  std::string typeName;
  // Mode 4: the schedules' content text, as stored (not folded).
  std::string content;
  TallyFigures figures;
};

// One listed member, in report order.
struct MemberTally {
  std::string key;   // the member's key (keys can repeat in a damaged group)
  std::string name;  // its display name
  // Mode 1: its schedules and minutes (overlap-free minutes under
  // noOverlap); modes 2 to 4: the sums of its rows.
  TallyFigures figures;
  // Modes 2 to 4: its rows in the classic reports' order (mode 2 colours
  // ascending by their stored number; mode 3 every entry of the type table
  // in table order, zero rows included, then the other colours ascending;
  // mode 4 contents in order of first occurrence). Empty in mode 1.
  std::vector<TallyRow> rows;
};

// One unit of a breakdown by period.
struct BreakdownPeriod {
  // "2025-01-06" for a day or a week (its Monday), "2025-01" for a month,
  // "2025" for a year or a fiscal year (the year it starts in).
  std::string label;
  // The later of the unit's first second and the period's first date-time,
  // and the earlier of the unit's last second (23:59:59 of its last day) and
  // the period's last date-time.
  DateTime from;
  DateTime to;
};

// The figures split by calendar units of the period: each cell holds the
// run's schedules (after every filter) whose start lies in that unit,
// figured as the run figures them, so a member's cells add up to its figures.
struct PeriodBreakdown {
  PeriodUnit unit = PeriodUnit::kMonth;
  std::vector<BreakdownPeriod> periods;  // every unit the period touches, in order
  // memberCells[i] belongs to members[i] of the result; its cells follow `periods`.
  std::vector<std::vector<TallyFigures>> memberCells;
  std::vector<TallyFigures> totals;  // per unit, summed over the members
};

struct TallyResult {
  // The options the run ran with: period, mode, members (everyone or the
  // selected keys), band, content filter, overlap, tentative, duration form,
  // type file, breakdown unit.
  TallySettings settings;
  // The type colour file as the user named it, for outputs that show it
  // (the command line keeps its argument; the window its chosen path).
  std::filesystem::path typeFileShown;
  std::string groupName;
  // When the outputs say they were made: GenerationTime() of the run.
  DateTime generatedAt;
  // Exactly the members the classic reports list, in their order, members
  // without schedules included.
  std::vector<MemberTally> members;
  // The members' figures summed.
  TallyFigures totals;
  // Modes 2 to 4: the members' rows summed by key (colour, or content),
  // ordered as a member's rows: mode 2 colours ascending; mode 3 each colour
  // of the type table once, in table order with its first entry's name and
  // zeros when nobody used it, then the other colours ascending; mode 4
  // first seen, walking the members in order and each member's rows in
  // order. Empty in mode 1.
  std::vector<TallyRow> teamRows;
  // Only when the settings ask for a breakdown unit.
  std::optional<PeriodBreakdown> breakdown;
};

}  // namespace tallyer
