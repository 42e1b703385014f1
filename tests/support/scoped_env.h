#pragma once

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace tallyer::testing {

// Sets (or, with nullptr, removes) an environment variable for a scope and
// puts the old value back; the C library's time zone follows TZ.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    Set(name_, value);
  }
  ~ScopedEnv() { Set(name_, old_ ? old_->c_str() : nullptr); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  static void Set(const char* name, const char* value) {
#ifdef _WIN32
    // An empty value removes the variable there, so "" cannot be kept as "".
    ::_putenv_s(name, value != nullptr ? value : "");
    ::_tzset();
#else
    if (value != nullptr) ::setenv(name, value, 1); else ::unsetenv(name);
    ::tzset();
#endif
  }

  const char* name_;
  std::optional<std::string> old_;
};

}  // namespace tallyer::testing
