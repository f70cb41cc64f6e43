// The system's drives: over /proc/self/mountinfo where there are no drive letters, over the
// letters themselves where there are.
#include "platform/drive_table.h"

#ifdef _WIN32
#include <QDir>
#include <QFileInfo>
#else
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#endif

namespace vavizi
{
namespace
{

std::vector<Drive> ReadSystemDrives()
{
#ifdef _WIN32
  std::vector<Drive> drives;
  for (const QFileInfo& root : QDir::drives())
  {
    const QString path = root.absolutePath();
    const QChar letter = path.isEmpty() ? QChar() : path.front().toLower();
    if (letter >= QLatin1Char('a') && letter <= QLatin1Char('z'))
    {
      drives.push_back(Drive{static_cast<char>(letter.unicode()), path.toStdString(), false});
    }
  }
  return drives;
#else
  std::ifstream file("/proc/self/mountinfo");
  std::stringstream text;
  text << file.rdbuf();
  const auto is_folder = [](const std::string& path)
  {
    struct stat info
    {
    };
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
  };
  std::vector<Drive> drives = SelectDrives(ParseMountInfo(text.str()), is_folder);
  if (drives.empty())
  {
    // Without a readable mount table the whole tree is still one drive.
    drives.push_back(Drive{FIRST_DRIVE_LETTER, "/", false});
  }
  return drives;
#endif
}

}  // namespace

std::optional<Drive> DriveTable::DriveOf(std::string_view path)
{
#ifdef _WIN32
  if (path.size() >= 2 && path[1] == ':')
  {
    return DriveOf(path[0]);
  }
  return std::nullopt;
#else
  return DriveOfPath(Drives(), path);
#endif
}

std::optional<Drive> DriveTable::DriveOf(char letter)
{
  return DriveOfLetter(Drives(), letter);
}

std::string DriveTable::RootOf(char letter)
{
  const std::optional<Drive> drive = DriveOf(letter);
  return drive ? drive->root : std::string();
}

const std::vector<Drive>& SystemDriveTable::Drives()
{
  if (!m_read)
  {
    Refresh();
  }
  return m_drives;
}

void SystemDriveTable::Refresh()
{
  m_drives = ReadSystemDrives();
  m_read = true;
}

DriveTable& ProcessDriveTable()
{
  static SystemDriveTable table;
  return table;
}

}  // namespace vavizi
