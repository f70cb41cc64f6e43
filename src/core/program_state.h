// The program-wide state shared by the conversion command, the conversion routines and the main
// window's handlers. The main window owns the one instance and hands it to every core function.
#pragma once

#include "core/clock.h"
#include "core/file_system.h"
#include "core/window_operations.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace vavizi
{

inline constexpr std::size_t WORK_BUFFER_SIZE = 4096;

struct ProgramState
{
  // 1 once a file of the source list has been selected; the command refuses to start while 0.
  int file_selected = 0;
  // 1 once the user agreed to overwrite the destination; lives for one command.
  int confirmed = 0;
  // Room on the destination drive in units of 1000 bytes, as last taken from its drive selector.
  std::int64_t destination_free_space = 0;
  // True from the start to the end of a conversion command: a second one must not begin.
  bool command_running = false;
  // Whether the run waits for the next clock second before it starts timing (the window does; the
  // command-line program starts at once).
  bool align_to_clock_second = true;

  std::unique_ptr<File> source;
  std::unique_ptr<File> destination;
  std::array<std::uint8_t, WORK_BUFFER_SIZE> work_buffer{};
  std::array<std::uint8_t, WORK_BUFFER_SIZE> probe_buffer{};

  // Full path of the last file a selection found on disk.
  std::string remembered_file_name;
  // The folder current at start-up, ending in a separator; home of the window state file.
  std::string start_directory;
  // 1 until the main window's first paint has restored the saved window state.
  int first_paint = 0;
};

// What a conversion runs against: the state and the three services.
struct ConversionContext
{
  ProgramState& state;
  WindowOperations& window;
  FileSystem& files;
  Clock& clock;
};

}  // namespace vavizi
