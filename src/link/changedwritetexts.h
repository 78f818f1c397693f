#pragma once

#include "texts/language.h"

#include <QDateTime>

// The texts of a changed-only write, shared by the changes window and orvane-cli.
namespace ChangedWriteText {

inline constexpr BiText MenuEntry{"Write changes to radio...", "写入改动到对讲机..."};
inline constexpr BiText WriteChanges{"Write %1 changes", "写入 %1 处改动"};
inline constexpr BiText WriteOneChange{"Write 1 change", "写入 1 处改动"};
// The button counts what the list shows: one change a line.
inline QString writeChanges(int changes, bool chinese)
{
    return changes == 1 ? WriteOneChange.text(chinese) : WriteChanges.text(chinese).arg(changes);
}
inline constexpr BiText NothingDiffers{"The radio already holds these settings.", "对讲机中的设置与本机相同。"};
inline constexpr BiText WrittenAndChecked{"Written and checked: %1 frames.", "写入并校验完毕：%1 帧。"};
inline constexpr BiText Checking{"Checking %1 Data Block", "正在校验 %1 数据块"};
inline constexpr BiText Stopped{
    "Writing stopped after %1 of %2 frames. The radio now holds a mix of old and new settings; running "
    "\"Write changes to radio...\" again finishes the job.",
    "写入在 %2 帧中的第 %1 帧后中断。对讲机中现为新旧设置的混合；再次运行“写入改动到对讲机...”即可完成。"};
inline constexpr BiText Unchecked{
    "All %1 frames went, but reading them back failed, so they are not checked. Running "
    "\"Write changes to radio...\" again checks them and finishes the job.",
    "%1 帧已全部写入，但回读失败，未能校验。再次运行“写入改动到对讲机...”即可校验并完成。"};
inline constexpr BiText Mismatch{
    "All %1 frames went, but reading them back found different bytes at %2. The radio now holds a mix of "
    "old and new settings; running \"Write changes to radio...\" again finishes the job.",
    "%1 帧已全部写入，但回读发现 %2 处不符。对讲机中现为新旧设置的混合；再次运行“写入改动到对讲机...”即可完成。"};
inline constexpr BiText BackupFailed{"The backup could not be kept, so nothing was written to the radio: %1",
                                     "无法保存备份，因此未向对讲机写入任何数据：%1"};
inline constexpr BiText OtherRadio{
    "This radio (number %1) is not the one these settings came from (number %2).",
    "这台对讲机（编号 %1）不是这些设置的来源（编号 %2）。"};


// The quick comparison.
inline constexpr BiText WholeReadFirst{"Read the whole radio first", "先读取整机"};
inline constexpr BiText QuickNote{
    "Measured against the radio as it was on %1. The blocks these changes touch (%2) were read just now "
    "and still hold that; the rest of the radio was not read, and writing leaves it as it is.",
    "以对讲机在 %1 时的内容为准比较。这些改动所在的数据块（%2）刚刚已读取核对，内容未变；"
    "对讲机其余部分未读取，写入时保持原样。"};
inline constexpr BiText QuickNothing{
    "Nothing differs from the radio as it was on %1, so the whole radio is read to be sure.",
    "与对讲机在 %1 时的内容没有不同，因此读取整机以确认。"};
inline constexpr BiText RadioChanged{
    "The radio has changed since %1 (at %2), so the whole radio is read first.",
    "对讲机自 %1 以来已有改动（%2），因此先读取整机。"};
inline constexpr BiText BaselineUnreadable{
    "The radio's history copy of %1 cannot be used (%2), so the whole radio is read first.",
    "对讲机历史中 %1 的副本无法使用（%2），因此先读取整机。"};
inline constexpr BiText BaselineOtherModel{
    "The radio's history copy of %1 was taken from a %2, this radio is a %3, so the whole radio is read first.",
    "对讲机历史中 %1 的副本来自 %2，这台对讲机是 %3，因此先读取整机。"};

// A moment in the history, in the user's time zone and the window's language.
inline QString timeText(const QDateTime &utc, bool chinese)
{
    const QDateTime local = utc.toLocalTime();
    return chinese ? local.toString(QStringLiteral("yyyy年M月d日 HH:mm:ss")) : local.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

} // namespace ChangedWriteText
