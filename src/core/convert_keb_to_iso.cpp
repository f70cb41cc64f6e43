// KEB image to ISO image: 16 zero sectors for the system area when the header asks for them, then
// every stored 2048-byte block.
#include "core/conversion.h"
#include "core/keb_format.h"
#include "core/messages.h"
#include "core/progress.h"
#include "core/sector_layout.h"

#include <algorithm>

namespace vavizi
{

namespace
{

// The ISO image replaces the 512-byte header by the 32768-byte system area.
constexpr std::int64_t ISO_GROWTH = SYSTEM_AREA_SIZE - static_cast<std::int64_t>(keb::HEADER_SIZE);

// Reads the header, and for kind 5 the record behind it, into the work buffer and applies the
// reading rules.
keb::Reading ReadKebHeaderInto(File& source, std::span<std::uint8_t> buffer)
{
  const IoResult header = source.Read(buffer.first(keb::HEADER_SIZE));
  if (header.failed)
    return {ResultCode::ReadError};
  keb::Reading reading = keb::ReadHeader(buffer.first(header.count));
  if (reading.code != ResultCode::Done || !reading.needs_record)
    return reading;
  std::size_t total = header.count;
  if (header.count == keb::HEADER_SIZE)
  {
    const IoResult record = source.Read(buffer.subspan(keb::HEADER_SIZE, keb::RECORD_READ_SIZE));
    if (record.failed)
      return {ResultCode::ReadError};
    total += record.count;
  }
  return keb::ReadRecord(reading, buffer.first(total));
}

}  // namespace

ResultCode ConvertKebToIso(ConversionContext& context, const std::string& destination_path)
{
  ProgramState& state = context.state;
  File& source = *state.source;
  const std::span<std::uint8_t> buffer(state.work_buffer);

  const std::int64_t size = source.Length();
  if (size < 0)
    return ResultCode::ReadError;
  if (size >= MAXIMUM_SOURCE_LENGTH)
    return ResultCode::TooLarge;
  if ((size + ISO_GROWTH) / 1000 > state.destination_free_space)
    return ResultCode::NoSpace;

  const keb::Reading reading = ReadKebHeaderInto(source, buffer);
  if (reading.code != ResultCode::Done)
    return reading.code;

  if (state.confirmed == 0 && !context.window.Ask(text::QUESTION_START))
    return ResultCode::Aborted;

  if (const ResultCode opened = OpenDestination(context, destination_path);
      opened != ResultCode::Done)
    return opened;
  File& destination = *state.destination;

  const auto block = buffer.first(DATA_SECTOR_SIZE);
  if (reading.system_area)
  {
    std::fill(block.begin(), block.end(), std::uint8_t{0});
    for (int i = 0; i < SYSTEM_AREA_SECTORS; ++i)
    {
      const IoResult written = destination.Write(block);
      if (written.failed || written.count < block.size())
        return ResultCode::WriteError;
    }
  }

  ProgressState progress = ProgressStart(context, keb::PLAIN_DATA_OFFSET, size);
  ResultCode result = ResultCode::Done;
  // Reading a raw image's record has moved past its header; the stored data starts at the offset
  // the header gives, whatever the file position.
  std::int64_t position = reading.data_offset;
  if (!source.Seek(position))
    result = ResultCode::ReadError;

  while (result == ResultCode::Done)
  {
    if (AbortRequested(context))
    {
      result = ResultCode::Aborted;
      break;
    }
    ProgressStep(context, progress, position);
    // The data ends where the source ended when the run began: a source that grows meanwhile
    // adds nothing, and one that shrinks is a read error, never a shorter image.
    if (position >= size)
      break;
    const auto expected = static_cast<std::size_t>(
        std::min<std::int64_t>(size - position, static_cast<std::int64_t>(DATA_SECTOR_SIZE)));
    const IoResult read = source.Read(block.first(expected));
    if (read.failed || read.count < expected)
    {
      result = ResultCode::ReadError;
      break;
    }
    // A short last block still goes out whole; its tail is zeros, not bytes of an earlier block.
    std::fill(block.begin() + static_cast<std::ptrdiff_t>(read.count), block.end(),
              std::uint8_t{0});
    const IoResult written = destination.Write(block);
    if (written.failed || written.count < block.size())
    {
      result = ResultCode::WriteError;
      break;
    }
    position += DATA_SECTOR_SIZE;
  }

  ProgressEnd(context);
  return result;
}

}  // namespace vavizi
