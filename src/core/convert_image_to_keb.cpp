// CD image to KEB image: recognise the layout, check the room, ask the questions and for the
// description, write the header (and the raw extension block), then copy from sector 16 on.
#include "core/conversion.h"
#include "core/cp932.h"
#include "core/keb_format.h"
#include "core/messages.h"
#include "core/progress.h"
#include "core/sector_layout.h"

namespace vavizi
{

namespace
{

// A plain image is the source without its system area, plus the header.
constexpr std::int64_t KEB_SHRINK = SYSTEM_AREA_SIZE - static_cast<std::int64_t>(keb::HEADER_SIZE);

// Shows the description dialog and handles events until the user has left it. True to go on.
bool AskDescription(ConversionContext& context)
{
  WindowOperations& window = context.window;
  window.SetDescriptionTag(DialogTag::Waiting);
  window.ShowDescriptionDialog();
  window.SetMainWindowEnabled(false);
  while (window.DescriptionTag() == DialogTag::Waiting)
    window.WaitForEvents();
  window.SetMainWindowEnabled(true);
  window.FocusMainWindow();
  return window.DescriptionTag() != DialogTag::Cancel;
}

bool WriteAll(File& destination, std::span<const std::uint8_t> data)
{
  const IoResult written = destination.Write(data);
  return !written.failed && written.count == data.size();
}

}  // namespace

ResultCode ConvertImageToKeb(ConversionContext& context, const std::string& destination_path)
{
  ProgramState& state = context.state;
  WindowOperations& window = context.window;
  File& source = *state.source;

  const std::int64_t length = source.Length();
  if (length < 0)
    return ResultCode::ReadError;
  if (length < MINIMUM_IMAGE_LENGTH)
    return ResultCode::NotExpectedKind;
  if (length >= MAXIMUM_SOURCE_LENGTH)
    return ResultCode::TooLarge;

  window.SetProgressPosition(0);
  window.Repaint(Control::ProgressBar1);

  const LayoutProbe probe = ProbeSectorLayout(source, state.probe_buffer);
  if (probe.code != ResultCode::Done)
    return probe.code;
  const SectorLayout& layout = probe.layout;
  const std::int64_t image_size = ImageSize(layout, length);

  // Raw images are measured by the same figure as plain ones.
  if ((image_size - KEB_SHRINK) / 1000 > state.destination_free_space)
    return ResultCode::NoSpace;

  const SystemAreaScan scan = ScanSystemArea(source, layout, state.probe_buffer);
  if (scan.code != ResultCode::Done)
    return scan.code;

  const bool raw = layout.number == 4 && window.Ask(text::QUESTION_RAW);
  if (scan.has_data && !window.Ask(text::QUESTION_SYSTEM_AREA))
    return ResultCode::Aborted;
  if (!AskDescription(context))
    return ResultCode::Aborted;

  if (const ResultCode opened = OpenDestination(context, destination_path);
      opened != ResultCode::Done)
    return opened;
  File& destination = *state.destination;

  const std::string description = Utf8ToCp932(window.DescriptionText());
  const auto header = keb::BuildHeader(raw ? keb::Form::Raw : keb::Form::Plain,
                                       static_cast<std::uint32_t>(image_size),
                                       CutCp932(description, keb::DESCRIPTION_MAX_BYTES));
  if (!source.Seek(std::int64_t{SYSTEM_AREA_SECTORS} * layout.sector_size))
    return ResultCode::ReadError;
  if (!WriteAll(destination, header))
    return ResultCode::WriteError;
  if (raw && !WriteAll(destination, keb::BuildRawBlock(
                                        static_cast<std::uint32_t>(image_size / DATA_SECTOR_SIZE))))
    return ResultCode::WriteError;

  std::int64_t position = SYSTEM_AREA_SIZE;
  ResultCode result = ResultCode::Done;
  ProgressState progress = ProgressStart(context, position, image_size);
  const auto sector = std::span<std::uint8_t>(state.work_buffer).first(layout.sector_size);
  const auto stored = raw ? std::span<const std::uint8_t>(sector)
                          : std::span<const std::uint8_t>(sector).subspan(layout.user_data_offset,
                                                                          DATA_SECTOR_SIZE);
  // Whole sectors from sector 16 on, as the source stood when it was measured: a source that grows
  // meanwhile adds nothing, and one that shrinks is a read error, never a shorter image.
  const std::int64_t end = SYSTEM_AREA_SIZE + (length / layout.sector_size - SYSTEM_AREA_SECTORS) *
                                                  std::int64_t{DATA_SECTOR_SIZE};
  for (;;)
  {
    if (AbortRequested(context))
    {
      result = ResultCode::Aborted;
      break;
    }
    ProgressStep(context, progress, position);
    if (position >= end)
      break;
    const IoResult read = source.Read(sector);
    if (read.failed || read.count < sector.size())
    {
      result = ResultCode::ReadError;
      break;
    }
    if (!WriteAll(destination, stored))
    {
      result = ResultCode::WriteError;
      break;
    }
    position += DATA_SECTOR_SIZE;
  }

  // Data still buffered reaches the disk only now: a failure here is a write error too.
  const bool closed = state.destination->Close();
  state.destination.reset();
  if (!closed && result == ResultCode::Done)
    result = ResultCode::WriteError;
  ProgressEnd(context);
  return result;
}

}  // namespace vavizi
