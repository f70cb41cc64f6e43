// The fixed texts the conversion command shows outside the result-code table: prompts, questions
// and the progress formats. Kept together so that both fronts show exactly the same words.
#pragma once

namespace vavizi::text
{

inline constexpr const char* APP_TITLE = "VAVIZI";
inline constexpr const char* NOTHING_SELECTED = "ファイルが選択されていません";
inline constexpr const char* CONVERTING = "変換中";
inline constexpr const char* NO_EXTENSION = "拡張子が有りません";
inline constexpr const char* WRONG_EXTENSION = "拡張子(%s)は違っています";
inline constexpr const char* SOURCE_CANNOT_OPEN = "ﾌｧｲﾙ(%s)がｵｰﾌﾟﾝ出来ません";
inline constexpr const char* CONVERTING_TO = "ﾌｧｲﾙ(%s)に変換中";
inline constexpr const char* ABORTED = "変換を中止しました";
inline constexpr const char* DONE = "ﾌｧｲﾙ(%s)が出来ました";

inline constexpr const char* QUESTION_OVERWRITE = "ファイルが有ります。上書きしますか？";
inline constexpr const char* QUESTION_START = "変換を開始していいですか？";
inline constexpr const char* QUESTION_RAW = "2352Byte/ｾｸﾀのとして変換しますか？";
inline constexpr const char* QUESTION_SYSTEM_AREA = "ブート部にデータが有ります変換しますか？";
inline constexpr const char* QUESTION_TITLE = "確認";

inline constexpr const char* PERCENT_START = "(  0%)";
inline constexpr const char* TITLE_START = "変換済( 0%)残     ";

inline constexpr const char* DEFAULT_DESCRIPTION = "ＩＳＯｔｏRID";

}  // namespace vavizi::text
