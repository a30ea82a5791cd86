// Runs a whole program the way a person would, for benchmarks that compare commands: output
// thrown away, the wall time of the run measured from start to exit, and the processor time the
// system accounted to it.
#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace pagehold::bench {

struct RunCost {
  double wallSeconds = 0;
  double cpuSeconds = 0;  // user and system time of the program

  RunCost& operator+=(const RunCost& other) {
    wallSeconds += other.wallSeconds;
    cpuSeconds += other.cpuSeconds;
    return *this;
  }
};

inline double Seconds(const timeval& time) {
  return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

// What the program cost, start to exit; throws when it cannot be started or does not exit with
// status 0, so that a failing command is never timed as a fast one.
inline RunCost RunAndMeasure(const std::vector<std::string>& command) {
  std::vector<char*> argv;
  for (const std::string& word : command)
    argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  const auto start = std::chrono::steady_clock::now();
  pid_t child = 0;
  const int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0)
    throw std::runtime_error("cannot start " + command[0]);
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  const auto end = std::chrono::steady_clock::now();
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
    throw std::runtime_error(command[0] + " " + command[1] + " failed");
  return {std::chrono::duration<double>(end - start).count(),
          Seconds(usage.ru_utime) + Seconds(usage.ru_stime)};
}

// The seconds the program took, start to exit.
inline double RunSeconds(const std::vector<std::string>& command) {
  return RunAndMeasure(command).wallSeconds;
}

// The processor time this process has used so far, user and system.
inline double OwnCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
}

}  // namespace pagehold::bench
