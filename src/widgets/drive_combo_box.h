// The drive selector: a drop-down of the drives ("c: /", "d: /media/cdrom"), linked to a folder
// list. Changing its drive first moves the folder list to that drive's current folder and then
// raises Change(); it also raises Change() once when its window is first shown, and once more after
// the user picks another drive, so a handler sees every drive it may have to account for.
#pragma once

#include "platform/drive_folders.h"
#include "widgets/failure_report.h"

#include <QComboBox>

namespace vavizi
{

class DirectoryListBox;

class DriveComboBox : public QComboBox
{
  Q_OBJECT

public:
  // Over the process's drives and per-drive folders, holding the drive of the current folder.
  explicit DriveComboBox(QWidget* parent = nullptr);
  // Over the given drives and per-drive folders (which must outlive it).
  explicit DriveComboBox(DriveFolders& folders, QWidget* parent = nullptr);

  // The drive held, lower case: the letter its mount carries in the drive table now.
  [[nodiscard]] char Drive() const;

  // Switches to the drive of `letter` (either case): the linked folder list moves to that drive's
  // current folder, then Change() is raised. The drive already held: nothing happens, true. A drive
  // that does not exist or whose folder cannot be entered: reported, nothing changes, false.
  bool SetDrive(char letter);

  // Links the folder list that follows this selector (and that moves it), or unlinks with null.
  void SetDirList(DirectoryListBox* list);
  // The linked folder list, or null.
  [[nodiscard]] DirectoryListBox* DirList() const { return m_dir_list; }

  // Replaces the message box that reports a drive it cannot switch to.
  void SetFailureReport(FailureReport report) { m_report = std::move(report); }

  // Reads the drives anew before dropping down, so a disc inserted meanwhile is offered; the drive
  // held stays held (under its new letter if the letters shifted) and no Change() is raised.
  void showPopup() override;

  // The item text of a drive: its letter, ":", a space and its root folder.
  [[nodiscard]] static QString DriveText(const vavizi::Drive& drive);

signals:
  // The drive was set to another one, the user picked one, or the window was first shown.
  void Change();

protected:
  void showEvent(QShowEvent* event) override;

private:
  friend class DirectoryListBox;

  void FillItems();
  void SelectHeldItem();
  // Says that the drive of `letter` cannot be switched to, and shows the drive held again.
  void ReportFailure(char letter);
  void OnActivated(int index);
  // Takes the drive of `folder` without moving anything or raising Change().
  void AdoptDriveOf(const std::string& folder);

  DriveFolders& m_folders;
  DirectoryListBox* m_dir_list = nullptr;
  FailureReport m_report = ShowFailureBox;
  // The drive held is known by its root, so that a re-read of the table that shifts the letters
  // (by this selector or another one over the same table) keeps it.
  std::string m_root;
  char m_letter = FIRST_DRIVE_LETTER;  // its letter when last seen, while its mount is gone
  bool m_start_reported = false;
};

}  // namespace vavizi
