// What a selection in the source file list shows, and when it clears the information.
#include "core/file_selection.h"

#include "support/fake_window.h"

#include <gtest/gtest.h>

namespace vavizi
{
namespace
{

using testing::FakeWindow;

FileRecord Record(const char* name, std::uint64_t size)
{
  const FatDateTime packed = PackFatDateTime({2000, 3, 5, 14, 7, 9});
  return {name, size, packed.date, packed.time};
}

TEST(SelectFile, FoundFileFillsAllFourPanels)
{
  ProgramState state;
  FakeWindow window;
  SelectFile(state, window, "/in/a.iso", Record("a.iso", 1234567));
  EXPECT_EQ(state.file_selected, 1);
  EXPECT_EQ(state.remembered_file_name, "/in/a.iso");
  EXPECT_EQ(window.Text(Control::Panel6), "1,234,567Byte");
  EXPECT_EQ(window.Text(Control::Panel12), "????Byte/ｾｸﾀ");
  EXPECT_EQ(window.Text(Control::Panel8), "2000-03-05");
  EXPECT_EQ(window.Text(Control::Panel10), "14:07:08");
}

TEST(SelectFile, NameWithoutDotClearsEverything)
{
  ProgramState state;
  FakeWindow window;
  SelectFile(state, window, "/in/noext", Record("noext", 10));
  EXPECT_EQ(state.file_selected, 0);
  EXPECT_EQ(state.remembered_file_name, "/in/noext");
  EXPECT_EQ(window.Texts(Control::Panel6), (std::vector<std::string>{"10Byte", ""}));
  EXPECT_EQ(window.Text(Control::Panel8), "");
}

TEST(SelectFile, VanishedFileKeepsPanelsOnlyWhenItWasTheLastOneFound)
{
  ProgramState state;
  FakeWindow window;
  SelectFile(state, window, "/in/a.iso", Record("a.iso", 2048));
  state.file_selected = 0;

  SelectFile(state, window, "/in/a.iso", std::nullopt);
  EXPECT_EQ(state.file_selected, 1);
  EXPECT_EQ(window.Text(Control::Panel6), "2,048Byte");

  SelectFile(state, window, "/in/b.iso", std::nullopt);
  EXPECT_EQ(state.file_selected, 0);
  EXPECT_EQ(window.Text(Control::Panel6), "");
  EXPECT_EQ(state.remembered_file_name, "/in/a.iso");
}

TEST(ClearFileInformation, EmptiesInOrder)
{
  ProgramState state;
  state.file_selected = 1;
  FakeWindow window;
  ClearFileInformation(state, window);
  EXPECT_EQ(state.file_selected, 0);
  EXPECT_EQ(window.log, (std::vector<std::string>{"text Panel6 ", "text Panel8 ", "text Panel10 ",
                                                  "text Panel12 "}));
}

}  // namespace
}  // namespace vavizi
