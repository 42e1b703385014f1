#pragma once

#include <filesystem>
#include <string>
#include <vector>

// A large, realistic group for measuring the tally: M members, a month file
// for every month of Y years from kFirstYear on, K schedules per member per
// working day, a few hundred distinct contents (Japanese and full-width
// ASCII), revisions in chains (about 5%), tentative entries (2%), overnight
// work and a type colour file. The same arguments always give the same bytes,
// and a month depends only on its year, its month and the member count, so a
// shorter period is a prefix of a longer one.
namespace tallyer::bench {

inline constexpr int kFirstYear = 2016;

struct BenchMember {
  std::string name;  // CP932
  std::string key;
};

std::vector<BenchMember> BenchMembers(int count);
std::string BenchGroupFile(const std::vector<BenchMember>& members);
std::string BenchTypeFile();
// The bytes of one month file; `records` receives the number of records.
std::string BenchMonthFile(int year, int month, const std::vector<BenchMember>& members, int perDay,
                           std::size_t* records = nullptr, bool shortTexts = false);
// The distinct content texts (CP932) the month files draw from.
std::vector<std::string> BenchContents();

// FOLDER/bench.group, FOLDER/bench.type, FOLDER/benchYYYYMM.sch and, written
// last, FOLDER/bench.counts: one line per month file, its name, TAB, its
// number of records.
std::filesystem::path BenchMonthPath(const std::filesystem::path& folder, int year, int month);
// shortTexts: contents empty or a word, for a set of small records (about 70
// bytes a record instead of about 90).
void WriteBenchData(const std::filesystem::path& folder, int memberCount, int years, int perDay,
                    bool shortTexts = false);

}  // namespace tallyer::bench
