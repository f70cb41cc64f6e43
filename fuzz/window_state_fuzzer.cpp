// Parses arbitrary text as the window state file. A state read with both browsers must survive
// being written and read again unchanged: that is what happens at every close and start.
#include "fuzz_check.h"

#include "core/window_state_file.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

using namespace vavizi;

namespace
{

bool SameBrowser(const BrowserState& a, const BrowserState& b)
{
  return a.drive == b.drive && a.folder == b.folder;
}

void CheckBrowser(const BrowserState& browser)
{
  FUZZ_CHECK(browser.drive != ' ' && browser.drive != '\n' && browser.drive != '\r');
  FUZZ_CHECK(!browser.folder.empty());
  FUZZ_CHECK(browser.folder.find('\n') == std::string::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto state = ParseWindowState(text);
  if (!state)
    return 0;
  FUZZ_CHECK(state->source || !state->destination);
  if (!state->source || !state->destination)
    return 0;
  CheckBrowser(*state->source);
  CheckBrowser(*state->destination);

  // A folder whose name ends in a carriage return cannot be told from a line ended by CR LF, the
  // other line end the file may have; such a folder is the one thing the six lines cannot hold.
  if (state->source->folder.ends_with('\r') || state->destination->folder.ends_with('\r'))
    return 0;

  const std::string written =
      FormatWindowState(state->left, state->top, *state->source, *state->destination);
  const auto again = ParseWindowState(written);
  FUZZ_CHECK(again);
  FUZZ_CHECK(again->left == state->left && again->top == state->top);
  FUZZ_CHECK(again->source && SameBrowser(*again->source, *state->source));
  FUZZ_CHECK(again->destination && SameBrowser(*again->destination, *state->destination));
  return 0;
}
