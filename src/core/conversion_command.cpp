// The conversion command: from the selected file to a finished destination, with every outcome
// shown in the message panel and every file it opened closed once.
#include "core/conversion.h"
#include "core/file_selection.h"
#include "core/messages.h"
#include "core/path_rules.h"
#include "core/text_format.h"

namespace vavizi
{

namespace
{

// Marks a command as running for its whole length, however it ends.
class RunningGuard
{
public:
  explicit RunningGuard(ProgramState& state) : m_state(state) { m_state.command_running = true; }
  ~RunningGuard() { m_state.command_running = false; }
  RunningGuard(const RunningGuard&) = delete;
  RunningGuard& operator=(const RunningGuard&) = delete;

private:
  ProgramState& m_state;
};

void ShowMessage(WindowOperations& window, const std::string& message, bool repaint)
{
  window.SetText(Control::Panel1, message);
  if (repaint)
    window.Repaint(Control::Panel1);
}

// Ends the command with a message and the title back to the program's name.
void Fail(WindowOperations& window, const std::string& message)
{
  ShowMessage(window, message, false);
  window.SetTitle(text::APP_TITLE);
}

// Closes whatever the routine left open, destination first. A destination that cannot be closed
// cleanly did not get all its data.
ResultCode CloseFiles(ProgramState& state, ResultCode result)
{
  if (state.destination)
  {
    const bool closed = state.destination->Close();
    state.destination.reset();
    if (!closed && result == ResultCode::Done)
      result = ResultCode::WriteError;
  }
  if (state.source)
  {
    (void)state.source->Close();
    state.source.reset();
  }
  return result;
}

}  // namespace

void ConversionCommand(ConversionContext& context)
{
  ProgramState& state = context.state;
  WindowOperations& window = context.window;
  // The file list's double-click reaches this command during a run too: the files and the work
  // buffer exist once, so a second command must not begin.
  if (state.command_running)
    return;
  RunningGuard running(state);

  state.confirmed = 0;
  if (state.file_selected == 0)
  {
    ShowMessage(window, text::NOTHING_SELECTED, true);
    window.SetTitle(text::APP_TITLE);
    return;
  }

  ShowMessage(window, text::CONVERTING, true);
  window.SetProgressRange(0, 100);
  window.SetProgressPosition(0);
  window.Repaint(Control::ProgressBar1);
  window.SetText(Control::Panel4, text::PERCENT_START);
  window.Repaint(Control::Panel4);
  window.SetTitle(text::TITLE_START);

  const std::string source_path = window.SelectedFilePath();
  const std::string_view name = FileNameOf(source_path);
  const auto extension = ExtensionOf(name);
  if (!extension)
    return Fail(window, text::NO_EXTENSION);
  const auto plan = PlanForExtension(*extension);
  if (!plan)
    return Fail(window, FillPlaceholder(text::WRONG_EXTENSION, *extension));

  state.source = context.files.OpenRead(source_path);
  if (!state.source)
    return Fail(window, FillPlaceholder(text::SOURCE_CANNOT_OPEN, source_path));

  const Direction direction = plan->to_iso ? Direction::KebToIso : Direction::ImageToKeb;
  const std::string destination_path =
      JoinDestinationPath(window.DestinationFolder(), BaseNameOf(name), plan->new_extension);
  ShowMessage(window, FillPlaceholder(text::CONVERTING_TO, destination_path), true);

  if (context.files.Exists(destination_path))
  {
    if (!window.Ask(text::QUESTION_OVERWRITE))
    {
      CloseFiles(state, ResultCode::Aborted);
      return Fail(window, text::ABORTED);
    }
    state.confirmed = 1;
  }

  ResultCode result = direction == Direction::KebToIso
                          ? ConvertKebToIso(context, destination_path)
                          : ConvertImageToKeb(context, destination_path);
  result = CloseFiles(state, result);

  if (result != ResultCode::Done)
    return Fail(window, ResultMessage(direction, result, destination_path));

  ShowMessage(window, ResultMessage(direction, result, destination_path), true);
  window.RereadFileList();
  ClearFileInformation(state, window);
  window.SetTitle(text::APP_TITLE);
}

}  // namespace vavizi
