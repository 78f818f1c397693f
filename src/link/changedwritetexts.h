#pragma once

#include "texts/language.h"

// The texts of a changed-only write, shared by the changes window and orvane-cli.
namespace ChangedWriteText {

inline constexpr BiText MenuEntry{"Write changes to radio...", "写入改动到对讲机..."};
inline constexpr BiText WriteChanges{"Write %1 changes", "写入 %1 处改动"};
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

} // namespace ChangedWriteText
