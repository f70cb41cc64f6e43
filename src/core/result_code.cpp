// The message table of the conversion outcomes.
#include "core/result_code.h"

#include "core/text_format.h"

#include <array>

namespace vavizi
{

namespace
{

struct MessageRow
{
  const char* keb_to_iso;
  const char* image_to_keb;
};

// Indexed by the result code.
constexpr std::array<MessageRow, 9> MESSAGES = {{
    {"ﾌｧｲﾙ(%s)が出来ました", "ﾌｧｲﾙ(%s)が出来ました"},
    {"ＫＥＢファイルでは有りません", "ＩＳＯファイルでは有りません"},
    {"ＫＥＢファイルが無圧縮では有りません", ""},
    {"ライトエラーです", "ライトエラーです"},
    {"変換を中止しました", "変換を中止しました"},
    {"ﾌｧｲﾙ(%s)がｵｰﾌﾟﾝ出来ません", "ﾌｧｲﾙ(%s)がｵｰﾌﾟﾝ出来ません"},
    {"格納ドライブの空きがありません", "格納ドライブの空きがありません"},
    {"リードエラーです", "リードエラーです"},
    {"ファイルサイズが2GBを超えています", "ファイルサイズが2GBを超えています"},
}};

}  // namespace

std::string ResultMessage(Direction direction, ResultCode code, std::string_view destination)
{
  const auto index = static_cast<std::size_t>(code);
  if (index >= MESSAGES.size())
    return {};
  const MessageRow& row = MESSAGES[index];
  return FillPlaceholder(direction == Direction::KebToIso ? row.keb_to_iso : row.image_to_keb,
                         destination);
}

}  // namespace vavizi
