// What the conversion logic needs of the window: set texts, show progress, ask questions, process
// pending events, and drive the description dialog. The window program implements it over Qt
// widgets, the command-line program over a terminal, and tests over a recording fake.
#pragma once

#include <string>

namespace vavizi
{

enum class Control
{
  Panel1,        // message panel
  Panel4,        // percentage
  Panel6,        // file size
  Panel8,        // file date
  Panel10,       // file time
  Panel12,       // sector size
  Panel16,       // remaining time
  ProgressBar1,  // progress bar, 0 to 100
  Button1,       // start button
  BitBtn1,       // close button
  Button2,       // abort button, shown only during a run
};

// Values of the description dialog's Tag.
enum class DialogTag : int
{
  Waiting = 0,
  Start = 1,
  Cancel = 2,
};

class WindowOperations
{
public:
  virtual ~WindowOperations() = default;

  // Shows `text` unchanged on a panel (UTF-8).
  virtual void SetText(Control control, const std::string& text) = 0;
  // Makes the control's new text or position visible before returning, without event processing.
  virtual void Repaint(Control control) = 0;
  virtual void SetProgressRange(int minimum, int maximum) = 0;
  virtual void SetProgressPosition(int position) = 0;
  virtual void SetEnabled(Control control, bool enabled) = 0;
  virtual void SetVisible(Control control, bool visible) = 0;
  [[nodiscard]] virtual bool IsVisible(Control control) = 0;
  // Hourglass during a run, the default cursor otherwise.
  virtual void SetBusyCursor(bool busy) = 0;
  // The text naming the program outside its window (task bar).
  virtual void SetTitle(const std::string& title) = 0;
  // A modal yes/no question titled "確認" without an icon; true for Yes.
  [[nodiscard]] virtual bool Ask(const std::string& question) = 0;
  // Handles every pending event and returns when none is left.
  virtual void ProcessEvents() = 0;
  // Like ProcessEvents, but first waits until at least one event arrives.
  virtual void WaitForEvents() = 0;
  // Full path of the file selected in the source file list; empty when none is selected.
  [[nodiscard]] virtual std::string SelectedFilePath() = 0;
  // Full path of the folder selected in the destination folder list.
  [[nodiscard]] virtual std::string DestinationFolder() = 0;
  // Lists the source folder's files anew, leaving no entry selected.
  virtual void RereadFileList() = 0;

  virtual void SetMainWindowEnabled(bool enabled) = 0;
  virtual void FocusMainWindow() = 0;

  // The description dialog: shown without being modal; its Tag tells how it was left.
  virtual void ShowDescriptionDialog() = 0;
  virtual void SetDescriptionTag(DialogTag tag) = 0;
  [[nodiscard]] virtual DialogTag DescriptionTag() = 0;
  // The text of its edit box (UTF-8).
  [[nodiscard]] virtual std::string DescriptionText() = 0;
};

}  // namespace vavizi
