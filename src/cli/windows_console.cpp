#include "cli/windows_console.h"

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>
#include <iostream>
#include <memory>

namespace tallyer::cli {

std::vector<std::string> Utf8Arguments() {
  std::vector<std::string> args;
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return args;
  for (int i = 0; i < count; ++i) args.push_back(Utf16ToUtf8(wide[i]));
  LocalFree(wide);
  return args;
}

std::string Utf16ToUtf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), length, out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring Utf8ToUtf16(std::string_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), length, out.data(), n);
  return out;
}

bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
         GetFileType(handle) == FILE_TYPE_CHAR && GetConsoleMode(handle, &mode) != 0;
}

std::size_t WholeUtf8Prefix(std::string_view bytes) {
  // Look back over at most three continuation bytes for the last lead byte.
  std::size_t start = bytes.size();
  for (int back = 0; back < 4 && start > 0; ++back) {
    const auto c = static_cast<unsigned char>(bytes[start - 1]);
    if ((c & 0xC0) != 0x80) {
      --start;
      const std::size_t need = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
      return bytes.size() - start >= need ? bytes.size() : start;
    }
    --start;
  }
  return bytes.size();  // no lead byte close enough: nothing to wait for
}

ConsoleBuffer::int_type ConsoleBuffer::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  pending_.push_back(traits_type::to_char_type(c));
  if (c == '\n') sync();
  return c;
}

std::streamsize ConsoleBuffer::xsputn(const char* s, std::streamsize n) {
  pending_.append(s, static_cast<std::size_t>(n));
  if (pending_.size() >= 4096) sync();
  return n;
}

int ConsoleBuffer::sync() {
  const std::size_t whole = WholeUtf8Prefix(pending_);
  const std::wstring text = Utf8ToUtf16(std::string_view(pending_).substr(0, whole));
  pending_.erase(0, whole);
  for (std::size_t done = 0; done < text.size();) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(text.size() - done, 8192));
    if (!WriteConsoleW(console_, text.data() + done, chunk, &written, nullptr) || written == 0) {
      return -1;
    }
    done += written;
  }
  return 0;
}

void SetUpStandardStreams() {
  struct Stream {
    DWORD id;
    std::FILE* file;
    std::ostream& stream;
  };
  for (const Stream& s : {Stream{STD_OUTPUT_HANDLE, stdout, std::cout},
                          Stream{STD_ERROR_HANDLE, stderr, std::cerr}}) {
    const HANDLE handle = GetStdHandle(s.id);
    if (IsConsole(handle)) {
      // Kept for the whole run: the streams use it until the program ends.
      static std::vector<std::unique_ptr<ConsoleBuffer>> buffers;
      buffers.push_back(std::make_unique<ConsoleBuffer>(handle));
      s.stream.flush();
      s.stream.rdbuf(buffers.back().get());
    } else {
      std::fflush(s.file);
      _setmode(_fileno(s.file), _O_BINARY);
    }
  }
}

namespace {

// Bytes straight to the standard output handle.
class HandleBuffer : public std::streambuf {
 public:
  explicit HandleBuffer(HANDLE handle) : handle_(handle) {}

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    const char byte = traits_type::to_char_type(c);
    return xsputn(&byte, 1) == 1 ? c : traits_type::eof();
  }
  std::streamsize xsputn(const char* s, std::streamsize n) override {
    std::streamsize done = 0;
    while (done < n) {
      DWORD written = 0;
      const DWORD chunk = static_cast<DWORD>(std::min<std::streamsize>(n - done, 1 << 20));
      if (!WriteFile(handle_, s + done, chunk, &written, nullptr) || written == 0) break;
      done += written;
    }
    return done;
  }

 private:
  HANDLE handle_;
};

}  // namespace

std::ostream& RawStandardOutput() {
  std::cout.flush();
  std::fflush(stdout);
  static HandleBuffer buffer(GetStdHandle(STD_OUTPUT_HANDLE));
  static std::ostream stream(&buffer);
  return stream;
}

}  // namespace tallyer::cli
