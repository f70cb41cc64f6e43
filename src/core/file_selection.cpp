// Selection in the source file list.
#include "core/file_selection.h"

namespace vavizi
{

void ClearFileInformation(ProgramState& state, WindowOperations& window)
{
  state.file_selected = 0;
  window.SetText(Control::Panel6, "");
  window.SetText(Control::Panel8, "");
  window.SetText(Control::Panel10, "");
  window.SetText(Control::Panel12, "");
}

void SelectFile(ProgramState& state, WindowOperations& window, const std::string& path,
                const std::optional<FileRecord>& record)
{
  state.file_selected = 1;
  if (!record)
  {
    // The file the panels describe has gone since: they keep what they show.
    if (path != state.remembered_file_name)
      ClearFileInformation(state, window);
    return;
  }
  state.remembered_file_name = path;
  window.SetText(Control::Panel6, SizeText(record->size));
  if (record->name.find('.') == std::string::npos)
  {
    ClearFileInformation(state, window);
    return;
  }
  window.SetText(Control::Panel12, SectorSizeText(record->name, record->size));
  window.SetText(Control::Panel8, DateText(record->date));
  window.SetText(Control::Panel10, TimeText(record->time));
}

}  // namespace vavizi
