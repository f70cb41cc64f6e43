// vavizi-cli's window operations over a terminal.
#include "cli/terminal_window.h"

#include "cli/interrupt.h"
#include "core/messages.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <poll.h>
#include <string>
#include <unistd.h>
#include <utility>

namespace vavizi::cli
{
namespace
{

void WriteError(const std::string& text)
{
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}

[[nodiscard]] bool IsYes(const std::string& line)
{
  return line == "y" || line == "Y" || line == "yes" || line == "Yes" || line == "YES";
}

}  // namespace

TerminalWindow::TerminalWindow(TerminalSettings settings) : m_settings(std::move(settings)) {}

void TerminalWindow::BeginSource(std::string source, std::string folder)
{
  m_source = std::move(source);
  m_folder = std::move(folder);
  m_texts = {};
  m_file_list_reread = false;
  m_dialog_shown = false;
  m_tag = DialogTag::Waiting;
}

void TerminalWindow::FinishProgressLine()
{
  if (m_drawn_width > 0)
  {
    WriteError("\n");
    m_drawn_width = 0;
  }
}

void TerminalWindow::SetText(Control control, const std::string& text)
{
  std::string& shown = m_texts[Index(control)];
  if (shown == text)
  {
    return;
  }
  shown = text;
  if (control == Control::Panel4 || control == Control::Panel16)
  {
    DrawProgress();
  }
}

void TerminalWindow::Repaint(Control) {}

void TerminalWindow::SetProgressRange(int minimum, int maximum)
{
  m_progress_minimum = minimum;
  m_progress_maximum = maximum;
}

void TerminalWindow::SetProgressPosition(int position)
{
  if (position == m_progress_position)
  {
    return;
  }
  m_progress_position = position;
  DrawProgress();
}

void TerminalWindow::SetEnabled(Control, bool) {}

void TerminalWindow::SetVisible(Control control, bool visible)
{
  const bool was_visible = std::exchange(m_visible[Index(control)], visible);
  // The abort button appears when a run starts: show where it starts from.
  if (control == Control::Button2 && visible && !was_visible)
  {
    DrawProgress();
  }
}

bool TerminalWindow::IsVisible(Control control)
{
  return m_visible[Index(control)];
}

void TerminalWindow::SetBusyCursor(bool) {}

void TerminalWindow::SetTitle(const std::string&) {}

bool TerminalWindow::Ask(const std::string& question)
{
  const bool raw_question = question == text::QUESTION_RAW;
  const Answer answer = raw_question ? m_settings.raw_answer : m_settings.other_answers;
  if (answer != Answer::Ask)
  {
    return answer == Answer::Yes;
  }
  if (InterruptRequested())
  {
    return false;
  }
  FinishProgressLine();
  if (m_settings.can_ask)
  {
    return AskTerminal(question);
  }
  if (!m_settings.quiet)
  {
    WriteError(question + " [y/N] n (standard input is not a terminal; " +
               (raw_question ? "--raw or --plain" : "-y or -n") + " answers)\n");
  }
  return false;
}

bool TerminalWindow::AskTerminal(const std::string& question)
{
  WriteError(question + " [y/N] ");
  std::string line;
  for (;;)
  {
    // Waiting on the interrupt descriptor too: a Ctrl-C just before the read would not end it.
    pollfd waits[2] = {{STDIN_FILENO, POLLIN, 0}, {InterruptDescriptor(), POLLIN, 0}};
    const int ready = ::poll(waits, 2, -1);
    if (InterruptRequested())
    {
      WriteError("\n");
      return false;
    }
    if (ready < 0)
    {
      if (errno == EINTR)
      {
        continue;
      }
      WriteError("\n");
      return false;
    }
    char byte = 0;
    const ssize_t count = ::read(STDIN_FILENO, &byte, 1);
    if (count < 0 && errno == EINTR)
    {
      continue;
    }
    if (count <= 0)
    {
      // End of input or a read error: nobody said yes.
      WriteError("\n");
      return false;
    }
    if (byte == '\n')
    {
      break;
    }
    if (byte != '\r')
    {
      line.push_back(byte);
    }
  }
  return IsYes(line);
}

void TerminalWindow::ProcessEvents()
{
  if (InterruptRequested())
  {
    m_visible[Index(Control::Button2)] = false;
  }
  if (m_dialog_shown && m_tag == DialogTag::Waiting)
  {
    m_tag = InterruptRequested() ? DialogTag::Cancel : DialogTag::Start;
  }
}

void TerminalWindow::WaitForEvents()
{
  ProcessEvents();
}

std::string TerminalWindow::SelectedFilePath()
{
  return m_source;
}

std::string TerminalWindow::DestinationFolder()
{
  return m_folder;
}

void TerminalWindow::RereadFileList()
{
  m_file_list_reread = true;
}

void TerminalWindow::SetMainWindowEnabled(bool) {}

void TerminalWindow::FocusMainWindow() {}

void TerminalWindow::ShowDescriptionDialog()
{
  m_dialog_shown = true;
  m_tag = InterruptRequested() ? DialogTag::Cancel : DialogTag::Start;
}

void TerminalWindow::SetDescriptionTag(DialogTag tag)
{
  m_tag = tag;
}

DialogTag TerminalWindow::DescriptionTag()
{
  return m_tag;
}

std::string TerminalWindow::DescriptionText()
{
  return m_settings.description;
}

void TerminalWindow::DrawProgress()
{
  if (!m_settings.show_progress || !m_visible[Index(Control::Button2)])
  {
    return;
  }
  const int span = m_progress_maximum - m_progress_minimum;
  int filled = 0;
  if (span > 0)
  {
    const int clamped =
        std::min(std::max(m_progress_position, m_progress_minimum), m_progress_maximum);
    filled = (clamped - m_progress_minimum) * BAR_WIDTH / span;
  }
  std::string line = "\r" + m_texts[Index(Control::Panel4)] + " [" +
                     std::string(static_cast<std::size_t>(filled), '#') +
                     std::string(static_cast<std::size_t>(BAR_WIDTH - filled), '.') + "]";
  const std::string& remaining = m_texts[Index(Control::Panel16)];
  if (!remaining.empty())
  {
    line += " " + remaining;
  }
  const std::size_t width = line.size() - 1;
  if (width < m_drawn_width)
  {
    line += std::string(m_drawn_width - width, ' ');
  }
  m_drawn_width = width;
  WriteError(line);
}

}  // namespace vavizi::cli
