// A recording stand-in for the window: keeps every text, visibility and question, answers questions
// from a table, and lets a test act inside event processing (an abort click at sector k).
#pragma once

#include "core/window_operations.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace vavizi::testing
{

class FakeWindow : public WindowOperations
{
public:
  void SetText(Control control, const std::string& text) override;
  void Repaint(Control control) override;
  void SetProgressRange(int minimum, int maximum) override;
  void SetProgressPosition(int position) override;
  void SetEnabled(Control control, bool enabled) override;
  void SetVisible(Control control, bool visible) override;
  bool IsVisible(Control control) override;
  void SetBusyCursor(bool busy) override;
  void SetTitle(const std::string& title) override;
  bool Ask(const std::string& question) override;
  void ProcessEvents() override;
  void WaitForEvents() override;
  std::string SelectedFilePath() override { return selected_path; }
  std::string DestinationFolder() override { return destination_folder; }
  void RereadFileList() override { ++reread_count; }
  void SetMainWindowEnabled(bool enabled) override;
  void FocusMainWindow() override { log.push_back("focus"); }
  void ShowDescriptionDialog() override;
  void SetDescriptionTag(DialogTag tag) override { description_tag = tag; }
  DialogTag DescriptionTag() override { return description_tag; }
  std::string DescriptionText() override { return description_text; }

  // The text a control shows now (empty when never set).
  [[nodiscard]] std::string Text(Control control) const;
  // Every text set on a control, in order.
  [[nodiscard]] std::vector<std::string> Texts(Control control) const;
  // Clicks the abort button (hides Button2), as a handler run by event processing would.
  void ClickAbort() { visible[Control::Button2] = false; }

  std::string selected_path;
  std::string destination_folder = "/out";
  std::string description_text = "ＩＳＯｔｏRID";
  // Answers by question text; a question without an entry is answered No.
  std::map<std::string, bool> answers;
  // The dialog's answer once the routine waits for it.
  DialogTag dialog_answer = DialogTag::Start;
  // Run on each ProcessEvents call with the count of calls so far (1 for the first).
  std::function<void(int)> on_process_events;

  std::vector<std::string> questions;
  std::vector<std::string> titles;
  std::vector<std::string> log;  // operations in order, for tests of sequence
  std::map<Control, std::vector<std::string>> texts;
  std::map<Control, bool> visible;
  std::map<Control, bool> enabled;
  std::map<Control, int> repaints;
  int progress_minimum = 0;
  int progress_maximum = 0;
  int progress_position = 0;
  bool busy_cursor = false;
  bool main_window_enabled = true;
  int process_events_count = 0;
  int reread_count = 0;
  int dialog_shown_count = 0;
  DialogTag description_tag = DialogTag::Waiting;
};

// A short name for log lines and messages.
[[nodiscard]] const char* ControlName(Control control);

}  // namespace vavizi::testing
