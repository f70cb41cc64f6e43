// Drives for the browser tests: "c" and "d" are folders in a temporary folder, "e" a drive whose
// root has gone (it cannot be switched to). The process starts each test in c/work and gets its
// old current folder back afterwards.
#pragma once

#include "temp_folder.h"

#include "platform/current_folder.h"
#include "platform/drive_folders.h"

#include <QString>
#include <QWidget>
#include <QtTest>

#include <string>
#include <vector>

// Failure messages show the paths compared.
namespace QTest
{
template <>
inline char* toString(const std::string& text)
{
  return qstrdup(text.c_str());
}
}  // namespace QTest

namespace vavizi::test
{

class BrowserDrives
{
public:
  BrowserDrives()
  {
    m_folder.MakeFolder("c/work/a");
    m_folder.MakeFolder("c/work/B");
    m_folder.MakeFolder("c/work/.hidden");
    m_folder.MakeFolder("d/out");
    m_folder.MakeFile("c/work/disc.iso", 2048);
    m_folder.MakeFile("d/out/other.keb", 512);
    static_cast<void>(ChangeCurrentFolder(m_folder / "c/work"));
  }
  ~BrowserDrives() { static_cast<void>(ChangeCurrentFolder(m_start)); }
  BrowserDrives(const BrowserDrives&) = delete;
  BrowserDrives& operator=(const BrowserDrives&) = delete;

  [[nodiscard]] std::string operator/(const std::string& name) const { return m_folder / name; }
  [[nodiscard]] DriveFolders& Folders() { return m_folders; }
  [[nodiscard]] const TempFolder& Folder() const { return m_folder; }

  // Collects what the controls report instead of showing message boxes.
  std::vector<QString> reports;
  auto Recorder()
  {
    return [this](QWidget*, const QString& message) { reports.push_back(message); };
  }

private:
  std::string m_start = CurrentFolder();
  TempFolder m_folder;
  FixedDriveTable m_table{{{'c', m_folder / "c", false},
                           {'d', m_folder / "d", false},
                           {'e', m_folder / "e-gone", true}}};
  DriveFolders m_folders{m_table};
};

}  // namespace vavizi::test
