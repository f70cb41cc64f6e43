// The window operations of the conversion logic, carried out on the main window's controls and the
// description dialog.
#pragma once

#include "core/window_operations.h"

#include <chrono>

class QWidget;
class TForm1;

namespace vavizi
{

class Form1WindowOperations final : public WindowOperations
{
public:
  explicit Form1WindowOperations(TForm1& form) : m_form(form) {}
  ~Form1WindowOperations() override;

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
  QWidget* Widget(Control control);

  TForm1& m_form;
  bool m_busy = false;
  std::chrono::steady_clock::time_point m_events_processed{};
};

}  // namespace vavizi
