// KEB image to ISO image, over the fakes: the image produced, and every way the routine ends.
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

const std::string SOURCE = "/in/disc.keb";
const std::string DESTINATION = "/out/disc.ISO";

Bytes Stored(int blocks)
{
  return testing::Pattern(static_cast<std::size_t>(blocks) * 2048, 7);
}

class ConvertKebToIsoTest : public ::testing::Test
{
protected:
  void SetUp() override { rig.window.answers[text::QUESTION_START] = true; }
  ConversionRig rig;
};

TEST_F(ConvertKebToIsoTest, RestoresTheSystemAreaThenCopiesEveryBlock)
{
  const Bytes data = Stored(284);
  rig.files.Add(SOURCE, testing::MakeKebImage(data));
  ASSERT_EQ(rig.RunKebToIso(SOURCE, DESTINATION), ResultCode::Done);

  Bytes expected(32768, 0);
  expected.insert(expected.end(), data.begin(), data.end());
  EXPECT_EQ(rig.files.Data(DESTINATION), expected);
  EXPECT_EQ(rig.window.Text(Control::Panel4), "(100%)");
  EXPECT_EQ(rig.window.progress_position, 100);
  EXPECT_FALSE(rig.window.visible[Control::Button2]);
  EXPECT_TRUE(rig.window.enabled[Control::Button1]);
  EXPECT_TRUE(rig.window.enabled[Control::BitBtn1]);
  EXPECT_FALSE(rig.window.busy_cursor);
}

TEST_F(ConvertKebToIsoTest, WithoutTheFlagOnlyTheStoredData)
{
  const Bytes data = Stored(284);
  rig.files.Add(SOURCE, testing::MakeKebImage(data, 0, 0x00));
  ASSERT_EQ(rig.RunKebToIso(SOURCE, DESTINATION), ResultCode::Done);
  EXPECT_EQ(rig.files.Data(DESTINATION), data);
}

TEST_F(ConvertKebToIsoTest, ShortLastBlockIsPaddedWithZeros)
{
  Bytes data = Stored(3);
  data.resize(2 * 2048 + 100);
  rig.files.Add(SOURCE, testing::MakeKebImage(data, 0, 0x00));
  ASSERT_EQ(rig.RunKebToIso(SOURCE, DESTINATION), ResultCode::Done);
  Bytes expected = data;
  expected.resize(3 * 2048, 0);
  EXPECT_EQ(rig.files.Data(DESTINATION), expected);
}

TEST_F(ConvertKebToIsoTest, HeaderOnlyGivesSixteenZeroSectors)
{
  rig.files.Add(SOURCE, testing::MakeKebImage({}));
  ASSERT_EQ(rig.RunKebToIso(SOURCE, DESTINATION), ResultCode::Done);
  EXPECT_EQ(rig.files.Data(DESTINATION), Bytes(32768, 0));
  EXPECT_EQ(rig.window.Texts(Control::Panel4), std::vector<std::string>{"(100%)"});
}

TEST_F(ConvertKebToIsoTest, RawKindWithUncompressedRecordCopiesFromItsOffset)
{
  Bytes image = testing::MakeKebImage({}, 5);
  image.resize(700, 0);
  image[520] = 0;
  image[521] = 0xBC;  // data offset 700
  image[522] = 0x02;
  const Bytes data = Stored(2);
  image.insert(image.end(), data.begin(), data.end());
  rig.files.Add(SOURCE, image);
  ASSERT_EQ(rig.RunKebToIso(SOURCE, DESTINATION), ResultCode::Done);
  Bytes expected(32768, 0);
  expected.insert(expected.end(), data.begin(), data.end());
  EXPECT_EQ(rig.files.Data(DESTINATION), expected);
}

TEST_F(ConvertKebToIsoTest, RawKindWhoseDataFollowsTheHeaderStartsAt512)
{
  // Reading the record has moved the file to 768; the data still starts at 512.
  Bytes image = testing::MakeKebImage(Stored(3), 5);
  const std::uint8_t record[] = {0, 0x00, 0x02, 0x00, 0x00};  // kind 0 and offset 512
  std::copy(std::begin(record), std::end(record), image.begin() + 520);
  rig.files.Add(SOURCE, image);
  ASSERT_EQ(rig.RunKebToIso(SOURCE, DESTINATION), ResultCode::Done);
  Bytes expected(32768, 0);
  expected.insert(expected.end(), image.begin() + 512, image.end());
  EXPECT_EQ(rig.files.Data(DESTINATION), expected);
}

TEST_F(ConvertKebToIsoTest, FreeSpaceBoundary)
{
  // (512 + 284 x 2048 + 32256) / 1000 = 614.
  rig.files.Add(SOURCE, testing::MakeKebImage(Stored(284)));
  rig.state.destination_free_space = 613;
  EXPECT_EQ(rig.RunKebToIso(SOURCE, DESTINATION), ResultCode::NoSpace);
  EXPECT_FALSE(rig.files.Has(DESTINATION));
  rig.state.destination_free_space = 614;
  EXPECT_EQ(rig.RunKebToIso(SOURCE, DESTINATION), ResultCode::Done);
}

TEST_F(ConvertKebToIsoTest, TerabytesFreeNeverFailTheCheck)
{
  rig.files.Add(SOURCE, testing::MakeKebImage(Stored(4)));
  rig.state.destination_free_space = 3'000'000'000;  // 3 TB, negative in 32 bits
  EXPECT_EQ(rig.RunKebToIso(SOURCE, DESTINATION), ResultCode::Done);
}

struct RefusalCase
{
  const char* name;
  Bytes image;
  std::int64_t free_space;
  ResultCode code;
};

class KebToIsoRefusal : public ::testing::TestWithParam<RefusalCase>
{
};

TEST_P(KebToIsoRefusal, LeavesAnExistingDestinationUntouched)
{
  const RefusalCase& c = GetParam();
  ConversionRig rig;
  rig.window.answers[text::QUESTION_START] = true;
  rig.files.Add(SOURCE, c.image);
  const Bytes old = testing::Pattern(5000, 3);
  rig.files.Add(DESTINATION, old);
  rig.state.confirmed = 1;
  rig.state.destination_free_space = c.free_space;
  EXPECT_EQ(rig.RunKebToIso(SOURCE, DESTINATION), c.code);
  EXPECT_EQ(rig.files.Data(DESTINATION), old);
  EXPECT_TRUE(rig.window.questions.empty());
  EXPECT_EQ(rig.window.process_events_count, 0);
}

Bytes WithByte(Bytes image, std::size_t at, std::uint8_t value)
{
  if (image.size() <= at)
    image.resize(at + 1, 0);
  image[at] = value;
  return image;
}

INSTANTIATE_TEST_SUITE_P(
    Codes, KebToIsoRefusal,
    ::testing::Values(
        RefusalCase{"WrongMagic", testing::MakeKebImage(Stored(2), 0, 0x80, "KEB V2.0"), 1000,
                    ResultCode::NotExpectedKind},
        RefusalCase{"WrongMagicWithoutRoomIsNoSpace",
                    testing::MakeKebImage(Stored(2), 7, 0x80, "NOTAKEB!"), 0, ResultCode::NoSpace},
        RefusalCase{"EmptyFile", {}, 1000, ResultCode::NotExpectedKind},
        RefusalCase{"TruncatedHeader", Bytes(100, 0), 1000, ResultCode::NotExpectedKind},
        RefusalCase{"UnknownKind", testing::MakeKebImage(Stored(2), 3), 1000,
                    ResultCode::NotUncompressed},
        RefusalCase{"RawAsWritten", WithByte(testing::MakeKebImage(Stored(2), 5), 520, 3), 1000,
                    ResultCode::NotUncompressed},
        RefusalCase{"RawCutBeforeItsRecord", testing::MakeKebImage({}, 5), 1000,
                    ResultCode::NotUncompressed}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ConvertKebToIsoTest, StartQuestionNoCreatesNothing)
{
  rig.files.Add(SOURCE, testing::MakeKebImage(Stored(2)));
  rig.window.answers[text::QUESTION_START] = false;
  EXPECT_EQ(rig.RunKebToIso(SOURCE, DESTINATION), ResultCode::Aborted);
  EXPECT_EQ(rig.window.questions, std::vector<std::string>{text::QUESTION_START});
  EXPECT_FALSE(rig.files.Has(DESTINATION));
}

TEST_F(ConvertKebToIsoTest, ConfirmedOverwriteAsksNoStartQuestion)
{
  rig.files.Add(SOURCE, testing::MakeKebImage(Stored(2)));
  rig.state.confirmed = 1;
  EXPECT_EQ(rig.RunKebToIso(SOURCE, DESTINATION), ResultCode::Done);
  EXPECT_TRUE(rig.window.questions.empty());
}

TEST_F(ConvertKebToIsoTest, DestinationThatCannotBeCreated)
{
  rig.files.Add(SOURCE, testing::MakeKebImage(Stored(2)));
  rig.files.refuse_write.insert(DESTINATION);
  EXPECT_EQ(rig.RunKebToIso(SOURCE, DESTINATION), ResultCode::CannotOpen);

  ConversionRig second;
  second.window.answers[text::QUESTION_START] = true;
  second.files.Add(SOURCE, testing::MakeKebImage(Stored(2)));
  second.files.refuse_second_write.insert(DESTINATION);
  EXPECT_EQ(second.RunKebToIso(SOURCE, DESTINATION), ResultCode::CannotOpen);
  EXPECT_FALSE(second.files.Has(DESTINATION)) << "the file of the first open is removed";
}

TEST_F(ConvertKebToIsoTest, DestinationThatIsTheSourceIsRefusedUntouched)
{
  const Bytes image = testing::MakeKebImage(Stored(3));
  rig.files.Add(SOURCE, image);
  rig.files.Link(DESTINATION, SOURCE);
  EXPECT_EQ(rig.RunKebToIso(SOURCE, DESTINATION), ResultCode::CannotOpen);
  EXPECT_EQ(rig.files.Data(SOURCE), image);
}

TEST_F(ConvertKebToIsoTest, WriteErrorInTheSystemAreaOrABlock)
{
  for (const std::int64_t limit : {std::int64_t{5000}, std::int64_t{32768 + 3 * 2048 + 1}})
  {
    ConversionRig one;
    one.window.answers[text::QUESTION_START] = true;
    one.files.Add(SOURCE, testing::MakeKebImage(Stored(10)));
    one.files.write_faults[DESTINATION].write_limit = limit;
    EXPECT_EQ(one.RunKebToIso(SOURCE, DESTINATION), ResultCode::WriteError) << limit;
    EXPECT_EQ(one.window.visible[Control::Button2], false) << "the window is unlocked";
  }
}

TEST_F(ConvertKebToIsoTest, ReadErrorIsNeverAFinishedFile)
{
  rig.files.Add(SOURCE, testing::MakeKebImage(Stored(10))).read_fails_at = 512 + 4 * 2048 + 10;
  EXPECT_EQ(rig.RunKebToIso(SOURCE, DESTINATION), ResultCode::ReadError);
  EXPECT_EQ(rig.files.Data(DESTINATION).size(), 32768u + 4 * 2048);
}

TEST_F(ConvertKebToIsoTest, SourceOf2GiBIsRefusedBeforeAnythingIsWritten)
{
  rig.files.Add(SOURCE, testing::MakeKebImage(Stored(1))).reported_length = std::int64_t{1} << 31;
  EXPECT_EQ(rig.RunKebToIso(SOURCE, DESTINATION), ResultCode::TooLarge);
  EXPECT_FALSE(rig.files.Has(DESTINATION));
}

TEST_F(ConvertKebToIsoTest, AbortStopsAfterTheSectorInFlight)
{
  rig.files.Add(SOURCE, testing::MakeKebImage(Stored(50)));
  rig.window.on_process_events = [this](int call)
  {
    if (call == 3)
      rig.window.ClickAbort();
  };
  EXPECT_EQ(rig.RunKebToIso(SOURCE, DESTINATION), ResultCode::Aborted);
  // The block whose read follows the click is still copied.
  EXPECT_EQ(rig.files.Data(DESTINATION).size(), 32768u + 3 * 2048);
  EXPECT_TRUE(rig.window.enabled[Control::Button1]);
}

TEST_F(ConvertKebToIsoTest, SourceChangingDuringTheRun)
{
  const Bytes data = Stored(40);
  for (const bool shrink : {true, false})
  {
    ConversionRig one;
    one.window.answers[text::QUESTION_START] = true;
    auto& node = one.files.Add(SOURCE, testing::MakeKebImage(data, 0, 0x00));
    one.window.on_process_events = [&node, shrink](int call)
    {
      if (call == 5)
        node.data.resize(shrink ? 512 + 10 * 2048 : 512 + 80 * 2048, 0x77);
    };
    EXPECT_EQ(one.RunKebToIso(SOURCE, DESTINATION),
              shrink ? ResultCode::ReadError : ResultCode::Done);
    if (!shrink)
      EXPECT_EQ(one.files.Data(DESTINATION), data);
  }
}

}  // namespace
}  // namespace vavizi
