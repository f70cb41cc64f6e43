// A program state wired to the fakes, with helpers to run the command on one source.
#pragma once

#include "core/conversion.h"
#include "support/fake_clock.h"
#include "support/fake_file_system.h"
#include "support/fake_window.h"

namespace vavizi::testing
{

struct ConversionRig
{
  ConversionRig()
  {
    files.free_bytes["/out"] = 1'000'000'000'000;
    state.destination_free_space = 1'000'000'000;
  }

  // Selects `path` (which the test has added) and runs the command with `/out` as destination.
  void RunCommand(const std::string& path)
  {
    window.selected_path = path;
    state.file_selected = 1;
    ConversionCommand(context);
  }

  // Opens `path` as the source and runs one routine directly.
  ResultCode RunKebToIso(const std::string& path, const std::string& destination)
  {
    state.source = files.OpenRead(path);
    const ResultCode code = ConvertKebToIso(context, destination);
    CloseAll();
    return code;
  }

  ResultCode RunImageToKeb(const std::string& path, const std::string& destination)
  {
    state.source = files.OpenRead(path);
    const ResultCode code = ConvertImageToKeb(context, destination);
    CloseAll();
    return code;
  }

  void CloseAll()
  {
    if (state.destination)
      (void)state.destination->Close();
    if (state.source)
      (void)state.source->Close();
    state.destination.reset();
    state.source.reset();
  }

  ProgramState state;
  FakeWindow window;
  FakeFileSystem files;
  FakeClock clock;
  ConversionContext context{state, window, files, clock};
};

}  // namespace vavizi::testing
