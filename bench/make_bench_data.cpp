// Writes the benchmark data set (see bench_data.h).
//
//   tallyer-make-bench-data FOLDER MEMBERS YEARS [PER_DAY] [short]
//
// "short" writes small records: contents empty or a word.
#include <charconv>
#include <filesystem>
#include <iostream>
#include <string_view>
#include <system_error>

#include "bench/bench_data.h"

namespace {

bool ParseCount(std::string_view text, int& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size() && value > 0;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tallyer::bench;
  int memberCount = 0, years = 0, perDay = 4;
  const bool shortTexts = argc == 6 && std::string_view(argv[5]) == "short";
  if ((argc != 4 && argc != 5 && !shortTexts) || !ParseCount(argv[2], memberCount) ||
      !ParseCount(argv[3], years) || (argc >= 5 && !ParseCount(argv[4], perDay))) {
    std::cerr << "usage: tallyer-make-bench-data FOLDER MEMBERS YEARS [PER_DAY] [short]\n";
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) {
    std::cerr << "tallyer-make-bench-data: " << folder.string() << ": " << ec.message() << "\n";
    return 1;
  }
  WriteBenchData(folder, memberCount, years, perDay, shortTexts);
  if (!std::filesystem::exists(BenchMonthPath(folder, kFirstYear + years - 1, 12))) {
    std::cerr << "tallyer-make-bench-data: cannot write into " << folder.string() << "\n";
    return 1;
  }
  std::cout << "bench data: " << folder.string() << "/bench.group, " << memberCount << " members, "
            << years << " years from " << kFirstYear << ", " << perDay << " per member and working day, "
            << BenchContents().size() << " distinct contents\n";
  return 0;
}
