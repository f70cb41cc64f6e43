// vavizi-cli end to end: the built program run on real images in a folder of each test's own,
// checked by its output line, its exit status and the bytes it leaves on disk.
#include "child_process.h"
#include "cli_test_folder.h"

#include "core/cp932.h"
#include "core/file_info.h"
#include "core/keb_format.h"
#include "core/messages.h"
#include "core/text_format.h"
#include "support/image_builder.h"

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <random>
#include <signal.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace vavizi::testing
{
namespace
{

namespace fs = std::filesystem;

constexpr std::size_t RAW = 2352;

const std::string NOT_ISO = "ＩＳＯファイルでは有りません";
const std::string NOT_KEB = "ＫＥＢファイルでは有りません";
const std::string NOT_UNCOMPRESSED = "ＫＥＢファイルが無圧縮では有りません";
const std::string TOO_LARGE = "ファイルサイズが2GBを超えています";
const std::string WRITE_ERROR = "ライトエラーです";
const std::string ABORTED = "変換を中止しました";

// The text's bytes and the zero byte that ends it in the header.
Bytes Terminated(const std::string& text)
{
  Bytes bytes(text.begin(), text.end());
  bytes.push_back(0);
  return bytes;
}

Bytes RandomBytes(std::size_t count, std::uint32_t seed)
{
  std::mt19937 generator(seed);
  Bytes bytes(count);
  for (std::uint8_t& byte : bytes)
  {
    byte = static_cast<std::uint8_t>(generator());
  }
  return bytes;
}

Bytes Slice(const Bytes& bytes, std::size_t from, std::size_t count = std::string::npos)
{
  const std::size_t end = count == std::string::npos ? bytes.size() : from + count;
  return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(from),
               bytes.begin() + static_cast<std::ptrdiff_t>(end));
}

// What a file looks like, to tell that a failed run left it alone.
struct Snapshot
{
  bool exists = false;
  std::uintmax_t size = 0;
  std::int64_t modified_ns = 0;
  Bytes content;  // only for files small enough to compare byte for byte
  friend bool operator==(const Snapshot&, const Snapshot&) = default;
};

Snapshot Take(const fs::path& path)
{
  struct stat status
  {
  };
  Snapshot snapshot;
  if (lstat(path.c_str(), &status) != 0)
  {
    return snapshot;
  }
  snapshot.exists = true;
  snapshot.size = static_cast<std::uintmax_t>(status.st_size);
  snapshot.modified_ns = status.st_mtim.tv_sec * 1'000'000'000LL + status.st_mtim.tv_nsec;
  if (S_ISREG(status.st_mode) && status.st_size < (16 << 20))
  {
    snapshot.content = ReadBytes(path);
  }
  return snapshot;
}

class CliEndToEnd : public CliTestFolder
{
protected:
  // An ISO 9660 image by genisoimage of files of varied sizes, a few MB in all.
  fs::path MakeIso(const std::string& name = "disc.iso")
  {
    if (m_content.empty())
    {
      m_content = {
          {"EMPTY.TXT", {}},
          {"ONE.TXT", Bytes{'x'}},
          {"SECTOR.BIN", RandomBytes(DATA, 1)},
          {"ODD.BIN", RandomBytes(DATA + 1, 2)},
          {"BIG.BIN", RandomBytes(3'000'000, 3)},
      };
      const fs::path content = Folder("content");
      for (const auto& [file, bytes] : m_content)
      {
        WriteBytes(content / file, bytes);
      }
    }
    const ChildResult made = RunChild(
        {GENISOIMAGE_PROGRAM, "-quiet", "-V", "VAVIZI", "-o", At(name).string(), At("content")});
    EXPECT_EQ(made.exit_status, 0) << made.err;
    return At(name);
  }

  fs::path MakeLayout(const std::string& layout, const fs::path& iso, const std::string& name)
  {
    const ChildResult made = RunChild({MAKE_CD_IMAGE_PROGRAM, layout, iso.string(), At(name)});
    EXPECT_EQ(made.exit_status, 0) << made.err;
    return At(name);
  }

  // A plain KEB image of the test ISO, made by the program itself.
  fs::path MakeKeb(const std::string& folder_name)
  {
    const fs::path iso = MakeIso();
    const fs::path folder = Folder(folder_name);
    const ChildResult made = Cli({"convert", "-q", "-d", folder_name, "disc.iso"});
    EXPECT_EQ(made.exit_status, 0) << made.out;
    return folder / "disc.KEB";
  }

  std::map<std::string, Bytes> m_content;
};

TEST_F(CliEndToEnd, IsoToKebAndBackIsByteIdenticalAndReadable)
{
  const Bytes iso = ReadBytes(MakeIso());
  Folder("keb");
  const ChildResult to_keb = Cli({"convert", "-d", "keb", "disc.iso"});
  EXPECT_EQ(to_keb.exit_status, 0);
  EXPECT_EQ(to_keb.out, Done("keb/disc.KEB") + "\n");
  EXPECT_EQ(to_keb.err, "") << "no progress and no question without a terminal";

  const Bytes keb = ReadBytes(At("keb/disc.KEB"));
  ASSERT_EQ(keb.size(), keb::HEADER_SIZE + iso.size() - SYSTEM_AREA);
  EXPECT_EQ(keb[keb::KIND_OFFSET], keb::KIND_PLAIN);
  EXPECT_EQ(keb[keb::SYSTEM_AREA_OFFSET], keb::SYSTEM_AREA_FLAG);
  EXPECT_EQ(keb::LoadU32(keb, keb::IMAGE_SIZE_OFFSET), iso.size());
  const std::string description = Utf8ToCp932(text::DEFAULT_DESCRIPTION);
  EXPECT_EQ(Slice(keb, keb::DESCRIPTION_OFFSET, description.size() + 1), Terminated(description));
  EXPECT_EQ(Slice(keb, keb::HEADER_SIZE), Slice(iso, SYSTEM_AREA));

  Folder("back");
  const ChildResult to_iso = Cli({"convert", "-y", "-d", "back/", "keb/disc.KEB"});
  EXPECT_EQ(to_iso.exit_status, 0);
  EXPECT_EQ(to_iso.out, Done("back/disc.ISO") + "\n");
  EXPECT_EQ(ReadBytes(At("back/disc.ISO")), iso);

  for (const auto& [name, bytes] : m_content)
  {
    const ChildResult extracted =
        RunChild({ISOINFO_PROGRAM, "-i", At("back/disc.ISO"), "-x", "/" + name + ";1"});
    EXPECT_EQ(extracted.exit_status, 0) << name;
    EXPECT_EQ(extracted.out, std::string(bytes.begin(), bytes.end())) << name;
  }
}

TEST_F(CliEndToEnd, SourceWithoutFolderConvertsBesideItself)
{
  MakeIso();
  const ChildResult run = Cli({"convert", "disc.iso"});
  EXPECT_EQ(run.exit_status, 0);
  EXPECT_EQ(run.out, Done("./disc.KEB") + "\n");
  EXPECT_TRUE(fs::exists(At("disc.KEB")));
}

TEST_F(CliEndToEnd, DescriptionIsStoredAsCp932AndShownBackByInfo)
{
  MakeIso();
  const std::string text = "説明～テスト ABC";
  const ChildResult run = Cli({"convert", "-q", "-m", text, "disc.iso"});
  ASSERT_EQ(run.exit_status, 0) << run.out;
  const Bytes keb = ReadBytes(At("disc.KEB"));
  const std::string cp932 = Utf8ToCp932(text);
  EXPECT_EQ(Slice(keb, keb::DESCRIPTION_OFFSET, cp932.size() + 1), Terminated(cp932));

  const ChildResult info = Cli({"info", "disc.KEB"});
  EXPECT_EQ(info.exit_status, 0);
  EXPECT_NE(info.out.find(text), std::string::npos) << info.out;
}

struct LayoutCase
{
  std::string name;
  std::string layout;  // make_cd_image's name for it
  std::vector<std::string> flags;
};

void PrintTo(const LayoutCase& test_case, std::ostream* out)
{
  *out << test_case.name;
}

class CliLayouts : public CliEndToEnd, public ::testing::WithParamInterface<LayoutCase>
{
};

TEST_P(CliLayouts, GiveTheSamePlainImageAsTheIso)
{
  const fs::path iso = MakeIso();
  Folder("reference");
  ASSERT_EQ(Cli({"convert", "-q", "-d", "reference", "disc.iso"}).exit_status, 0);
  MakeLayout(GetParam().layout, iso, "disc.img");

  Folder("out");
  std::vector<std::string> arguments{"convert", "-d", "out"};
  arguments.insert(arguments.end(), GetParam().flags.begin(), GetParam().flags.end());
  arguments.push_back("disc.img");
  const ChildResult run = Cli(arguments);
  EXPECT_EQ(run.exit_status, 0) << run.err;
  EXPECT_EQ(run.out, Done("out/disc.KEB") + "\n");
  EXPECT_EQ(ReadBytes(At("out/disc.KEB")), ReadBytes(At("reference/disc.KEB")));
}

INSTANTIATE_TEST_SUITE_P(
    Raw, CliLayouts,
    ::testing::Values(LayoutCase{"Mode1", "mode1", {}},
                      LayoutCase{"Mode2Form1Plain", "mode2form1", {"--plain"}},
                      LayoutCase{"Mode2Form1WithoutTerminalAnswersNo", "mode2form1", {}},
                      LayoutCase{"Mode2WithoutSync", "mode2", {}}),
    [](const auto& test) { return test.param.name; });

TEST_F(CliEndToEnd, RawImageKeepsEveryRawSectorAndIsNotConvertedBack)
{
  const fs::path iso = MakeIso();
  const Bytes image = ReadBytes(MakeLayout("mode2form1", iso, "disc.img"));
  const std::size_t sectors = image.size() / RAW;
  Folder("out");
  const ChildResult run = Cli({"convert", "-q", "--raw", "-d", "out", "disc.img"});
  EXPECT_EQ(run.exit_status, 0);
  EXPECT_EQ(run.out, Done("out/disc.KEB") + "\n");

  const Bytes keb = ReadBytes(At("out/disc.KEB"));
  ASSERT_EQ(keb.size(), keb::RAW_DATA_OFFSET + (sectors - 16) * RAW);
  EXPECT_EQ(keb[keb::KIND_OFFSET], keb::KIND_RAW);
  EXPECT_EQ(keb::LoadU32(keb, keb::SECTOR_COUNT_OFFSET), sectors);
  EXPECT_EQ(Slice(keb, keb::RAW_DATA_OFFSET), Slice(image, 16 * RAW));

  Folder("back");
  const ChildResult back = Cli({"convert", "-q", "-y", "-d", "back", "out/disc.KEB"});
  EXPECT_EQ(back.exit_status, 1);
  EXPECT_EQ(back.out, NOT_UNCOMPRESSED + "\n");
  EXPECT_TRUE(FolderEntries(At("back")).empty());
}

struct BadSource
{
  std::string name;
  std::string file;     // the source's name in the test folder
  std::string message;  // the outcome line
  // Builds the source from the test ISO (or not at all, for a missing file).
  void (*build)(const fs::path& path, const Bytes& iso);
};

void Missing(const fs::path&, const Bytes&) {}
void Empty(const fs::path& path, const Bytes&)
{
  WriteBytes(path, {});
}
void Truncated(const fs::path& path, const Bytes& iso)
{
  WriteBytes(path, Slice(iso, 0, SYSTEM_AREA + DATA - 1));
}
void NotACd(const fs::path& path, const Bytes&)
{
  WriteBytes(path, RandomBytes(100'000, 4));
}
void Sparse2GiB(const fs::path& path, const Bytes& iso)
{
  WriteBytes(path, iso);
  fs::resize_file(path, std::uintmax_t{1} << 31);
}
void WrongMagic(const fs::path& path, const Bytes& iso)
{
  WriteBytes(path, MakeKebImage(Slice(iso, SYSTEM_AREA), 0, 0x80, "KEB V2.0"));
}
void UnknownKind(const fs::path& path, const Bytes& iso)
{
  WriteBytes(path, MakeKebImage(Slice(iso, SYSTEM_AREA), 7));
}
void ShortKeb(const fs::path& path, const Bytes&)
{
  WriteBytes(path, Bytes(100, 0));
}

const BadSource BAD_SOURCES[] = {
    {"Missing", "disc.iso", CannotOpen("disc.iso"), Missing},
    {"Empty", "disc.iso", NOT_ISO, Empty},
    {"Truncated", "disc.iso", NOT_ISO, Truncated},
    {"NotACd", "disc.img", NOT_ISO, NotACd},
    {"IsoOf2GiB", "disc.iso", TOO_LARGE, Sparse2GiB},
    {"KebOf2GiB", "disc.keb", TOO_LARGE, Sparse2GiB},
    {"KebWithWrongMagic", "disc.KEB", NOT_KEB, WrongMagic},
    {"KebTooShortForMagic", "disc.KEB", NOT_KEB, ShortKeb},
    {"KebOfUnknownKind", "disc.KEB", NOT_UNCOMPRESSED, UnknownKind},
    {"NoExtension", "disc", text::NO_EXTENSION, Empty},
    {"WrongExtension", "disc.bin", FillPlaceholder(text::WRONG_EXTENSION, ".BIN"), Empty},
};

void PrintTo(const BadSource& test_case, std::ostream* out)
{
  *out << test_case.name;
}

class CliBadSource : public CliEndToEnd, public ::testing::WithParamInterface<BadSource>
{
};

TEST_P(CliBadSource, GetsItsMessageAndLosesNothing)
{
  const fs::path source = At(GetParam().file);
  GetParam().build(source, ReadBytes(MakeIso("reference.iso")));
  const Snapshot before = Take(source);
  Folder("out");

  const ChildResult run = Cli({"convert", "-q", "-y", "-d", "out", GetParam().file});
  EXPECT_EQ(run.exit_status, 1);
  EXPECT_EQ(run.out, GetParam().message + "\n");
  EXPECT_TRUE(Take(source) == before) << "the source changed";
  EXPECT_TRUE(FolderEntries(At("out")).empty()) << "something was written";
}

INSTANTIATE_TEST_SUITE_P(Sources, CliBadSource, ::testing::ValuesIn(BAD_SOURCES),
                         [](const auto& test) { return test.param.name; });

TEST_F(CliEndToEnd, DestinationFolderMustBeAnExistingFolder)
{
  MakeIso();
  WriteBytes(At("plain-file"), Bytes{1, 2, 3});
  const Snapshot folder_before = Take(m_folder);

  const ChildResult missing = Cli({"convert", "-y", "-d", "missing", "disc.iso"});
  EXPECT_EQ(missing.exit_status, 1);
  EXPECT_EQ(missing.out, "");
  EXPECT_NE(missing.err.find("missing"), std::string::npos) << missing.err;

  const ChildResult file = Cli({"convert", "-y", "-d", "plain-file", "disc.iso"});
  EXPECT_EQ(file.exit_status, 1);
  EXPECT_EQ(file.out, "");
  EXPECT_NE(file.err.find("is not a folder"), std::string::npos) << file.err;

  const ChildResult below_file = Cli({"convert", "-y", "-d", "plain-file/sub", "disc.iso"});
  EXPECT_EQ(below_file.exit_status, 1);
  EXPECT_EQ(below_file.out, "");

  EXPECT_FALSE(fs::exists(At("missing")));
  EXPECT_EQ(ReadBytes(At("plain-file")), (Bytes{1, 2, 3}));
  EXPECT_EQ(Take(m_folder).modified_ns, folder_before.modified_ns) << "a file was created";
}

// A destination the system refuses to create, in both directions: a folder stands in its place.
TEST_F(CliEndToEnd, DestinationThatCannotBeCreatedIsReported)
{
  const fs::path keb = MakeKeb("k");
  fs::create_directories(At("out/disc.KEB"));
  fs::create_directories(At("out/disc.ISO"));
  const Snapshot source_before = Take(keb);

  const ChildResult to_keb = Cli({"convert", "-q", "-y", "-d", "out", "disc.iso"});
  EXPECT_EQ(to_keb.exit_status, 1);
  EXPECT_EQ(to_keb.out, CannotOpen("out/disc.KEB") + "\n");

  const ChildResult to_iso = Cli({"convert", "-q", "-y", "-d", "out", "k/disc.KEB"});
  EXPECT_EQ(to_iso.exit_status, 1);
  EXPECT_EQ(to_iso.out, CannotOpen("out/disc.ISO") + "\n");
  EXPECT_TRUE(Take(keb) == source_before);
  EXPECT_TRUE(fs::is_directory(At("out/disc.KEB")));
  EXPECT_TRUE(fs::is_directory(At("out/disc.ISO")));
}

TEST_F(CliEndToEnd, FullDiskEndsInWriteError)
{
  const fs::path keb = MakeKeb("k");
  Folder("out");
  ChildOptions limited;
  limited.file_size_limit = 1 << 20;

  for (const std::string source : {"disc.iso", "k/disc.KEB"})
  {
    const Snapshot before = Take(At(source));
    const ChildResult run = Cli({"convert", "-q", "-y", "-d", "out", source}, limited);
    EXPECT_EQ(run.signal, 0) << source << ": killed instead of reporting";
    EXPECT_EQ(run.exit_status, 1) << source;
    EXPECT_EQ(run.out, WRITE_ERROR + "\n") << source;
    EXPECT_TRUE(Take(At(source)) == before) << source;
  }
}

struct ExistingCase
{
  std::string name;
  std::vector<std::string> flags;
  bool replaced;
};

void PrintTo(const ExistingCase& test_case, std::ostream* out)
{
  *out << test_case.name;
}

class CliExistingDestination : public CliEndToEnd,
                               public ::testing::WithParamInterface<ExistingCase>
{
};

TEST_P(CliExistingDestination, IsReplacedOnlyAfterYes)
{
  const Bytes iso = ReadBytes(MakeIso());
  Folder("out");
  WriteBytes(At("out/disc.KEB"), Bytes{'o', 'l', 'd'});
  const Snapshot before = Take(At("out/disc.KEB"));

  std::vector<std::string> arguments{"convert", "-q", "-d", "out"};
  arguments.insert(arguments.end(), GetParam().flags.begin(), GetParam().flags.end());
  arguments.push_back("disc.iso");
  const ChildResult run = Cli(arguments);
  if (GetParam().replaced)
  {
    EXPECT_EQ(run.exit_status, 0);
    EXPECT_EQ(run.out, Done("out/disc.KEB") + "\n");
    EXPECT_EQ(ReadBytes(At("out/disc.KEB")).size(), keb::HEADER_SIZE + iso.size() - SYSTEM_AREA);
  }
  else
  {
    EXPECT_EQ(run.exit_status, 1);
    EXPECT_EQ(run.out, ABORTED + "\n");
    EXPECT_TRUE(Take(At("out/disc.KEB")) == before);
  }
}

INSTANTIATE_TEST_SUITE_P(Answers, CliExistingDestination,
                         ::testing::Values(ExistingCase{"No", {"-n"}, false},
                                           ExistingCase{"NoTerminalAnswersNo", {}, false},
                                           ExistingCase{"Yes", {"-y"}, true}),
                         [](const auto& test) { return test.param.name; });

struct QuestionCase
{
  std::string name;
  std::string
      source;  // "keb", "boot.iso" (data in the system area) or "boot-xa.img" (the same, raw)
  std::vector<std::string> flags;
  std::string destination;           // empty when the answers stop the run
  std::optional<std::uint8_t> kind;  // the KEB kind written, for the CD-image direction
};

void PrintTo(const QuestionCase& test_case, std::ostream* out)
{
  *out << test_case.name;
}

class CliQuestions : public CliEndToEnd, public ::testing::WithParamInterface<QuestionCase>
{
};

// Each flag answers its own questions and no other; a question left unanswered without a terminal
// is a No.
TEST_P(CliQuestions, AreAnsweredByTheirOwnFlags)
{
  std::string source = "boot.iso";
  if (GetParam().source == "keb")
  {
    source = MakeKeb("k").string();
  }
  else
  {
    MakeIso();
    const ChildResult made = RunChild({GENISOIMAGE_PROGRAM, "-quiet", "-G", At("content/ODD.BIN"),
                                       "-o", At("boot.iso"), At("content")});
    ASSERT_EQ(made.exit_status, 0) << made.err;
    if (GetParam().source == "boot-xa.img")
    {
      source = MakeLayout("mode2form1", At("boot.iso"), "boot-xa.img").string();
    }
  }
  Folder("out");
  std::vector<std::string> arguments{"convert", "-q", "-d", "out"};
  arguments.insert(arguments.end(), GetParam().flags.begin(), GetParam().flags.end());
  arguments.push_back(source);
  const ChildResult run = Cli(arguments);

  if (GetParam().destination.empty())
  {
    EXPECT_EQ(run.exit_status, 1);
    EXPECT_EQ(run.out, ABORTED + "\n");
    EXPECT_TRUE(FolderEntries(At("out")).empty());
    return;
  }
  EXPECT_EQ(run.exit_status, 0);
  EXPECT_EQ(run.out, Done(GetParam().destination) + "\n");
  if (GetParam().kind)
  {
    EXPECT_EQ(ReadBytes(At(GetParam().destination)).at(keb::KIND_OFFSET), *GetParam().kind);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Flags, CliQuestions,
    ::testing::Values(
        QuestionCase{"StartYes", "keb", {"-y"}, "out/disc.ISO", std::nullopt},
        QuestionCase{"StartNo", "keb", {"-n"}, "", std::nullopt},
        QuestionCase{"StartNotAnsweredByRaw", "keb", {"--raw"}, "", std::nullopt},
        QuestionCase{"SystemAreaYes", "boot.iso", {"-y"}, "out/boot.KEB", keb::KIND_PLAIN},
        QuestionCase{"SystemAreaNo", "boot.iso", {"-n"}, "", std::nullopt},
        QuestionCase{"SystemAreaUnanswered", "boot.iso", {}, "", std::nullopt},
        QuestionCase{"SystemAreaNotAnsweredByRaw", "boot-xa.img", {"--raw"}, "", std::nullopt},
        QuestionCase{
            "RawNotAnsweredByYes", "boot-xa.img", {"-y"}, "out/boot-xa.KEB", keb::KIND_PLAIN},
        QuestionCase{
            "RawAndYes", "boot-xa.img", {"--raw", "-y"}, "out/boot-xa.KEB", keb::KIND_RAW}),
    [](const auto& test) { return test.param.name; });

TEST_F(CliEndToEnd, DestinationLinkedToTheSourceIsRefused)
{
  const fs::path keb = MakeKeb("k");
  Folder("out");
  fs::create_symlink(At("disc.iso"), At("out/disc.KEB"));
  fs::create_symlink(keb, At("out/disc.ISO"));

  for (const auto& [source, destination] :
       {std::pair<std::string, std::string>{"disc.iso", "out/disc.KEB"},
        std::pair<std::string, std::string>{"k/disc.KEB", "out/disc.ISO"}})
  {
    const Snapshot before = Take(At(source));
    const ChildResult run = Cli({"convert", "-q", "-y", "-d", "out", source});
    EXPECT_EQ(run.exit_status, 1) << source;
    EXPECT_EQ(run.out, CannotOpen(destination) + "\n") << source;
    EXPECT_TRUE(Take(At(source)) == before) << source;
    EXPECT_TRUE(fs::is_symlink(At(destination))) << destination;
  }
}

TEST_F(CliEndToEnd, ExitStatusTellsWhetherEverySourceSucceeded)
{
  MakeIso("a.iso");
  MakeIso("b.iso");
  Folder("out");

  const ChildResult all = Cli({"convert", "-q", "-d", "out", "a.iso", "b.iso"});
  EXPECT_EQ(all.exit_status, 0);
  EXPECT_EQ(all.out, Done("out/a.KEB") + "\n" + Done("out/b.KEB") + "\n");

  const ChildResult one_fails =
      Cli({"convert", "-q", "-y", "-d", "out", "a.iso", "missing.iso", "b.iso"});
  EXPECT_EQ(one_fails.exit_status, 1);
  EXPECT_EQ(one_fails.out,
            Done("out/a.KEB") + "\n" + CannotOpen("missing.iso") + "\n" + Done("out/b.KEB") + "\n");

  const ChildResult usage = Cli({"convert", "-q", "--bogus", "a.iso"});
  EXPECT_EQ(usage.exit_status, 64);
  EXPECT_EQ(usage.out, "");
  EXPECT_NE(usage.err.find("usage:"), std::string::npos) << usage.err;

  const ChildResult help = Cli({"--help"});
  EXPECT_EQ(help.exit_status, 0);
  EXPECT_NE(help.out.find("usage:"), std::string::npos);
}

TEST_F(CliEndToEnd, InfoShowsFileFactsLayoutAndKebHeader)
{
  const fs::path iso = MakeIso();
  MakeLayout("mode1", iso, "disc.img");
  const fs::path keb = MakeKeb("k");
  std::tm moment{};
  moment.tm_year = 100;
  moment.tm_mon = 2;
  moment.tm_mday = 5;
  moment.tm_hour = 14;
  moment.tm_min = 7;
  moment.tm_sec = 9;
  const timespec times[2] = {{timegm(&moment), 0}, {timegm(&moment), 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, iso.c_str(), times, 0), 0);

  ChildOptions utc;
  utc.environment = {"TZ=UTC"};
  const ChildResult info = Cli({"info", "disc.iso", "missing.iso", "disc.img", "k/disc.KEB"}, utc);
  EXPECT_EQ(info.exit_status, 1);
  EXPECT_NE(info.err.find("missing.iso"), std::string::npos) << info.err;

  const auto has = [&](const std::string& text) {
    EXPECT_NE(info.out.find(text), std::string::npos) << text << " in\n" << info.out;
  };
  has(SizeText(fs::file_size(iso)));
  has("2000-03-05 14:07:08");
  has("layout 1: 2048-byte sectors");
  has("layout 3: 2352-byte sectors, user data at byte 16");
  has("2352Byte/ｾｸﾀ");
  has("k/disc.KEB\n");
  has("0 (plain image)");
  has("0x80");
  has(text::DEFAULT_DESCRIPTION);
  has("data offset:   512");
  EXPECT_EQ(info.out.find("missing.iso"), std::string::npos) << "reported as if it existed";
}

TEST_F(CliEndToEnd, TerminalQuestionIsAskedAndAnswered)
{
  MakeIso();
  Folder("out");
  WriteBytes(At("out/disc.KEB"), Bytes{'o', 'l', 'd'});
  ChildOptions terminal;
  terminal.working_directory = m_folder;
  terminal.terminal = true;

  ChildProcess child({VAVIZI_CLI_PROGRAM, "convert", "-d", "out", "disc.iso"}, terminal);
  ASSERT_TRUE(child.WaitForTerminalText(std::string(text::QUESTION_OVERWRITE) + " [y/N] ",
                                        std::chrono::seconds(20)));
  child.Type("y\n");
  const ChildResult run = child.Finish();
  EXPECT_EQ(run.exit_status, 0);
  EXPECT_EQ(run.out, Done("out/disc.KEB") + "\n");
  EXPECT_NE(run.err.find("\r(100%) [####"), std::string::npos) << "progress line:\n" << run.err;
  EXPECT_GT(fs::file_size(At("out/disc.KEB")), 3u);
}

TEST_F(CliEndToEnd, QuietDrawsNoProgressOnATerminal)
{
  MakeIso();
  ChildOptions terminal;
  terminal.terminal = true;
  const ChildResult run = Cli({"convert", "-q", "disc.iso"}, terminal);
  EXPECT_EQ(run.exit_status, 0);
  EXPECT_EQ(run.err.find("%)"), std::string::npos) << run.err;
}

TEST_F(CliEndToEnd, CtrlCAtAQuestionAnswersNoAndStartsNoFurtherSource)
{
  MakeIso("a.iso");
  MakeIso("b.iso");
  Folder("out");
  WriteBytes(At("out/a.KEB"), Bytes{'o', 'l', 'd'});
  const Snapshot before = Take(At("out/a.KEB"));
  ChildOptions terminal;
  terminal.working_directory = m_folder;
  terminal.terminal = true;

  ChildProcess child({VAVIZI_CLI_PROGRAM, "convert", "-d", "out", "a.iso", "b.iso"}, terminal);
  ASSERT_TRUE(child.WaitForTerminalText("[y/N] ", std::chrono::seconds(20)));
  child.Signal(SIGINT);
  const ChildResult run = child.Finish();
  EXPECT_EQ(run.signal, 0);
  EXPECT_EQ(run.exit_status, 1);
  EXPECT_EQ(run.out, ABORTED + "\n");
  EXPECT_TRUE(Take(At("out/a.KEB")) == before);
  EXPECT_FALSE(fs::exists(At("out/b.KEB")));
  EXPECT_NE(run.err.find("1 source(s) not converted"), std::string::npos) << run.err;
}

TEST_F(CliEndToEnd, CtrlCDuringARunStopsItBetweenSectors)
{
  // A sparse 1.5 GiB image takes seconds to copy, far longer than the signal takes to arrive.
  MakeIso("big.iso");
  fs::resize_file(At("big.iso"), std::uintmax_t{3} << 29);
  MakeIso("next.iso");
  Folder("out");
  ChildOptions terminal;
  terminal.working_directory = m_folder;
  terminal.terminal = true;

  ChildProcess child({VAVIZI_CLI_PROGRAM, "convert", "-d", "out", "big.iso", "next.iso"}, terminal);
  ASSERT_TRUE(child.WaitForTerminalText("(  0%) [", std::chrono::seconds(20)));
  child.Signal(SIGINT);
  const ChildResult run = child.Finish();
  EXPECT_EQ(run.signal, 0);
  EXPECT_EQ(run.exit_status, 1);
  EXPECT_EQ(run.out, ABORTED + "\n");
  const std::uintmax_t written = fs::file_size(At("out/big.KEB"));
  EXPECT_LT(written, std::uintmax_t{1} << 29);
  EXPECT_EQ((written - keb::HEADER_SIZE) % DATA, 0u) << "whole sectors only";
  EXPECT_FALSE(fs::exists(At("out/next.KEB")));
}

}  // namespace
}  // namespace vavizi::testing
