// Times the start of two programs against each other: runs them in turn,
// RUNS times each, every run with standard input from INPUT and standard
// output to /dev/null, and prints the median wall time of each in
// microseconds and their ratio. Taking them in turn lets both share whatever
// else the machine is doing at the time.
//
//   startup_timer RUNS INPUT PROGRAM TRIVIAL_PROGRAM

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

extern char** environ;

namespace {

/// Wall time of one run from spawn to exit, in microseconds; negative when
/// the program could not be started or did not exit normally.
double time_one_run(const char* program, const char* input) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, input, O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  char* const argv[] = {const_cast<char*>(program), nullptr};

  const auto start = std::chrono::steady_clock::now();
  pid_t child = 0;
  const int spawned = posix_spawn(&child, program, &actions, nullptr, argv, environ);
  int status = 0;
  const bool waited = spawned == 0 && waitpid(child, &status, 0) == child;
  const auto end = std::chrono::steady_clock::now();
  posix_spawn_file_actions_destroy(&actions);

  if (!waited || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1.0;
  return std::chrono::duration<double, std::micro>(end - start).count();
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: %s RUNS INPUT PROGRAM TRIVIAL_PROGRAM\n", argv[0]);
    return 2;
  }
  const int runs = std::atoi(argv[1]);
  if (runs <= 0) return 2;
  std::vector<double> program_us;
  std::vector<double> trivial_us;
  for (int i = 0; i < runs; ++i) {
    const double a = time_one_run(argv[3], argv[2]);
    const double b = time_one_run(argv[4], argv[2]);
    if (a < 0 || b < 0) {
      std::fprintf(stderr, "a run failed (%s or %s)\n", argv[3], argv[4]);
      return 1;
    }
    program_us.push_back(a);
    trivial_us.push_back(b);
  }
  const double a = median(program_us);
  const double b = median(trivial_us);
  std::printf("%.0f %.0f %.2f\n", a, b, a / b);
  return 0;
}
