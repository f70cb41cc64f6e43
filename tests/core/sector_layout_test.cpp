// Recognition of the four sector layouts, the image size and the system-area scan.
#include "core/sector_layout.h"

#include "support/fake_file_system.h"
#include "support/image_builder.h"

#include <gtest/gtest.h>

namespace vavizi
{
namespace
{

using testing::Bytes;
using testing::FakeFileSystem;

LayoutProbe Probe(const Bytes& image)
{
  FakeFileSystem files;
  files.Add("/img", image);
  auto file = files.OpenRead("/img");
  std::array<std::uint8_t, 4096> buffer{};
  const LayoutProbe probe = ProbeSectorLayout(*file, buffer);
  (void)file->Close();
  return probe;
}

class LayoutProbeOfWrappedImage : public ::testing::TestWithParam<SectorLayout>
{
};

TEST_P(LayoutProbeOfWrappedImage, FindsTheLayout)
{
  const SectorLayout layout = GetParam();
  const LayoutProbe probe = Probe(testing::WrapInLayout(testing::MakeIsoData(20), layout));
  EXPECT_EQ(probe.code, ResultCode::Done);
  EXPECT_EQ(probe.layout.number, layout.number);
}

INSTANTIATE_TEST_SUITE_P(All, LayoutProbeOfWrappedImage, ::testing::ValuesIn(SECTOR_LAYOUTS),
                         [](const auto& info)
                         { return "Layout" + std::to_string(info.param.number); });

TEST(LayoutProbe, Layout4WinsWhenBothRawPositionsMatch)
{
  Bytes image = testing::WrapInLayout(testing::MakeIsoData(20), SECTOR_LAYOUTS[3]);
  std::copy_n("CD001", 5, image.begin() + 37632 + 17);
  EXPECT_EQ(Probe(image).layout.number, 4);
}

TEST(LayoutProbe, NoIdentifierIsNotACdImage)
{
  EXPECT_EQ(Probe(Bytes(200000, 0x41)).code, ResultCode::NotExpectedKind);
}

TEST(LayoutProbe, IdentifierMustLieWithinWhatWasRead)
{
  // A file ending inside the identifier of a raw probe: the bytes that are there match, the rest
  // is missing, so nothing matches.
  Bytes image(37632 + 28, 0);
  std::copy_n("CD0", 3, image.begin() + 37632 + 25);
  EXPECT_EQ(Probe(image).code, ResultCode::NotExpectedKind);
}

TEST(LayoutProbe, ReadErrorIsReported)
{
  FakeFileSystem files;
  files.Add("/img", Bytes(100000, 0)).read_fails_at = 33000;
  auto file = files.OpenRead("/img");
  std::array<std::uint8_t, 4096> buffer{};
  EXPECT_EQ(ProbeSectorLayout(*file, buffer).code, ResultCode::ReadError);
  (void)file->Close();
}

TEST(ImageSize, FollowsTheLayout)
{
  EXPECT_EQ(ImageSize(SECTOR_LAYOUTS[0], 300 * 2048 + 100), 300 * 2048 + 100);
  EXPECT_EQ(ImageSize(SECTOR_LAYOUTS[1], 300 * 2336 + 100), 300 * 2048);
  EXPECT_EQ(ImageSize(SECTOR_LAYOUTS[2], 1000 * 2352), 1000 * 2048);
  EXPECT_EQ(ImageSize(SECTOR_LAYOUTS[3], 1000 * 2352 + 2351), 1000 * 2048);
}

struct ScanCase
{
  const char* name;
  int layout_index;
  std::size_t byte_in_system_area;  // file offset set to 1, or SIZE_MAX for none
  bool has_data;
};

class SystemAreaScanCase : public ::testing::TestWithParam<ScanCase>
{
};

TEST_P(SystemAreaScanCase, TestsOnlyUserData)
{
  const ScanCase& c = GetParam();
  const SectorLayout layout = SECTOR_LAYOUTS[static_cast<std::size_t>(c.layout_index)];
  Bytes image = testing::WrapInLayout(testing::MakeIsoData(20), layout);
  if (c.byte_in_system_area != SIZE_MAX)
    image[c.byte_in_system_area] = 1;
  FakeFileSystem files;
  files.Add("/img", image);
  auto file = files.OpenRead("/img");
  std::array<std::uint8_t, 4096> buffer{};
  const SystemAreaScan scan = ScanSystemArea(*file, layout, buffer);
  (void)file->Close();
  EXPECT_EQ(scan.code, ResultCode::Done);
  EXPECT_EQ(scan.has_data, c.has_data);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SystemAreaScanCase,
    ::testing::Values(ScanCase{"PlainZero", 0, SIZE_MAX, false},
                      ScanCase{"PlainFirstByte", 0, 0, true},
                      ScanCase{"PlainLastByte", 0, 32767, true},
                      // Raw sectors carry sync, header and filler outside their user data.
                      ScanCase{"Mode1ZeroUserData", 2, SIZE_MAX, false},
                      ScanCase{"Mode1ByteInUserData", 2, 15 * 2352 + 16 + 2047, true},
                      ScanCase{"Mode1ByteInFiller", 2, 15 * 2352 + 2351, false},
                      ScanCase{"XaByteInUserData", 3, 3 * 2352 + 24, true},
                      ScanCase{"XaByteInSubheader", 3, 3 * 2352 + 18, false},
                      ScanCase{"Mode2ByteInUserData", 1, 2336 + 8, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vavizi
