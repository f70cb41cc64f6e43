// vavizi-cli against real faults of the system: a destination file system that fills up, one that
// is mounted read-only, and the program killed in the middle of a run. Mounts need root (CI runs as
// root); where the system refuses them the test is skipped with the reason.
#include "cli_test_folder.h"

#include "core/keb_format.h"
#include "core/messages.h"
#include "core/text_format.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <thread>

namespace vavizi::testing
{
namespace
{

namespace fs = std::filesystem;

const std::string WRITE_ERROR = "ライトエラーです";
const std::string NO_SPACE = "格納ドライブの空きがありません";

// A file system mounted on a folder for one test, unmounted when the test ends however it ends.
class ScopedMount
{
public:
  ScopedMount() = default;
  ScopedMount(const ScopedMount&) = delete;
  ScopedMount& operator=(const ScopedMount&) = delete;
  ~ScopedMount()
  {
    if (m_target.empty())
      return;
    if (umount2(m_target.c_str(), 0) != 0)
      umount2(m_target.c_str(), MNT_DETACH);
  }

  // Each returns an empty text on success, else what the system said.
  std::string Tmpfs(const fs::path& target, std::uint64_t bytes)
  {
    const std::string options = "size=" + std::to_string(bytes);
    if (mount("tmpfs", target.c_str(), "tmpfs", 0, options.c_str()) != 0)
      return std::strerror(errno);
    m_target = target;
    return {};
  }

  std::string Bind(const fs::path& source, const fs::path& target)
  {
    if (mount(source.c_str(), target.c_str(), nullptr, MS_BIND, nullptr) != 0)
      return std::strerror(errno);
    m_target = target;
    m_bind = true;
    return {};
  }

  std::string RemountReadOnly()
  {
    unsigned long flags = MS_REMOUNT | MS_RDONLY;
    if (m_bind)
      flags |= MS_BIND;
    if (mount(nullptr, m_target.c_str(), nullptr, flags, nullptr) != 0)
      return std::strerror(errno);
    return {};
  }

private:
  std::string m_target;
  bool m_bind = false;
};

std::int64_t FreeBytes(const fs::path& folder)
{
  struct statvfs info
  {
  };
  if (statvfs(folder.c_str(), &info) != 0)
    return -1;
  return static_cast<std::int64_t>(info.f_bavail) * static_cast<std::int64_t>(info.f_frsize);
}

enum class Means
{
  Tmpfs,              // a tmpfs of `tmpfs_bytes` as the destination folder
  ReadOnlyTmpfs,      // the same, remounted read-only once prepared
  ReadOnlyBindMount,  // an ordinary folder bound onto itself and remounted read-only
};

struct DiskCase
{
  std::string name;
  Means means;
  std::uint64_t tmpfs_bytes;
  Conversion (*conversion)();
  bool old_destination;  // a destination from an earlier run stands in the folder
  std::string message;   // the outcome line; "%s" stands for the destination path
  bool partial_left;     // a write error leaves the part written so far
};

void PrintTo(const DiskCase& test_case, std::ostream* out)
{
  *out << test_case.name;
}

// 255 pages: the KEB image of 526 sectors is 512 bytes larger than the room, yet the room check
// (in units of 1000 bytes, rounded down on both sides) lets it start.
constexpr std::uint64_t PAGES_255 = 255 * 4096;
// 1 MiB: 496 whole blocks and one byte pass the room check by the KEB's length, but the ISO gets
// the last block padded to 2048 bytes and no longer fits.
constexpr std::uint64_t MIB = 1 << 20;

const DiskCase DISK_CASES[] = {
    {"IsoToKebOutgrowsTheDisk", Means::Tmpfs, PAGES_255, [] { return IsoToKeb(526); }, false,
     WRITE_ERROR, true},
    {"KebToIsoPaddedLastBlockOutgrowsTheDisk", Means::Tmpfs, MIB, [] { return KebToIso(496, 1); },
     false, WRITE_ERROR, true},
    {"IsoToKebTooLargeForTheDisk", Means::Tmpfs, MIB, [] { return IsoToKeb(1000); }, false,
     NO_SPACE, false},
    {"KebToIsoTooLargeForTheDisk", Means::Tmpfs, MIB, [] { return KebToIso(600, 0); }, false,
     NO_SPACE, false},
    {"IsoToKebIntoReadOnlyTmpfs", Means::ReadOnlyTmpfs, MIB, [] { return IsoToKeb(40); }, false,
     text::SOURCE_CANNOT_OPEN, false},
    {"KebToIsoIntoReadOnlyTmpfs", Means::ReadOnlyTmpfs, MIB, [] { return KebToIso(40, 0); }, false,
     text::SOURCE_CANNOT_OPEN, false},
    {"IsoToKebOverOldFileInReadOnlyBindMount", Means::ReadOnlyBindMount, 0,
     [] { return IsoToKeb(40); }, true, text::SOURCE_CANNOT_OPEN, false},
    {"KebToIsoOverOldFileInReadOnlyBindMount", Means::ReadOnlyBindMount, 0,
     [] { return KebToIso(40, 100); }, true, text::SOURCE_CANNOT_OPEN, false},
};

class CliFaults : public CliTestFolder
{
};

class CliDisk : public CliTestFolder, public ::testing::WithParamInterface<DiskCase>
{
};

TEST_P(CliDisk, FailsWithItsMessageAndKeepsTheSource)
{
  const DiskCase& test_case = GetParam();
  const Conversion conversion = test_case.conversion();
  WriteBytes(At(conversion.source_name), conversion.source);
  const fs::path out = Folder("out");
  const Bytes old = Pattern(5000, 3);

  ScopedMount mount;
  const std::string refused = test_case.means == Means::ReadOnlyBindMount
                                  ? mount.Bind(out, out)
                                  : mount.Tmpfs(out, test_case.tmpfs_bytes);
  if (!refused.empty())
    GTEST_SKIP() << "mount refused: " << refused;
  if (test_case.old_destination)
    WriteBytes(out / conversion.destination_name, old);
  if (test_case.means != Means::Tmpfs)
  {
    ASSERT_EQ(mount.RemountReadOnly(), "");
  }
  const auto entries_before = FolderEntries(out);
  const std::int64_t room = FreeBytes(out);

  const ChildResult run = Cli({"convert", "-q", "-y", "-d", "out", conversion.source_name});
  const std::string destination = "out/" + conversion.destination_name;
  EXPECT_EQ(run.signal, 0);
  EXPECT_EQ(run.exit_status, 1);
  EXPECT_EQ(run.out, FillPlaceholder(test_case.message, destination) + "\n")
      << "room " << room << " bytes for " << conversion.destination.size();
  EXPECT_TRUE(ReadBytes(At(conversion.source_name)) == conversion.source) << "the source changed";

  if (test_case.old_destination)
  {
    EXPECT_TRUE(ReadBytes(At(destination)) == old) << "the old destination changed";
  }
  if (!test_case.partial_left)
  {
    EXPECT_EQ(FolderEntries(out), entries_before);
    return;
  }
  // What reached the disk before it filled up is the start of the right image, nothing else.
  const Bytes partial = ReadBytes(At(destination));
  EXPECT_LE(static_cast<std::int64_t>(partial.size()), room);
  ASSERT_LT(partial.size(), conversion.destination.size());
  EXPECT_TRUE(std::equal(partial.begin(), partial.end(), conversion.destination.begin()));
}

INSTANTIATE_TEST_SUITE_P(Faults, CliDisk, ::testing::ValuesIn(DISK_CASES),
                         [](const auto& test) { return test.param.name; });

// The same disk as the first case, with room for the whole image: the rounding trap above is the
// only reason that case fails.
TEST_F(CliFaults, DiskWithRoomToSpareTakesTheWholeImage)
{
  const Conversion conversion = IsoToKeb(526);
  WriteBytes(At(conversion.source_name), conversion.source);
  const fs::path out = Folder("out");
  ScopedMount mount;
  if (const std::string refused = mount.Tmpfs(out, PAGES_255 + 4096); !refused.empty())
    GTEST_SKIP() << "mount refused: " << refused;

  const ChildResult run = Cli({"convert", "-q", "-d", "out", conversion.source_name});
  EXPECT_EQ(run.exit_status, 0);
  EXPECT_EQ(run.out, Done("out/disc.KEB") + "\n");
  EXPECT_TRUE(ReadBytes(out / "disc.KEB") == conversion.destination);
}

// Reads `path` in large steps and hands each to `use`; false when it cannot be opened.
template <typename Use>
bool ReadInSteps(const fs::path& path, std::uint64_t from, Use use)
{
  std::ifstream in(path, std::ios::binary);
  if (!in)
    return false;
  in.seekg(static_cast<std::streamoff>(from));
  std::vector<char> buffer(std::size_t{4} << 20);
  while (in)
  {
    in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    const auto count = static_cast<std::size_t>(in.gcount());
    if (count == 0)
      break;
    use(std::string_view(buffer.data(), count));
  }
  return true;
}

// FNV-1a over 8-byte words of the whole file, to tell that a file of hundreds of MB is unchanged.
std::uint64_t Fingerprint(const fs::path& path)
{
  std::uint64_t hash = 14695981039346656037ULL;
  ReadInSteps(path, 0,
              [&](std::string_view bytes)
              {
                for (std::size_t at = 0; at < bytes.size(); at += sizeof(std::uint64_t))
                {
                  std::uint64_t word = 0;
                  std::memcpy(&word, bytes.data() + at, std::min(sizeof word, bytes.size() - at));
                  hash = (hash ^ word) * 1099511628211ULL;
                }
              });
  return hash;
}

// True when `path` from byte `from` on equals `reference` from byte `reference_from` on, for the
// whole rest of `path`.
bool MatchesFrom(const fs::path& path, std::uint64_t from, const fs::path& reference,
                 std::uint64_t reference_from)
{
  std::ifstream other(reference, std::ios::binary);
  other.seekg(static_cast<std::streamoff>(reference_from));
  std::vector<char> expected;
  bool same = true;
  const bool opened =
      ReadInSteps(path, from,
                  [&](std::string_view bytes)
                  {
                    expected.resize(bytes.size());
                    other.read(expected.data(), static_cast<std::streamsize>(bytes.size()));
                    same = same && static_cast<std::size_t>(other.gcount()) == bytes.size() &&
                           std::equal(bytes.begin(), bytes.end(), expected.begin());
                  });
  return opened && same;
}

std::uintmax_t SizeOrZero(const fs::path& path)
{
  std::error_code error;
  const std::uintmax_t size = fs::file_size(path, error);
  return error ? 0 : size;
}

// A real ISO by genisoimage, grown to 256 MiB by a sparse stretch and 1 MiB of random bytes at the
// end: long enough to copy that the run can be killed in its middle, cheap to make.
TEST_F(CliFaults, KilledMidRunLeavesOnlyAPartialDestinationThatARerunReplaces)
{
  const fs::path content = Folder("content");
  WriteBytes(content / "A.BIN", Pattern(300'000, 1));
  WriteBytes(content / "B.TXT", Bytes{'b'});
  const ChildResult made = RunChild(
      {GENISOIMAGE_PROGRAM, "-quiet", "-V", "BIG", "-o", At("big.iso").string(), content.string()});
  ASSERT_EQ(made.exit_status, 0) << made.err;
  constexpr std::uintmax_t TAIL = 1 << 20;
  constexpr std::uintmax_t SIZE = std::uintmax_t{256} << 20;
  fs::resize_file(At("big.iso"), SIZE - TAIL);
  {
    std::mt19937 generator(11);
    Bytes tail(TAIL);
    for (std::uint8_t& byte : tail)
      byte = static_cast<std::uint8_t>(generator());
    std::ofstream out(At("big.iso"), std::ios::binary | std::ios::app);
    out.write(reinterpret_cast<const char*>(tail.data()), static_cast<std::streamsize>(TAIL));
  }
  ASSERT_EQ(fs::file_size(At("big.iso")), SIZE);
  const std::uint64_t source_print = Fingerprint(At("big.iso"));
  const fs::path out = Folder("out");
  const fs::path destination = out / "big.KEB";
  const std::uintmax_t whole = keb::HEADER_SIZE + SIZE - SYSTEM_AREA;

  ChildOptions options;
  options.working_directory = m_folder;
  // The kill follows the first bytes within microseconds; only a test kept off the processor for
  // the whole run can miss it, and then it tries again.
  ChildResult killed;
  for (int attempt = 0; attempt < 3 && killed.signal != SIGKILL; ++attempt)
  {
    fs::remove(destination);
    ChildProcess child({VAVIZI_CLI_PROGRAM, "convert", "-y", "-q", "-d", "out", "big.iso"},
                       options);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (SizeOrZero(destination) == 0 && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    child.Signal(SIGKILL);
    killed = child.Finish();
  }
  ASSERT_EQ(killed.signal, SIGKILL) << "every run ended before the kill: " << killed.out;

  const std::uintmax_t partial = fs::file_size(destination);
  EXPECT_GT(partial, 0u);
  EXPECT_LT(partial, whole) << "the run finished before the kill";
  EXPECT_EQ(FolderEntries(out), std::set<std::string>{"big.KEB"}) << "no temporary files";
  EXPECT_EQ(FolderEntries(m_folder), (std::set<std::string>{"big.iso", "content", "out"}));
  EXPECT_EQ(fs::file_size(At("big.iso")), SIZE);
  EXPECT_EQ(Fingerprint(At("big.iso")), source_print) << "the source changed";
  if (partial > keb::HEADER_SIZE)
  {
    EXPECT_TRUE(MatchesFrom(destination, keb::HEADER_SIZE, At("big.iso"), SYSTEM_AREA))
        << "the part written is not the start of the image";
  }

  const ChildResult rerun = Cli({"convert", "-y", "-q", "-d", "out", "big.iso"});
  EXPECT_EQ(rerun.exit_status, 0);
  EXPECT_EQ(rerun.out, Done("out/big.KEB") + "\n");
  ASSERT_EQ(fs::file_size(destination), whole);
  Bytes header(keb::HEADER_SIZE);
  std::ifstream(destination, std::ios::binary)
      .read(reinterpret_cast<char*>(header.data()), static_cast<std::streamsize>(header.size()));
  EXPECT_EQ(keb::LoadU32(header, keb::IMAGE_SIZE_OFFSET), SIZE);
  EXPECT_TRUE(MatchesFrom(destination, keb::HEADER_SIZE, At("big.iso"), SYSTEM_AREA));
  EXPECT_EQ(FolderEntries(out), std::set<std::string>{"big.KEB"});
  EXPECT_EQ(Fingerprint(At("big.iso")), source_print) << "the source changed";
}

// Takes every byte still free on the file system holding `folder`, as another program writing
// there would: whole MiB while they last, then pages. False when not even a page could be had.
bool FillUp(const fs::path& folder)
{
  const int file = ::open((folder / "filler").c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
  if (file < 0)
    return false;
  off_t end = 0;
  for (const off_t step : {off_t{1} << 20, off_t{4096}})
  {
    while (posix_fallocate(file, end, step) == 0)
      end += step;
  }
  ::close(file);
  return end > 0;
}

// The room check passes, then another writer takes the rest of the disk in the middle of the copy:
// a write fails mid-run (not only at the last flush), and the run says so.
TEST_F(CliFaults, DiskFilledByAnotherWriterMidRunEndsInWriteError)
{
  const Bytes head = MakeIsoData(40);
  WriteBytes(At("big.iso"), head);
  constexpr std::uintmax_t SIZE = std::uintmax_t{96} << 20;
  fs::resize_file(At("big.iso"), SIZE);
  const std::uint64_t source_print = Fingerprint(At("big.iso"));
  const fs::path out = Folder("out");
  ScopedMount mount;
  if (const std::string refused = mount.Tmpfs(out, std::uint64_t{128} << 20); !refused.empty())
    GTEST_SKIP() << "mount refused: " << refused;
  const fs::path destination = out / "big.KEB";

  ChildOptions options;
  options.working_directory = m_folder;
  ChildResult run;
  bool filled = false;
  // As with the kill above, a run that finished before the disk filled up is tried again.
  for (int attempt = 0; attempt < 3 && !run.out.starts_with(WRITE_ERROR); ++attempt)
  {
    fs::remove(destination);
    fs::remove(out / "filler");
    ChildProcess child({VAVIZI_CLI_PROGRAM, "convert", "-y", "-q", "-d", "out", "big.iso"},
                       options);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (SizeOrZero(destination) == 0 && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    filled = FillUp(out);
    run = child.Finish();
  }
  ASSERT_TRUE(filled) << "the tmpfs could not be filled";
  EXPECT_EQ(run.signal, 0);
  EXPECT_EQ(run.exit_status, 1);
  EXPECT_EQ(run.out, WRITE_ERROR + "\n");
  EXPECT_EQ(Fingerprint(At("big.iso")), source_print) << "the source changed";
  const std::uintmax_t partial = fs::file_size(destination);
  EXPECT_LT(partial, keb::HEADER_SIZE + SIZE - SYSTEM_AREA);
  EXPECT_TRUE(MatchesFrom(destination, keb::HEADER_SIZE, At("big.iso"), SYSTEM_AREA))
      << "the part written is not the start of the image";
}

}  // namespace
}  // namespace vavizi::testing
