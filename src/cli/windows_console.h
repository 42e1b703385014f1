#pragma once

// Text in and out of tallyer-cli on Windows. Arguments arrive as UTF-16 and
// are handed on as UTF-8; messages and the table are UTF-8 inside the program
// and reach a console as UTF-16 (WriteConsoleW), a file or pipe as UTF-8 bytes.
#ifdef _WIN32
#include <windows.h>

#include <iosfwd>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

namespace tallyer::cli {

// The program's arguments, argv[0] included, in UTF-8.
std::vector<std::string> Utf8Arguments();

std::string Utf16ToUtf8(std::wstring_view text);
std::wstring Utf8ToUtf16(std::string_view text);

// True for a console; false for a file, a pipe or the NUL device, which get
// the UTF-8 bytes themselves.
bool IsConsole(HANDLE handle);

// The longest start of `bytes` that ends on a whole UTF-8 sequence; the rest
// waits for the next bytes written.
std::size_t WholeUtf8Prefix(std::string_view bytes);

// Writes UTF-8 text to a console as UTF-16.
class ConsoleBuffer : public std::streambuf {
 public:
  explicit ConsoleBuffer(HANDLE console) : console_(console) {}
  ~ConsoleBuffer() override { sync(); }

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* s, std::streamsize n) override;
  int sync() override;

 private:
  HANDLE console_;
  std::string pending_;
};

// Sets standard output and error up for UTF-8 text: a console stream gets a
// ConsoleBuffer, a redirected one binary mode (no CR before each LF).
void SetUpStandardStreams();

// Standard output for a report's own bytes (CP932), never converted.
std::ostream& RawStandardOutput();

}  // namespace tallyer::cli
#endif
