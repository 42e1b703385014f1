#pragma once

#include <locale.h>

#include <string>

namespace tallyer {

// While it lives, the calling thread formats numbers as the "C" locale does,
// whatever locale the program runs in: file formats want "0.5", and a
// library that formats numbers with printf would write "0,5" in a program
// that took a German or French locale (as Qt programs do on Unix).
class CNumericLocale {
 public:
  CNumericLocale();
  ~CNumericLocale();
  CNumericLocale(const CNumericLocale&) = delete;
  CNumericLocale& operator=(const CNumericLocale&) = delete;

 private:
#ifdef _WIN32
  int previousMode_ = 0;
  std::string previousNumeric_;
#else
  locale_t numeric_ = nullptr;
  locale_t previous_ = nullptr;
#endif
};

}  // namespace tallyer
