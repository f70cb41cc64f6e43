// The progress display: locking, the wait for a clock tick, percentage, remaining time and title.
#include "core/progress.h"

#include "support/conversion_rig.h"

#include <gtest/gtest.h>

namespace vavizi
{
namespace
{

using testing::ConversionRig;

TEST(Progress, StartLocksWaitsForATickAndEndUnlocks)
{
  ConversionRig rig;
  const std::int64_t before = rig.clock.now;
  ProgressState progress = ProgressStart(rig.context, 0, 1000);
  EXPECT_EQ(progress.start_second, before + 1);
  EXPECT_GT(rig.clock.sleep_count, 1) << "waits in short sleeps";
  EXPECT_FALSE(rig.window.enabled[Control::Button1]);
  EXPECT_FALSE(rig.window.enabled[Control::BitBtn1]);
  EXPECT_TRUE(rig.window.visible[Control::Button2]);
  EXPECT_TRUE(rig.window.busy_cursor);
  EXPECT_FALSE(AbortRequested(rig.context));

  ProgressEnd(rig.context);
  EXPECT_TRUE(rig.window.enabled[Control::Button1]);
  EXPECT_TRUE(rig.window.enabled[Control::BitBtn1]);
  EXPECT_FALSE(rig.window.visible[Control::Button2]);
  EXPECT_FALSE(rig.window.busy_cursor);
  EXPECT_EQ(rig.window.Text(Control::Panel16), "");
}

TEST(Progress, WithoutAlignmentStartsAtOnce)
{
  ConversionRig rig;
  rig.state.align_to_clock_second = false;
  ProgressState progress = ProgressStart(rig.context, 0, 1000);
  EXPECT_EQ(progress.start_second, rig.clock.now);
  EXPECT_EQ(rig.clock.sleep_count, 0);
}

TEST(Progress, RemainingTimeOncePerSecondFromTheAverageRate)
{
  ConversionRig rig;
  rig.state.align_to_clock_second = false;
  ProgressState progress = ProgressStart(rig.context, 0, 10000);

  ProgressStep(rig.context, progress, 100);  // same second: nothing timed yet
  EXPECT_EQ(rig.window.Text(Control::Panel4), "(  1%)");
  EXPECT_TRUE(rig.window.titles.empty());

  rig.clock.now += 10;  // 10 s for 20 %: 40 s to go
  ProgressStep(rig.context, progress, 2000);
  EXPECT_EQ(rig.window.Text(Control::Panel16), "00:40");
  EXPECT_EQ(rig.window.titles.back(), "変換済( 20%)残 00:40");
  EXPECT_EQ(rig.window.progress_position, 20);

  ProgressStep(rig.context, progress, 2500);  // same second again: percentage only
  EXPECT_EQ(rig.window.Text(Control::Panel4), "( 25%)");
  EXPECT_EQ(rig.window.titles.size(), 1u);
}

TEST(Progress, LongRunsShowMinutesAboveAnHour)
{
  ConversionRig rig;
  rig.state.align_to_clock_second = false;
  ProgressState progress = ProgressStart(rig.context, 0, 100000);
  rig.clock.now += 745;  // 745 s for 20 %: 2980 s to go
  ProgressStep(rig.context, progress, 20000);
  EXPECT_EQ(rig.window.Text(Control::Panel16), "49:40");
}

TEST(Progress, ZeroRemainingEmptiesThePanelAndKeepsTheTitle)
{
  ConversionRig rig;
  rig.state.align_to_clock_second = false;
  ProgressState progress = ProgressStart(rig.context, 0, 1000);
  rig.clock.now += 1;
  ProgressStep(rig.context, progress, 500);
  const auto title = rig.window.titles.back();
  rig.clock.now += 1;
  ProgressStep(rig.context, progress, 1000);
  EXPECT_EQ(rig.window.Text(Control::Panel16), "");
  EXPECT_EQ(rig.window.titles.back(), title);
}

TEST(Progress, ZeroDivisorShowsNothingNewAndTheRunGoesOn)
{
  ConversionRig rig;
  rig.state.align_to_clock_second = false;
  ProgressState progress = ProgressStart(rig.context, 512, 100000);
  rig.clock.now += 3;
  ProgressStep(rig.context, progress, 512);
  EXPECT_TRUE(rig.window.Texts(Control::Panel16).empty());
  EXPECT_TRUE(rig.window.titles.empty());
  ProgressStep(rig.context, progress, 50512);
  EXPECT_EQ(rig.window.Text(Control::Panel16), "00:02");  // 3 s for 50 %
}

TEST(Progress, RepaintsOnlyWhenTheShownPercentChanges)
{
  ConversionRig rig;
  rig.state.align_to_clock_second = false;
  ProgressState progress = ProgressStart(rig.context, 0, 1'000'000);
  for (std::int64_t position = 0; position <= 1'000'000; position += 2048)
    ProgressStep(rig.context, progress, position);
  EXPECT_EQ(rig.window.repaints[Control::Panel4], 100);
  EXPECT_EQ(rig.window.Texts(Control::Panel4).size(), 100u);
  EXPECT_EQ(rig.window.process_events_count, 489) << "events are still processed every sector";
}

TEST(Progress, PositionPastTheSizeStaysAtAHundred)
{
  ConversionRig rig;
  rig.state.align_to_clock_second = false;
  ProgressState progress = ProgressStart(rig.context, 512, 612);
  ProgressStep(rig.context, progress, 2560);
  EXPECT_EQ(rig.window.Text(Control::Panel4), "(100%)");
  EXPECT_EQ(rig.window.progress_position, 100);
}

}  // namespace
}  // namespace vavizi
