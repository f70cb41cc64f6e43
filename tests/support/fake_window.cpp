// The recording window stand-in.
#include "support/fake_window.h"

namespace vavizi::testing
{

const char* ControlName(Control control)
{
  switch (control)
  {
    case Control::Panel1:
      return "Panel1";
    case Control::Panel4:
      return "Panel4";
    case Control::Panel6:
      return "Panel6";
    case Control::Panel8:
      return "Panel8";
    case Control::Panel10:
      return "Panel10";
    case Control::Panel12:
      return "Panel12";
    case Control::Panel16:
      return "Panel16";
    case Control::ProgressBar1:
      return "ProgressBar1";
    case Control::Button1:
      return "Button1";
    case Control::BitBtn1:
      return "BitBtn1";
    case Control::Button2:
      return "Button2";
  }
  return "?";
}

void FakeWindow::SetText(Control control, const std::string& text)
{
  texts[control].push_back(text);
  log.push_back(std::string("text ") + ControlName(control) + " " + text);
}

void FakeWindow::Repaint(Control control)
{
  ++repaints[control];
  log.push_back(std::string("repaint ") + ControlName(control));
}

void FakeWindow::SetProgressRange(int minimum, int maximum)
{
  progress_minimum = minimum;
  progress_maximum = maximum;
}

void FakeWindow::SetProgressPosition(int position)
{
  progress_position = position;
  log.push_back("bar " + std::to_string(position));
}

void FakeWindow::SetEnabled(Control control, bool is_enabled)
{
  enabled[control] = is_enabled;
  log.push_back(std::string(is_enabled ? "enable " : "disable ") + ControlName(control));
}

void FakeWindow::SetVisible(Control control, bool is_visible)
{
  visible[control] = is_visible;
  log.push_back(std::string(is_visible ? "show " : "hide ") + ControlName(control));
}

bool FakeWindow::IsVisible(Control control)
{
  return visible[control];
}

void FakeWindow::SetBusyCursor(bool busy)
{
  busy_cursor = busy;
  log.push_back(busy ? "cursor busy" : "cursor default");
}

void FakeWindow::SetTitle(const std::string& title)
{
  titles.push_back(title);
  log.push_back("title " + title);
}

bool FakeWindow::Ask(const std::string& question)
{
  questions.push_back(question);
  log.push_back("ask " + question);
  const auto answer = answers.find(question);
  return answer != answers.end() && answer->second;
}

void FakeWindow::ProcessEvents()
{
  ++process_events_count;
  if (on_process_events)
    on_process_events(process_events_count);
}

void FakeWindow::WaitForEvents()
{
  description_tag = dialog_answer;
  log.push_back("wait");
}

void FakeWindow::SetMainWindowEnabled(bool is_enabled)
{
  main_window_enabled = is_enabled;
  log.push_back(is_enabled ? "enable window" : "disable window");
}

void FakeWindow::ShowDescriptionDialog()
{
  ++dialog_shown_count;
  log.push_back("show dialog");
}

std::string FakeWindow::Text(Control control) const
{
  const auto found = texts.find(control);
  return found == texts.end() || found->second.empty() ? std::string() : found->second.back();
}

std::vector<std::string> FakeWindow::Texts(Control control) const
{
  const auto found = texts.find(control);
  return found == texts.end() ? std::vector<std::string>() : found->second;
}

}  // namespace vavizi::testing
