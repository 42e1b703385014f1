#include "cli/terminal_host.h"

#include <gtest/gtest.h>

#include <sstream>

#include "data/cp932.h"

namespace tallyer::cli {
namespace {

TEST(TerminalHostTest, WritesEachMessageAsOneUtf8Line) {
  std::ostringstream err;
  TerminalHost host(err);
  host.ShowMessage(Utf8ToCp932("日付範囲が不正です。"), MessageKind::kExclamation);
  host.ShowMessage(Utf8ToCp932("出力しました。"), MessageKind::kInformation);
  host.ShowMessage(Utf8ToCp932("ﾌｧｲﾙ"), MessageKind::kError);
  host.ShowDebugMessage("CGroup");
  host.SetProgress(50);
  EXPECT_TRUE(host.OpenDocument("page.html"));
  EXPECT_EQ(err.str(),
            "tallyer-cli: 日付範囲が不正です。\n"
            "tallyer-cli: 出力しました。\n"
            "tallyer-cli: ﾌｧｲﾙ\n"
            "tallyer-cli: Debug: CGroup\n");
}

TEST(TerminalHostTest, QuietInformationDropsOnlyInformation) {
  std::ostringstream err;
  TerminalHost host(err);
  host.SetQuietInformation(true);
  host.ShowMessage(Utf8ToCp932("出力しました。"), MessageKind::kInformation);
  host.ShowMessage(Utf8ToCp932("集計モードを選択して下さい。"), MessageKind::kExclamation);
  EXPECT_EQ(err.str(), "tallyer-cli: 集計モードを選択して下さい。\n");
}

}  // namespace
}  // namespace tallyer::cli
