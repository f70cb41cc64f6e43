// Creation of the destination file, shared by both conversion routines.
#include "core/conversion.h"

namespace vavizi
{

ResultCode OpenDestination(ConversionContext& context, const std::string& destination_path)
{
  ProgramState& state = context.state;
  // A link to the source, or the source by another name, would be emptied by the first open.
  const auto destination_identity = context.files.IdentityOf(destination_path);
  if (destination_identity && state.source)
  {
    const auto source_identity = state.source->Identity();
    if (!source_identity || *source_identity == *destination_identity)
      return ResultCode::CannotOpen;
  }

  // The user agreed to replace this entry, not a file it leads to: writing through a link would
  // empty the file at its other end.
  if (context.files.IsLinked(destination_path))
    context.files.Remove(destination_path);

  auto probe = context.files.OpenWrite(destination_path);
  if (!probe)
    return ResultCode::CannotOpen;
  (void)probe->Close();
  context.files.Remove(destination_path);
  state.destination = context.files.OpenWrite(destination_path);
  if (!state.destination)
    return ResultCode::CannotOpen;
  return ResultCode::Done;
}

}  // namespace vavizi
