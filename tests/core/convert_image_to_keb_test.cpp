// CD image to KEB image, over the fakes: every layout, both forms, the questions and every ending.
#include "core/keb_format.h"
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

const std::string SOURCE = "/in/disc.iso";
const std::string DESTINATION = "/out/disc.KEB";

Bytes PlainKebOf(const Bytes& iso, std::int64_t image_size, std::string_view description)
{
  const auto header =
      keb::BuildHeader(keb::Form::Plain, static_cast<std::uint32_t>(image_size), description);
  Bytes keb(header.begin(), header.end());
  const std::size_t whole = iso.size() / 2048 * 2048;
  keb.insert(keb.end(), iso.begin() + 32768, iso.begin() + static_cast<std::ptrdiff_t>(whole));
  return keb;
}

const char* DEFAULT_DESCRIPTION_CP932 =
    "\x82\x68\x82\x72\x82\x6E\x82\x94\x82\x8F"
    "RID";

class EveryLayout : public ::testing::TestWithParam<SectorLayout>
{
};

TEST_P(EveryLayout, GivesThePlainImageOfTheSameData)
{
  const Bytes iso = testing::MakeIsoData(300);
  ConversionRig rig;
  rig.files.Add(SOURCE, testing::WrapInLayout(iso, GetParam()));
  ASSERT_EQ(rig.RunImageToKeb(SOURCE, DESTINATION), ResultCode::Done);
  EXPECT_EQ(rig.files.Data(DESTINATION), PlainKebOf(iso, 300 * 2048, DEFAULT_DESCRIPTION_CP932));
  EXPECT_EQ(rig.files.Data(DESTINATION).size(), 512u + 284 * 2048);
  EXPECT_EQ(rig.window.questions.size(), GetParam().number == 4 ? 1u : 0u);
  EXPECT_EQ(rig.window.dialog_shown_count, 1);
  EXPECT_TRUE(rig.window.main_window_enabled);
  EXPECT_EQ(rig.window.Text(Control::Panel4), "(100%)");
}

INSTANTIATE_TEST_SUITE_P(All, EveryLayout, ::testing::ValuesIn(SECTOR_LAYOUTS),
                         [](const auto& info)
                         { return "Layout" + std::to_string(info.param.number); });

TEST(ConvertImageToKeb, RawImageKeepsWholeSectors)
{
  const Bytes iso = testing::MakeIsoData(1000);
  const Bytes raw = testing::WrapInLayout(iso, SECTOR_LAYOUTS[3]);
  ConversionRig rig;
  rig.window.answers[text::QUESTION_RAW] = true;
  rig.files.Add(SOURCE, raw);
  ASSERT_EQ(rig.RunImageToKeb(SOURCE, DESTINATION), ResultCode::Done);

  const Bytes& keb = rig.files.Data(DESTINATION);
  ASSERT_EQ(keb.size(), 10102u + 984 * 2352);
  const auto header = keb::BuildHeader(keb::Form::Raw, 1000 * 2048, DEFAULT_DESCRIPTION_CP932);
  EXPECT_TRUE(std::equal(header.begin(), header.end(), keb.begin()));
  EXPECT_EQ(keb::LoadU32(keb, 516), 1000u);
  EXPECT_EQ(keb::LoadU32(keb, 8), 1000u * 2048 + 274432);
  EXPECT_TRUE(std::equal(raw.begin() + 16 * 2352, raw.end(), keb.begin() + 10102));
}

TEST(ConvertImageToKeb, PlainImageOfLayout1KeepsTheFullLengthAsImageSize)
{
  Bytes iso = testing::MakeIsoData(300);
  iso.resize(iso.size() + 100, 0x55);
  ConversionRig rig;
  rig.files.Add(SOURCE, iso);
  ASSERT_EQ(rig.RunImageToKeb(SOURCE, DESTINATION), ResultCode::Done);
  const Bytes& keb = rig.files.Data(DESTINATION);
  EXPECT_EQ(keb::LoadU32(keb, 8), 300u * 2048 + 100);
  EXPECT_EQ(keb.size(), 512u + 284 * 2048) << "the partial last sector is not stored";
}

TEST(ConvertImageToKeb, DescriptionIsStoredAsCp932CutAtAWholeCharacter)
{
  ConversionRig rig;
  rig.files.Add(SOURCE, testing::MakeIsoData(20));
  rig.window.description_text = std::string(125, 'x') + "あいう";
  ASSERT_EQ(rig.RunImageToKeb(SOURCE, DESTINATION), ResultCode::Done);
  const Bytes& keb = rig.files.Data(DESTINATION);
  EXPECT_EQ(keb[12 + 124], 'x');
  EXPECT_EQ(keb[12 + 125], 0) << "the lead byte of あ would not fit with its trail byte";
}

TEST(ConvertImageToKeb, LengthLimits)
{
  ConversionRig rig;
  rig.files.Add(SOURCE, Bytes(34815, 0));
  EXPECT_EQ(rig.RunImageToKeb(SOURCE, DESTINATION), ResultCode::NotExpectedKind);
  EXPECT_EQ(rig.window.log.size(), 0u) << "refused before the progress bar is touched";

  rig.files.Add(SOURCE, Bytes(34816, 0));
  EXPECT_EQ(rig.RunImageToKeb(SOURCE, DESTINATION), ResultCode::NotExpectedKind);
  EXPECT_EQ(rig.window.progress_position, 0);

  rig.files.Add(SOURCE, testing::MakeIsoData(20)).reported_length = std::int64_t{1} << 31;
  EXPECT_EQ(rig.RunImageToKeb(SOURCE, DESTINATION), ResultCode::TooLarge);
  EXPECT_FALSE(rig.files.Has(DESTINATION));
}

TEST(ConvertImageToKeb, FreeSpaceBoundary)
{
  // With F = 10, 32256 + 1000 x F + 999 bytes fit and 32256 + 1000 x (F + 1) do not.
  for (const auto& [length, code] : {std::pair{32256 + 10000 + 999, ResultCode::Done},
                                     std::pair{32256 + 11000, ResultCode::NoSpace}})
  {
    ConversionRig rig;
    Bytes iso = testing::MakeIsoData(21);
    iso.resize(static_cast<std::size_t>(length), 0);
    rig.files.Add(SOURCE, iso);
    rig.state.destination_free_space = 10;
    EXPECT_EQ(rig.RunImageToKeb(SOURCE, DESTINATION), code) << length;
  }
}

TEST(ConvertImageToKeb, QuestionsComeInOrderRawSystemAreaDescription)
{
  Bytes iso = testing::MakeIsoData(40);
  iso[100] = 1;
  ConversionRig rig;
  rig.files.Add(SOURCE, testing::WrapInLayout(iso, SECTOR_LAYOUTS[3]));
  rig.window.answers[text::QUESTION_SYSTEM_AREA] = true;
  ASSERT_EQ(rig.RunImageToKeb(SOURCE, DESTINATION), ResultCode::Done);
  EXPECT_EQ(rig.window.questions,
            (std::vector<std::string>{text::QUESTION_RAW, text::QUESTION_SYSTEM_AREA}));
  EXPECT_EQ(rig.files.Data(DESTINATION).size(), 512u + 24 * 2048) << "No to raw: a plain image";
  const auto& log = rig.window.log;
  const auto at = [&log](const std::string& entry)
  { return std::find(log.begin(), log.end(), entry) - log.begin(); };
  EXPECT_LT(at("ask " + std::string(text::QUESTION_SYSTEM_AREA)), at("show dialog"));
  EXPECT_LT(at("show dialog"), at("disable window"));
  EXPECT_LT(at("disable window"), at("wait"));
  EXPECT_LT(at("wait"), at("enable window"));
}

struct StopCase
{
  const char* name;
  bool system_area_data;
  bool answer_system_area;
  DialogTag dialog_answer;
};

class ImageToKebStopsBeforeWriting : public ::testing::TestWithParam<StopCase>
{
};

TEST_P(ImageToKebStopsBeforeWriting, ExistingDestinationUnchanged)
{
  const StopCase& c = GetParam();
  Bytes iso = testing::MakeIsoData(40);
  if (c.system_area_data)
    iso[32767] = 9;
  ConversionRig rig;
  rig.files.Add(SOURCE, iso);
  const Bytes old = testing::Pattern(777, 1);
  rig.files.Add(DESTINATION, old);
  rig.window.answers[text::QUESTION_SYSTEM_AREA] = c.answer_system_area;
  rig.window.dialog_answer = c.dialog_answer;
  EXPECT_EQ(rig.RunImageToKeb(SOURCE, DESTINATION), ResultCode::Aborted);
  EXPECT_EQ(rig.files.Data(DESTINATION), old);
  EXPECT_TRUE(rig.window.main_window_enabled);
}

INSTANTIATE_TEST_SUITE_P(Cases, ImageToKebStopsBeforeWriting,
                         ::testing::Values(StopCase{"SystemAreaNo", true, false, DialogTag::Start},
                                           StopCase{"DialogCancelled", false, true,
                                                    DialogTag::Cancel}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ConvertImageToKeb, FaultsDuringTheCopy)
{
  struct Case
  {
    const char* name;
    std::int64_t read_fails_at;
    std::int64_t write_limit;
    bool close_fails;
    ResultCode code;
  };
  const Case cases[] = {
      {"ReadErrorInSectorK", 32768 + 5 * 2048 + 1, -1, false, ResultCode::ReadError},
      {"ReadErrorInTheProbe", 32770, -1, false, ResultCode::ReadError},
      {"ReadErrorInTheSystemArea", 2048 * 3, -1, false, ResultCode::ReadError},
      {"ShortWriteAtSectorK", -1, 512 + 7 * 2048 + 100, false, ResultCode::WriteError},
      {"HeaderWriteFails", -1, 100, false, ResultCode::WriteError},
      {"CloseLosesData", -1, -1, true, ResultCode::WriteError},
  };
  for (const Case& c : cases)
  {
    ConversionRig rig;
    const Bytes iso = testing::MakeIsoData(40);
    auto& node = rig.files.Add(SOURCE, iso);
    if (c.read_fails_at >= 0)
      node.read_fails_at = c.read_fails_at;
    if (c.write_limit >= 0)
      rig.files.write_faults[DESTINATION].write_limit = c.write_limit;
    rig.files.write_faults[DESTINATION].close_fails = c.close_fails;
    EXPECT_EQ(rig.RunImageToKeb(SOURCE, DESTINATION), c.code) << c.name;
    EXPECT_EQ(rig.files.Data(SOURCE), iso) << c.name;
    EXPECT_FALSE(rig.window.visible[Control::Button2]) << c.name;
    EXPECT_EQ(rig.files.double_close_count, 0) << c.name;
  }
}

TEST(ConvertImageToKeb, AbortLeavesTheSectorsWrittenSoFar)
{
  ConversionRig rig;
  rig.files.Add(SOURCE, testing::MakeIsoData(100));
  rig.window.on_process_events = [&rig](int call)
  {
    if (call == 6)
      rig.window.ClickAbort();
  };
  EXPECT_EQ(rig.RunImageToKeb(SOURCE, DESTINATION), ResultCode::Aborted);
  EXPECT_EQ(rig.files.Data(DESTINATION).size(), 512u + 6 * 2048);
  EXPECT_FALSE(rig.state.destination) << "the routine closes its destination itself";
}

TEST(ConvertImageToKeb, DestinationLinkedToTheSourceIsRefused)
{
  ConversionRig rig;
  const Bytes iso = testing::MakeIsoData(30);
  rig.files.Add(SOURCE, iso);
  rig.files.Link(DESTINATION, SOURCE);
  EXPECT_EQ(rig.RunImageToKeb(SOURCE, DESTINATION), ResultCode::CannotOpen);
  EXPECT_EQ(rig.files.Data(SOURCE), iso);
}

TEST(ConvertImageToKeb, SourceChangingDuringTheRun)
{
  // A source that shrinks is a read error; one that grows gives the image of what it held at the
  // start, matching the image size in the header.
  const Bytes iso = testing::MakeIsoData(60);
  for (const bool shrink : {true, false})
  {
    ConversionRig rig;
    auto& node = rig.files.Add(SOURCE, iso);
    rig.window.on_process_events = [&node, shrink](int call)
    {
      if (call == 5)
        node.data.resize(shrink ? 30 * 2048 : 90 * 2048, 0x77);
    };
    EXPECT_EQ(rig.RunImageToKeb(SOURCE, DESTINATION),
              shrink ? ResultCode::ReadError : ResultCode::Done);
    if (!shrink)
      EXPECT_EQ(rig.files.Data(DESTINATION), PlainKebOf(iso, 60 * 2048, DEFAULT_DESCRIPTION_CP932));
  }
}

}  // namespace
}  // namespace vavizi
