// Running the pagehold command inside a test: its exit status and what it printed, and
// environment values that hold while an object lives.
#pragma once

#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <utility>

#include "cli/Commands.h"

namespace pagehold::testing {

struct CommandRun {
  int status = -1;
  std::string out;
  std::string err;
};

inline CommandRun RunCommand(const Arguments& args) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunPagehold(args, out, err);
  return {status, out.str(), err.str()};
}

// Sets an environment variable, or removes it for a null value.
inline void SetEnvironment(const char* name, const char* value) {
#ifdef _WIN32
  _putenv_s(name, value ? value : "");
#else
  if (value)
    setenv(name, value, 1);
  else
    unsetenv(name);
#endif
}

// Gives an environment variable a value while the object lives, then its value before.
class ScopedEnvironment {
 public:
  ScopedEnvironment(std::string name, const std::string& value) : name_(std::move(name)) {
    if (const char* previous = std::getenv(name_.c_str()))
      previous_ = previous;
    SetEnvironment(name_.c_str(), value.c_str());
  }
  ~ScopedEnvironment() { SetEnvironment(name_.c_str(), previous_ ? previous_->c_str() : nullptr); }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  std::string name_;
  std::optional<std::string> previous_;
};

}  // namespace pagehold::testing
