// The folder list: the current folder as an open-folder tree (the drive's root, each folder on the
// way down, the current folder) followed by its sub-folders. Opening an entry (double click or
// Enter) makes that folder current for the list, the process and its drive; a linked file list
// follows it and a linked drive selector is moved when the folder lies on another drive.
#pragma once

#include "platform/drive_folders.h"
#include "widgets/failure_report.h"

#include <QListWidget>

#include <string>

namespace vavizi
{

class DriveComboBox;
class FileListBox;

class DirectoryListBox : public QListWidget
{
  Q_OBJECT

public:
  static constexpr int ITEM_HEIGHT = 16;
  static constexpr int INDENT = 8;  // pixels per level of the tree

  // Over the process's drives and per-drive folders, showing the process's current folder.
  explicit DirectoryListBox(QWidget* parent = nullptr);
  // Over the given per-drive folders (which must outlive it), showing the current folder.
  explicit DirectoryListBox(DriveFolders& folders, QWidget* parent = nullptr);

  // The folder shown: absolute, no trailing "/" except for "/" itself, the bytes on disk.
  [[nodiscard]] std::string Directory() const { return m_directory; }

  // Shows `path` (absolute, or relative to the folder shown) as TrySetDirectory does.
  void SetDirectory(const std::string& path);
  // Makes `path` the folder shown, the process's current folder and its drive's current folder;
  // a folder on another drive first moves the linked drive selector (its Change() runs); the
  // linked file list re-reads it with no selection. The folder shown already: only made current
  // again. A folder that cannot be entered: reported, nothing changes, false.
  bool TrySetDirectory(const std::string& path);

  // Links the file list that follows this list (null unlinks); it re-reads this list's folder.
  void SetFileList(FileListBox* list);
  // The linked file list, or null.
  [[nodiscard]] FileListBox* FileList() const { return m_file_list; }
  // Links the drive selector that moves with this list (null unlinks); see
  // DriveComboBox::SetDirList.
  void SetDriveCombo(DriveComboBox* combo);
  // The linked drive selector, or null.
  [[nodiscard]] DriveComboBox* DriveCombo() const { return m_drive_combo; }

  // Replaces the message box that reports a folder it cannot open.
  void SetFailureReport(FailureReport report) { m_report = std::move(report); }

  // The folder of a row (the bytes on disk); empty for a row that does not exist.
  [[nodiscard]] std::string FolderOfRow(int row) const;
  // Reads the sub-folders of the folder shown again.
  void Reread();

signals:
  // A double click on the list, raised before the entry under the pointer is opened.
  void DblClick();

protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  friend class DriveComboBox;

  // Makes the folder current and shows it without consulting the drive selector; false when it
  // cannot be entered.
  bool Enter(const std::string& folder);
  void Build();

  DriveFolders& m_folders;
  std::string m_directory;
  FileListBox* m_file_list = nullptr;
  DriveComboBox* m_drive_combo = nullptr;
  FailureReport m_report = ShowFailureBox;
};

}  // namespace vavizi
