// Wraps every 2048-byte block of an ISO image in a CD sector of another layout, streaming, so that
// tests and benchmarks get raw images of any size made from real ISO data:
//
//   make_cd_image mode1|mode2form1|mode2 ISO OUT
//
//   mode1       2352-byte raw Mode 1: sync, header (mode 1), data at 16, zero EDC/ECC
//   mode2form1  2352-byte raw Mode 2 Form 1: sync, header (mode 2), subheader, data at 24
//   mode2       2336-byte Mode 2 Form 1 without sync and header: subheader, data at 8
//
// Sector addresses count from 00:02:00 in BCD, as on a disc. Error-detection and correction bytes
// are left zero: nothing in the conversion looks at them. Standalone on purpose (no project
// library) so that bench/run can build it with the compiler alone.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

namespace
{

constexpr std::size_t DATA_SIZE = 2048;
constexpr std::size_t BLOCKS_PER_PASS = 256;
constexpr unsigned LEAD_IN_FRAMES = 150;
constexpr std::uint8_t XA_SUBMODE_DATA = 0x08;

struct Layout
{
  std::string_view name;
  std::size_t sector_size;
  std::size_t data_offset;
  bool sync_and_header;
  std::uint8_t mode;
  bool subheader;
};

constexpr Layout LAYOUTS[] = {
    {"mode1", 2352, 16, true, 1, false},
    {"mode2form1", 2352, 24, true, 2, true},
    {"mode2", 2336, 8, false, 2, true},
};

std::uint8_t Bcd(unsigned value)
{
  return static_cast<std::uint8_t>(((value / 10) << 4) | (value % 10));
}

void FillSector(const Layout& layout, unsigned index, const std::uint8_t* data,
                std::uint8_t* sector)
{
  std::memset(sector, 0, layout.sector_size);
  std::size_t at = 0;
  if (layout.sync_and_header)
  {
    sector[0] = 0x00;
    std::memset(sector + 1, 0xFF, 10);
    sector[11] = 0x00;
    const unsigned frames = index + LEAD_IN_FRAMES;
    sector[12] = Bcd(frames / (75 * 60));
    sector[13] = Bcd((frames / 75) % 60);
    sector[14] = Bcd(frames % 75);
    sector[15] = layout.mode;
    at = 16;
  }
  if (layout.subheader)
  {
    // File, channel, submode, coding information, written twice.
    sector[at + 2] = XA_SUBMODE_DATA;
    sector[at + 6] = XA_SUBMODE_DATA;
  }
  std::memcpy(sector + layout.data_offset, data, DATA_SIZE);
}

}  // namespace

int main(int argc, char** argv)
{
  if (argc != 4)
  {
    std::fprintf(stderr, "usage: make_cd_image mode1|mode2form1|mode2 ISO OUT\n");
    return 64;
  }
  const Layout* layout = nullptr;
  for (const Layout& candidate : LAYOUTS)
  {
    if (candidate.name == argv[1])
    {
      layout = &candidate;
    }
  }
  if (layout == nullptr)
  {
    std::fprintf(stderr, "make_cd_image: unknown layout %s\n", argv[1]);
    return 64;
  }
  std::FILE* in = std::fopen(argv[2], "rb");
  if (in == nullptr)
  {
    std::perror(argv[2]);
    return 1;
  }
  std::FILE* out = std::fopen(argv[3], "wb");
  if (out == nullptr)
  {
    std::perror(argv[3]);
    std::fclose(in);
    return 1;
  }

  std::vector<std::uint8_t> blocks(DATA_SIZE * BLOCKS_PER_PASS);
  std::vector<std::uint8_t> sectors(layout->sector_size * BLOCKS_PER_PASS);
  unsigned index = 0;
  bool failed = false;
  for (;;)
  {
    const std::size_t count = std::fread(blocks.data(), 1, blocks.size(), in);
    // A short last block is padded with zeros to a whole sector.
    const std::size_t whole = (count + DATA_SIZE - 1) / DATA_SIZE;
    std::memset(blocks.data() + count, 0, whole * DATA_SIZE - count);
    for (std::size_t i = 0; i < whole; ++i, ++index)
    {
      FillSector(*layout, index, blocks.data() + i * DATA_SIZE,
                 sectors.data() + i * layout->sector_size);
    }
    const std::size_t bytes = whole * layout->sector_size;
    if (std::fwrite(sectors.data(), 1, bytes, out) != bytes)
    {
      failed = true;
      break;
    }
    if (count < blocks.size())
    {
      failed = std::ferror(in) != 0;
      break;
    }
  }
  std::fclose(in);
  if (std::fclose(out) != 0 || failed)
  {
    std::fprintf(stderr, "make_cd_image: %s could not be written\n", argv[3]);
    return 1;
  }
  return 0;
}
