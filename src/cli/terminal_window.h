// The terminal front of the conversion command: vavizi-cli's window operations. Panel texts are
// remembered (the message panel's last text is the outcome line), the percentage, bar and remaining
// time become one line on stderr redrawn in place, questions are answered from the command line or
// on the terminal, the description dialog answers at once, and Ctrl-C hides the abort button.
#pragma once

#include "cli/cli_arguments.h"
#include "core/window_operations.h"

#include <array>
#include <string>

namespace vavizi::cli
{

struct TerminalSettings
{
  Answer raw_answer = Answer::Ask;
  Answer other_answers = Answer::Ask;
  std::string description;     // UTF-8, as the description dialog's edit box would hold it
  bool show_progress = false;  // draw the progress line on stderr
  bool can_ask = false;        // stdin is a terminal: unanswered questions are asked there
  bool quiet = false;  // no notes on stderr about questions answered No for lack of a terminal
};

class TerminalWindow final : public WindowOperations
{
public:
  explicit TerminalWindow(TerminalSettings settings);

  // Prepares for one conversion command of `source` into `folder`.
  void BeginSource(std::string source, std::string folder);
  // The last text the command set on the message panel.
  [[nodiscard]] const std::string& Message() const { return m_texts[Index(Control::Panel1)]; }
  // True when the command reported a success: it re-reads the file list then and only then.
  [[nodiscard]] bool Succeeded() const { return m_file_list_reread; }
  // Ends a drawn progress line so that what follows starts on a line of its own.
  void FinishProgressLine();

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
  std::string SelectedFilePath() override;
  std::string DestinationFolder() override;
  void RereadFileList() override;
  void SetMainWindowEnabled(bool enabled) override;
  void FocusMainWindow() override;
  void ShowDescriptionDialog() override;
  void SetDescriptionTag(DialogTag tag) override;
  DialogTag DescriptionTag() override;
  std::string DescriptionText() override;

private:
  static constexpr std::size_t CONTROL_COUNT = static_cast<std::size_t>(Control::Button2) + 1;
  static constexpr int BAR_WIDTH = 40;

  [[nodiscard]] static std::size_t Index(Control control)
  {
    return static_cast<std::size_t>(control);
  }
  [[nodiscard]] bool AskTerminal(const std::string& question);
  void DrawProgress();

  TerminalSettings m_settings;
  std::string m_source;
  std::string m_folder;
  std::array<std::string, CONTROL_COUNT> m_texts{};
  std::array<bool, CONTROL_COUNT> m_visible{};
  int m_progress_minimum = 0;
  int m_progress_maximum = 100;
  int m_progress_position = 0;
  bool m_file_list_reread = false;
  bool m_dialog_shown = false;
  DialogTag m_tag = DialogTag::Waiting;
  std::size_t m_drawn_width = 0;  // columns of the progress line on the terminal; 0 when none
};

}  // namespace vavizi::cli
