// An environment variable set (or removed) for a scope, restored after it.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace sorel::testing {

class ScopedEnv {
 public:
  // `value` nullptr removes the variable.
  ScopedEnv(const char* variable, const char* value) : name(variable) {
    if (const char* now = std::getenv(variable)) previous = now;
    if (value) {
      setenv(variable, value, 1);
    } else {
      unsetenv(variable);
    }
  }
  ~ScopedEnv() {
    if (previous) {
      setenv(name.c_str(), previous->c_str(), 1);
    } else {
      unsetenv(name.c_str());
    }
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name;
  std::optional<std::string> previous;
};

}  // namespace sorel::testing
