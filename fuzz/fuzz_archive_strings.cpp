// The archive reader's values and strings in any order: the first byte of each
// step picks what is read next, until the input ends.
#include "data/archive_reader.h"
#include "data/file_error.h"
#include "fuzz_input.h"

using namespace tallyer;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const auto path = fuzz::WorkDir() / "input.bin";
  fuzz::WriteInput(path, data, size);
  ArchiveReader reader;
  std::string text;
  std::size_t total = 0;
  try {
    reader.Open(path);
    for (;;) {
      switch (reader.ReadU8() % 8) {
        case 0: total += reader.ReadString().size(); break;
        case 1: reader.ReadString(text); total += text.size(); break;
        case 2: reader.SkipStrings(reader.ReadU8()); break;
        case 3: reader.SkipU32(reader.ReadU32()); break;
        case 4: total += static_cast<std::size_t>(reader.ReadDateTime().Parts().dayOfYear); break;
        case 5: total += reader.ReadU16(); break;
        case 6: total += static_cast<std::size_t>(reader.ReadF64() > 0); break;
        default: total += reader.ReadColor(); break;
      }
    }
  } catch (const ArchiveError& e) {
    if (e.cause != ArchiveError::kEndOfFile) __builtin_trap();
  } catch (const FileError&) {
  }
  return total == static_cast<std::size_t>(-1);
}
