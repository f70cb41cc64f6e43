// vavizi-cli on odd names and paths: CP932 bytes that are not UTF-8, spaces, several dots, no dot,
// a leading dot, paths past 199 bytes and past the system's 4096, folders named like files, and a
// destination that differs from another file only by case. Each gets its message or a right file.
#include "cli_test_folder.h"

#include "core/messages.h"
#include "core/text_format.h"

#include <cerrno>
#include <cstring>
#include <map>
#include <sys/stat.h>

namespace vavizi::testing
{
namespace
{

namespace fs = std::filesystem;

// "ディスク" and "表" in CP932; the second byte of 表 is 0x5C, the separator of other systems.
const std::string DISK_CP932 = "\x83\x66\x83\x42\x83\x58\x83\x4E";
const std::string HYOU_CP932 = "\x95\x5C";

// "./" repeated to make a path of at least `length` bytes that names the test folder itself.
std::string Padded(std::size_t length)
{
  std::string path;
  while (path.size() < length)
    path += "./";
  return path;
}

struct OddNameCase
{
  std::string name;
  std::vector<std::string> folders;  // made before the run
  std::string source;                // written as a source unless it is one of `folders`
  bool keb_source;                   // a KEB image, else an ISO
  std::vector<std::string> options;  // after "convert -q -y"
  std::string message;               // the outcome line
  std::string destination;           // the file the run makes, empty when it makes none
  std::string bystander;             // a file written before the run that must stay as it was
};

void PrintTo(const OddNameCase& test_case, std::ostream* out)
{
  *out << test_case.name;
}

std::string WrongExtension(const std::string& extension)
{
  return FillPlaceholder(text::WRONG_EXTENSION, extension);
}

std::vector<OddNameCase> OddNameCases()
{
  const std::vector<std::string> to_out{"-d", "out"};
  const std::string deep = std::string(120, 'a') + "/" + std::string(120, 'b');
  // A folder path of 4089 bytes, within the system's limit; with "/disc.KEB" it is past it.
  const std::string long_out = Padded(4086) + "out";
  return {
      {"Cp932Name",
       {},
       DISK_CP932 + ".iso",
       false,
       to_out,
       Done("out/" + DISK_CP932 + ".KEB"),
       "out/" + DISK_CP932 + ".KEB",
       ""},
      {"Cp932NameOfAKeb",
       {},
       DISK_CP932 + ".keb",
       true,
       to_out,
       Done("out/" + DISK_CP932 + ".ISO"),
       "out/" + DISK_CP932 + ".ISO",
       ""},
      {"Cp932FolderWithBackslashByte",
       {HYOU_CP932},
       HYOU_CP932 + "/disc.iso",
       false,
       {},
       Done(HYOU_CP932 + "/disc.KEB"),
       HYOU_CP932 + "/disc.KEB",
       ""},
      {"Cp932NameWithBackslashByte",
       {},
       HYOU_CP932 + ".iso",
       false,
       to_out,
       Done("out/" + HYOU_CP932 + ".KEB"),
       "out/" + HYOU_CP932 + ".KEB",
       ""},
      {"Spaces",
       {},
       " my disc .iso",
       false,
       to_out,
       Done("out/ my disc .KEB"),
       "out/ my disc .KEB",
       ""},
      {"SeveralDots", {}, "disc.old.iso", false, to_out, WrongExtension(".OLD.ISO"), "", ""},
      {"TrailingDot", {}, "disc.", false, to_out, WrongExtension("."), "", ""},
      {"NoDot", {}, "disc", false, to_out, text::NO_EXTENSION, "", ""},
      {"DotsOnlyInTheFolder", {"v1.2"}, "v1.2/disc", false, {}, text::NO_EXTENSION, "", ""},
      {"BesideItselfInAFolderWithDots",
       {"v1.2"},
       "v1.2/disc.iso",
       false,
       {},
       Done("v1.2/disc.KEB"),
       "v1.2/disc.KEB",
       ""},
      {"LeadingDot", {}, ".iso", false, to_out, Done("out/.KEB"), "out/.KEB", ""},
      {"LeadingDotOfAKeb", {}, ".keb", true, to_out, Done("out/.ISO"), "out/.ISO", ""},
      {"PathPast199Bytes",
       {deep},
       deep + "/" + std::string(60, 'c') + ".iso",
       false,
       {},
       Done(deep + "/" + std::string(60, 'c') + ".KEB"),
       deep + "/" + std::string(60, 'c') + ".KEB",
       ""},
      {"SourcePathPast4096Bytes",
       {},
       Padded(4097) + "disc.iso",
       false,
       to_out,
       CannotOpen(Padded(4097) + "disc.iso"),
       "",
       ""},
      {"DestinationPathPast4096Bytes",
       {},
       "disc.iso",
       false,
       {"-d", long_out},
       CannotOpen(long_out + "/disc.KEB"),
       "",
       ""},
      {"FolderNamedLikeAnIso", {"x.iso"}, "x.iso", false, to_out, CannotOpen("x.iso"), "", ""},
      {"FolderNamedLikeAKeb", {"x.KEB"}, "x.KEB", false, to_out, CannotOpen("x.KEB"), "", ""},
      {"DestinationFolderNamedLikeAFile",
       {"OUT.2"},
       "disc.iso",
       false,
       {"-d", "OUT.2"},
       Done("OUT.2/disc.KEB"),
       "OUT.2/disc.KEB",
       ""},
      {"OtherCaseOfTheDestinationStaysApart",
       {},
       "disc.iso",
       false,
       {},
       Done("./disc.KEB"),
       "disc.KEB",
       "disc.keb"},
      {"OtherCaseOfTheIsoStaysApart",
       {},
       "disc.keb",
       true,
       {},
       Done("./disc.ISO"),
       "disc.ISO",
       "disc.iso"},
  };
}

// Every path below `folder` with what stands there, to tell that a run left the tree alone.
std::map<std::string, Bytes> Tree(const fs::path& folder)
{
  std::map<std::string, Bytes> tree;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
  {
    const std::string path = fs::relative(entry.path(), folder).string();
    tree[path] = entry.is_regular_file() ? ReadBytes(entry.path()) : Bytes{'/'};
  }
  return tree;
}

class CliOddPaths : public CliTestFolder
{
};

class CliOddNames : public CliTestFolder, public ::testing::WithParamInterface<OddNameCase>
{
};

TEST_P(CliOddNames, GetTheirMessageOrTheRightFile)
{
  const OddNameCase& test_case = GetParam();
  Folder("out");
  for (const std::string& folder : test_case.folders)
    Folder(folder);
  const Conversion conversion = test_case.keb_source ? KebToIso(30, 5) : IsoToKeb(40);
  const fs::path source = m_folder / fs::path(test_case.source).lexically_normal();
  if (!fs::is_directory(source))
    WriteBytes(source, conversion.source);
  const Bytes bystander = Pattern(3000, 9);
  if (!test_case.bystander.empty())
    WriteBytes(At(test_case.bystander), bystander);
  const auto before = Tree(m_folder);

  std::vector<std::string> arguments{"convert", "-q", "-y"};
  arguments.insert(arguments.end(), test_case.options.begin(), test_case.options.end());
  arguments.push_back(test_case.source);
  const ChildResult run = Cli(arguments);

  EXPECT_EQ(run.signal, 0);
  EXPECT_EQ(run.out, test_case.message + "\n");
  EXPECT_EQ(run.exit_status, test_case.destination.empty() ? 1 : 0) << run.err;
  auto after = Tree(m_folder);
  if (!test_case.destination.empty())
  {
    EXPECT_TRUE(after[test_case.destination] == conversion.destination)
        << test_case.destination << " is not the converted image";
    after.erase(test_case.destination);
  }
  EXPECT_TRUE(after == before) << "a file other than the destination changed or appeared";
  if (!test_case.bystander.empty())
  {
    EXPECT_TRUE(ReadBytes(At(test_case.bystander)) == bystander);
  }
}

INSTANTIATE_TEST_SUITE_P(Paths, CliOddNames, ::testing::ValuesIn(OddNameCases()),
                         [](const auto& test) { return test.param.name; });

// A destination folder the system cannot even look up is refused before any source is touched.
TEST_F(CliOddPaths, DestinationFolderPast4096BytesIsRefusedWithTheReason)
{
  WriteBytes(At("disc.iso"), MakeIsoData(40));
  Folder("out");
  const auto before = Tree(m_folder);
  const ChildResult run = Cli({"convert", "-q", "-y", "-d", Padded(4097) + "out", "disc.iso"});
  EXPECT_EQ(run.exit_status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find(std::strerror(ENAMETOOLONG)), std::string::npos) << run.err;
  EXPECT_TRUE(Tree(m_folder) == before);
}

// A FIFO named like an image is not a file to convert: it must be refused at once, not waited on
// for a writer that never comes.
TEST_F(CliOddPaths, FifoNamedLikeAnImageIsRefusedAtOnce)
{
  ASSERT_EQ(mkfifo(At("pipe.iso").c_str(), 0600), 0) << std::strerror(errno);
  Folder("out");
  ChildOptions options;
  options.working_directory = m_folder;
  ChildProcess child({VAVIZI_CLI_PROGRAM, "convert", "-q", "-y", "-d", "out", "pipe.iso"}, options);
  const ChildResult run = child.Finish(std::chrono::seconds(10));
  EXPECT_EQ(run.signal, 0) << "still waiting on the FIFO after 10 s";
  EXPECT_EQ(run.exit_status, 1);
  EXPECT_EQ(run.out, CannotOpen("pipe.iso") + "\n");
  EXPECT_TRUE(fs::is_empty(At("out")));
}

// A destination that is a link to some other file: answering Yes replaces the entry in the
// destination folder, never the file the link points at.
TEST_F(CliOddPaths, DestinationLinkedToAnotherFileLeavesThatFileAlone)
{
  const Conversion conversion = IsoToKeb(40);
  WriteBytes(At("disc.iso"), conversion.source);
  const Bytes precious = Pattern(8000, 5);
  WriteBytes(At("precious.bin"), precious);
  Folder("out");
  fs::create_symlink("../precious.bin", At("out/disc.KEB"));

  const ChildResult run = Cli({"convert", "-q", "-y", "-d", "out", "disc.iso"});
  EXPECT_EQ(run.exit_status, 0);
  EXPECT_EQ(run.out, Done("out/disc.KEB") + "\n");
  EXPECT_TRUE(ReadBytes(At("precious.bin")) == precious) << "the file behind the link changed";
  EXPECT_TRUE(ReadBytes(At("out/disc.KEB")) == conversion.destination);
}

TEST_F(CliOddPaths, DestinationLinkedToAnotherFileIsKeptOnNo)
{
  WriteBytes(At("disc.iso"), MakeIsoData(40));
  const Bytes precious = Pattern(8000, 5);
  WriteBytes(At("precious.bin"), precious);
  Folder("out");
  fs::create_symlink("../precious.bin", At("out/disc.KEB"));

  const ChildResult run = Cli({"convert", "-q", "-n", "-d", "out", "disc.iso"});
  EXPECT_EQ(run.exit_status, 1);
  EXPECT_EQ(run.out, std::string(text::ABORTED) + "\n");
  EXPECT_TRUE(fs::is_symlink(At("out/disc.KEB")));
  EXPECT_TRUE(ReadBytes(At("precious.bin")) == precious);
}

// A FIFO standing where the destination goes is refused at once, even after a Yes, and left in
// place: opening it never waits for a reader.
TEST_F(CliOddPaths, FifoAtTheDestinationIsNotWaitedOn)
{
  WriteBytes(At("disc.iso"), MakeIsoData(40));
  Folder("out");
  ASSERT_EQ(mkfifo(At("out/disc.KEB").c_str(), 0600), 0) << std::strerror(errno);
  ChildOptions options;
  options.working_directory = m_folder;
  ChildProcess child({VAVIZI_CLI_PROGRAM, "convert", "-q", "-y", "-d", "out", "disc.iso"}, options);
  const ChildResult run = child.Finish(std::chrono::seconds(10));
  EXPECT_EQ(run.signal, 0) << "still waiting on the FIFO after 10 s";
  EXPECT_EQ(run.exit_status, 1);
  EXPECT_EQ(run.out, CannotOpen("out/disc.KEB") + "\n");
  EXPECT_TRUE(fs::is_fifo(At("out/disc.KEB")));
}

}  // namespace
}  // namespace vavizi::testing
