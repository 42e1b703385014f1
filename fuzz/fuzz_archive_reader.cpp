// The archive reader on arbitrary bytes: the first byte of each step picks the
// read operation, until the input ends. Every way out but end of file is a fault.
#include "data/archive_reader.h"
#include "data/file_error.h"
#include "fuzz_input.h"

using namespace tallyer;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const auto path = fuzz::WorkDir() / "input.bin";
  fuzz::WriteInput(path, data, size);
  ArchiveReader reader;
  std::string text;
  std::string scratch;
  std::size_t total = 0;
  try {
    reader.Open(path);
    for (;;) {
      switch (reader.ReadU8() % 10) {
        case 0: total += reader.ReadString().size(); break;
        case 1: reader.ReadString(text); total += text.size(); break;
        case 2: total += reader.ReadStringView(scratch).size(); break;
        case 3: reader.SkipStrings(reader.ReadU8()); break;
        case 4: reader.SkipU32(reader.ReadU32()); break;
        case 5: total += static_cast<std::size_t>(reader.ReadDateTime().Parts().dayOfYear); break;
        case 6: total += reader.ReadU16(); break;
        case 7: total += static_cast<std::size_t>(reader.ReadF64() > 0); break;
        case 8: total += static_cast<std::size_t>(reader.ReadI32() < 0); break;
        default: total += reader.ReadColor(); break;
      }
    }
  } catch (const ArchiveError& e) {
    if (e.cause != ArchiveError::kEndOfFile) __builtin_trap();
  } catch (const FileError&) {
  }
  return total == static_cast<std::size_t>(-1);
}
