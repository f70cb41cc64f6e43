// The conversion command over the fakes: the checks before a run, the overwrite question, the
// messages of every outcome, the closing of files and the reset after a success.
#include "core/messages.h"
#include "support/conversion_rig.h"
#include "support/image_builder.h"

#include <gtest/gtest.h>

namespace vavizi
{
namespace
{

using testing::Bytes;
using testing::ConversionRig;

TEST(ConversionCommand, NothingSelected)
{
  ConversionRig rig;
  rig.state.file_selected = 0;
  ConversionCommand(rig.context);
  EXPECT_EQ(rig.window.Text(Control::Panel1), text::NOTHING_SELECTED);
  EXPECT_EQ(rig.window.Texts(Control::Panel4).size(), 0u);
  EXPECT_EQ(rig.window.titles, std::vector<std::string>{"VAVIZI"});
  EXPECT_EQ(rig.files.open_count, 0);
}

struct RefusedSource
{
  const char* name;
  const char* path;
  const char* message;
};

class CommandRefusesSource : public ::testing::TestWithParam<RefusedSource>
{
};

TEST_P(CommandRefusesSource, WithItsMessageAndNothingOpen)
{
  ConversionRig rig;
  rig.RunCommand(GetParam().path);
  EXPECT_EQ(rig.window.Text(Control::Panel1), GetParam().message);
  EXPECT_EQ(rig.window.titles.back(), "VAVIZI");
  EXPECT_EQ(rig.window.titles.front(), text::TITLE_START);
  EXPECT_EQ(rig.window.Text(Control::Panel4), "(  0%)");
  EXPECT_EQ(rig.files.open_count, 0);
  EXPECT_EQ(rig.state.file_selected, 1) << "a failure keeps the selection armed";
  EXPECT_FALSE(rig.state.command_running);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandRefusesSource,
    ::testing::Values(
        RefusedSource{"NoDot", "/in/disc", "拡張子が有りません"},
        RefusedSource{"NothingSelectedInTheList", "", "拡張子が有りません"},
        RefusedSource{"TwoDots", "/in/disc.old.iso", "拡張子(.OLD.ISO)は違っています"},
        RefusedSource{"OtherExtension", "/in/disc.bin", "拡張子(.BIN)は違っています"},
        RefusedSource{"Missing", "/in/gone.iso", "ﾌｧｲﾙ(/in/gone.iso)がｵｰﾌﾟﾝ出来ません"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ConversionCommand, SuccessShowsTheDestinationAndResetsTheSelection)
{
  ConversionRig rig;
  rig.files.Add("/in/disc.iso", testing::MakeIsoData(40));
  rig.RunCommand("/in/disc.iso");
  EXPECT_EQ(rig.window.Text(Control::Panel1), "ﾌｧｲﾙ(/out/disc.KEB)が出来ました");
  EXPECT_EQ(rig.window.Texts(Control::Panel1)[1], "ﾌｧｲﾙ(/out/disc.KEB)に変換中");
  EXPECT_EQ(rig.window.reread_count, 1);
  EXPECT_EQ(rig.state.file_selected, 0);
  for (const Control panel : {Control::Panel6, Control::Panel8, Control::Panel10, Control::Panel12})
    EXPECT_EQ(rig.window.Texts(panel), std::vector<std::string>{""});
  EXPECT_EQ(rig.window.titles.back(), "VAVIZI");
  EXPECT_EQ(rig.files.close_count, rig.files.open_count);
  EXPECT_EQ(rig.files.unclosed_count, 0);
  EXPECT_EQ(rig.files.double_close_count, 0);

  ConversionCommand(rig.context);
  EXPECT_EQ(rig.window.Text(Control::Panel1), text::NOTHING_SELECTED);
}

TEST(ConversionCommand, KebSourceOfAnyCaseBecomesIso)
{
  for (const char* name : {"/in/disc.keb", "/in/disc.KEB", "/in/disc.Keb"})
  {
    ConversionRig rig;
    rig.files.Add(name, testing::MakeKebImage(testing::Pattern(4096, 1)));
    rig.window.answers[text::QUESTION_START] = true;
    rig.RunCommand(name);
    EXPECT_EQ(rig.window.Text(Control::Panel1), "ﾌｧｲﾙ(/out/disc.ISO)が出来ました") << name;
    EXPECT_EQ(rig.files.unclosed_count, 0);
  }
}

TEST(ConversionCommand, OverwriteNoLeavesTheOldFile)
{
  ConversionRig rig;
  rig.files.Add("/in/disc.keb", testing::MakeKebImage(testing::Pattern(4096, 1)));
  const Bytes old = testing::Pattern(1000, 9);
  rig.files.Add("/out/disc.ISO", old);
  rig.RunCommand("/in/disc.keb");
  EXPECT_EQ(rig.window.questions, std::vector<std::string>{text::QUESTION_OVERWRITE});
  EXPECT_EQ(rig.window.Text(Control::Panel1), text::ABORTED);
  EXPECT_EQ(rig.files.Data("/out/disc.ISO"), old);
  EXPECT_EQ(rig.files.close_count, rig.files.open_count);
}

TEST(ConversionCommand, OverwriteYesSkipsTheStartQuestion)
{
  ConversionRig rig;
  rig.files.Add("/in/disc.keb", testing::MakeKebImage(testing::Pattern(4096, 1)));
  rig.files.Add("/out/disc.ISO", testing::Pattern(1000, 9));
  rig.window.answers[text::QUESTION_OVERWRITE] = true;
  rig.RunCommand("/in/disc.keb");
  EXPECT_EQ(rig.window.questions, std::vector<std::string>{text::QUESTION_OVERWRITE});
  EXPECT_EQ(rig.files.Data("/out/disc.ISO").size(), 32768u + 4096);
}

TEST(ConversionCommand, EveryResultCodeHasItsMessage)
{
  struct Case
  {
    const char* name;
    const char* source;
    Bytes data;
    std::int64_t free_space;
    const char* message;
  };
  Bytes raw_keb = testing::MakeKebImage({}, 5);
  raw_keb.resize(1000, 0);
  raw_keb[520] = 3;
  const Case cases[] = {
      {"NotKeb", "/in/a.keb", Bytes(600, 0), 1'000'000, "ＫＥＢファイルでは有りません"},
      {"NotIso", "/in/a.iso", Bytes(40000, 0), 1'000'000, "ＩＳＯファイルでは有りません"},
      {"NotUncompressed", "/in/a.keb", raw_keb, 1'000'000, "ＫＥＢファイルが無圧縮では有りません"},
      {"NoSpace", "/in/a.iso", testing::MakeIsoData(100), 0, "格納ドライブの空きがありません"},
  };
  for (const Case& c : cases)
  {
    ConversionRig rig;
    rig.files.Add(c.source, c.data);
    rig.state.destination_free_space = c.free_space;
    rig.RunCommand(c.source);
    EXPECT_EQ(rig.window.Text(Control::Panel1), c.message) << c.name;
    EXPECT_EQ(rig.window.titles.back(), "VAVIZI") << c.name;
    EXPECT_EQ(rig.state.file_selected, 1) << c.name;
    EXPECT_EQ(rig.files.close_count, rig.files.open_count) << c.name;
  }
}

TEST(ConversionCommand, LostDataAtCloseIsAWriteError)
{
  ConversionRig rig;
  rig.files.Add("/in/disc.keb", testing::MakeKebImage(testing::Pattern(4096, 1)));
  rig.window.answers[text::QUESTION_START] = true;
  rig.files.write_faults["/out/disc.ISO"].close_fails = true;
  rig.RunCommand("/in/disc.keb");
  EXPECT_EQ(rig.window.Text(Control::Panel1), "ライトエラーです");
  EXPECT_EQ(rig.state.file_selected, 1);
  EXPECT_EQ(rig.window.reread_count, 0);
}

TEST(ConversionCommand, SecondCommandDuringARunStartsNothing)
{
  ConversionRig rig;
  rig.files.Add("/in/disc.iso", testing::MakeIsoData(60));
  int nested_runs = 0;
  rig.window.on_process_events = [&](int call)
  {
    if (call == 5)
    {
      const auto opens = rig.files.open_count;
      ConversionCommand(rig.context);  // the file list's double-click
      nested_runs += rig.files.open_count != opens;
    }
  };
  rig.RunCommand("/in/disc.iso");
  EXPECT_EQ(nested_runs, 0);
  EXPECT_EQ(rig.window.Text(Control::Panel1), "ﾌｧｲﾙ(/out/disc.KEB)が出来ました");
}

TEST(ConversionCommand, ReplacingALinkedDestinationLeavesTheOtherNameAlone)
{
  ConversionRig rig;
  rig.files.Add("/in/disc.iso", testing::MakeIsoData(40));
  const Bytes precious = testing::Pattern(3000, 4);
  rig.files.Add("/keep/precious.bin", precious);
  rig.files.Link("/out/disc.KEB", "/keep/precious.bin");
  rig.window.answers[text::QUESTION_OVERWRITE] = true;
  rig.RunCommand("/in/disc.iso");
  EXPECT_EQ(rig.window.Text(Control::Panel1), "ﾌｧｲﾙ(/out/disc.KEB)が出来ました");
  EXPECT_EQ(rig.files.Data("/keep/precious.bin"), precious);
  EXPECT_EQ(rig.files.Data("/out/disc.KEB").size(), 512u + 24 * 2048);
}

}  // namespace
}  // namespace vavizi
