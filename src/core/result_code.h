// Outcomes of a conversion and the one-line message the window shows for each. One table, indexed
// by the code, for both directions; the codes are the values the conversion routines have always
// returned, with 7 and 8 added for read errors and oversized sources.
#pragma once

#include <string>
#include <string_view>

namespace vavizi
{

enum class ResultCode : int
{
  Done = 0,
  NotExpectedKind = 1,  // not a KEB image / not a recognised CD image
  NotUncompressed = 2,  // KEB image of a kind this program cannot read back
  WriteError = 3,       // a write, flush or close of the destination failed
  Aborted = 4,     // a question answered No, the description dialog cancelled, or the abort button
  CannotOpen = 5,  // the destination cannot be created (or is the source itself)
  NoSpace = 6,     // the destination drive has too little room
  ReadError = 7,   // the source could not be read
  TooLarge = 8,    // the source is 2 GiB or larger
};

enum class Direction
{
  KebToIso,
  ImageToKeb,
};

// The message for `code`, with `destination` in place of the placeholder where the message has one.
// Code 2 of the CD-image direction has no message and gives an empty text.
[[nodiscard]] std::string ResultMessage(Direction direction, ResultCode code,
                                        std::string_view destination);

}  // namespace vavizi
