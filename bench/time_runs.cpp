// Runs a command several times and prints its median wall time, median
// processor time and largest peak resident set, measured by the clock and the
// kernel's accounting of the child rather than by /usr/bin/time (whose
// 10 ms steps swamp a read of a few tens of milliseconds).
//
//   tallyer-bench-time REPS STDERR_FILE COMMAND [ARGS...]
//
// The command's output goes to /dev/null, its error output to STDERR_FILE.
// Prints "WALL_SECONDS CPU_SECONDS PEAK_KIB"; exits 1 when a run fails.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double Seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4 || std::atoi(argv[1]) <= 0) {
    std::fprintf(stderr, "usage: tallyer-bench-time REPS STDERR_FILE COMMAND [ARGS...]\n");
    return 2;
  }
  const int reps = std::atoi(argv[1]);
  std::vector<double> walls, cpus;
  long peak = 0;
  for (int i = 0; i < reps; ++i) {
    const auto begin = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child < 0) return 1;
    if (child == 0) {
      const int out = open("/dev/null", O_WRONLY);
      const int err = open(argv[2], O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (out < 0 || err < 0) _exit(127);
      dup2(out, 1);
      dup2(err, 2);
      execvp(argv[3], argv + 3);
      _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child) return 1;
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      std::fprintf(stderr, "tallyer-bench-time: %s failed\n", argv[3]);
      return 1;
    }
    walls.push_back(std::chrono::duration<double>(end - begin).count());
    cpus.push_back(Seconds(usage.ru_utime) + Seconds(usage.ru_stime));
    peak = std::max(peak, usage.ru_maxrss);
  }
  std::printf("%.6f %.6f %ld\n", Median(walls), Median(cpus), peak);
  return 0;
}
