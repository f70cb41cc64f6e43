// The main window: the source browser on the left, the destination browser on the right, the start
// button between them, and the progress, message and close controls along the bottom. Its handlers
// run the conversion command, show the file information and free space, and save and restore the
// window state.
#pragma once

#include "core/program_state.h"

#include <QMainWindow>

#include <memory>
#include <string>

namespace Ui
{
class TForm1;
}

namespace vavizi
{
class DirectoryListBox;
class DriveComboBox;
class DriveSpace;
class Form1WindowOperations;
}  // namespace vavizi

class TForm1 : public QMainWindow
{
  Q_OBJECT

public:
  // The services the window runs against; null members take the real ones.
  struct Services
  {
    vavizi::FileSystem* files = nullptr;
    vavizi::Clock* clock = nullptr;
    vavizi::DriveSpace* drive_space = nullptr;
  };

  explicit TForm1(QWidget* parent = nullptr);
  TForm1(const Services& services, QWidget* parent = nullptr);
  ~TForm1() override;

  [[nodiscard]] vavizi::ProgramState& State() { return m_state; }
  // The application title: "VAVIZI", or the progress of the running conversion.
  [[nodiscard]] const std::string& Title() const { return m_title; }
  void SetTitle(const std::string& title);

  Ui::TForm1* ui;

public slots:
  void Button1Click();
  void Button2Click();
  void FormCreate();
  void N3Click();
  void K1Click();
  void DirectoryListBox1DblClick();
  void DriveComboBox1Change();
  void DriveComboBox2Change();
  void FileListBox1Click();

protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

private:
  void FormPaint();
  void FormClose();
  // The drive letter of the start directory, for a side whose saved folder cannot be entered.
  [[nodiscard]] char StartDirectoryDrive() const;
  // Sets one browser from the saved state, as the first paint does for each side.
  void RestoreBrowser(vavizi::DriveComboBox* drives, vavizi::DirectoryListBox* folders,
                      char saved_drive, const std::string& saved_folder);
  void ApplyFonts();
  [[nodiscard]] vavizi::ConversionContext Context();

  vavizi::ProgramState m_state;
  std::string m_title;
  std::unique_ptr<vavizi::FileSystem> m_own_files;
  std::unique_ptr<vavizi::Clock> m_own_clock;
  std::unique_ptr<vavizi::DriveSpace> m_own_drive_space;
  vavizi::FileSystem* m_files;
  vavizi::Clock* m_clock;
  vavizi::DriveSpace* m_drive_space;
  std::unique_ptr<vavizi::Form1WindowOperations> m_window;
};

extern TForm1* Form1;
