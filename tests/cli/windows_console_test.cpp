// The console itself cannot be driven without a display: these test the
// decision between console and redirection, and the text that a console gets.
#ifdef _WIN32
#include "cli/windows_console.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temp_dir.h"

namespace tallyer::cli {
namespace {

TEST(WindowsConsoleTest, FilesPipesAndTheNulDeviceAreNoConsole) {
  testing::TempDir dir;
  const HANDLE file = CreateFileW((dir.Path() / L"out.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(IsConsole(file));
  CloseHandle(file);

  HANDLE read = nullptr;
  HANDLE write = nullptr;
  ASSERT_TRUE(CreatePipe(&read, &write, nullptr, 0));
  EXPECT_FALSE(IsConsole(write));
  CloseHandle(read);
  CloseHandle(write);

  const HANDLE nul = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(nul, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(IsConsole(nul));  // a character device, but no console
  CloseHandle(nul);
  EXPECT_FALSE(IsConsole(INVALID_HANDLE_VALUE));
  EXPECT_FALSE(IsConsole(nullptr));
}

TEST(WindowsConsoleTest, ConsoleTextIsTheUtf16OfTheUtf8) {
  EXPECT_EQ(Utf8ToUtf16("グループ名：営業部"), L"グループ名：営業部");
  EXPECT_EQ(Utf8ToUtf16("ｶｲｷﾞ 5:00"), L"ｶｲｷﾞ 5:00");
  EXPECT_EQ(Utf8ToUtf16("😀"), std::wstring(L"\xD83D\xDE00"));
  EXPECT_EQ(Utf16ToUtf8(L"田中 一郎"), "田中 一郎");
  EXPECT_EQ(Utf8ToUtf16(""), L"");
}

TEST(WindowsConsoleTest, AWriteCutInsideACharacterWaitsForItsRest) {
  const std::string kai = "会";  // three bytes
  EXPECT_EQ(WholeUtf8Prefix("ab"), 2u);
  EXPECT_EQ(WholeUtf8Prefix("a" + kai), 4u);
  // Built by appending, which GCC 12 does not falsely warn about.
  for (const std::size_t cut : {1u, 2u})
    EXPECT_EQ(WholeUtf8Prefix(std::string("a").append(kai, 0, cut)), 1u) << cut;
  EXPECT_EQ(WholeUtf8Prefix("\xF0\x9F\x98"), 0u);
  EXPECT_EQ(WholeUtf8Prefix("\xF0\x9F\x98\x80"), 4u);
  EXPECT_EQ(WholeUtf8Prefix("\x80\x80\x80\x80\x80"), 5u);  // no character to wait for
}

}  // namespace
}  // namespace tallyer::cli
#endif
