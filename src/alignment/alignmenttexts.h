#pragma once

#include "texts/language.h"

// Texts of the alignment window. Its captions and labels exist in Chinese only (both
// halves of those pairs are the Chinese text); its other messages follow the flag.
namespace AlignmentText {

inline constexpr BiText TabHigh{"发射功率调整（高功率）", "发射功率调整（高功率）"};
inline constexpr BiText TabLow{"发射功率调整（低功率）", "发射功率调整（低功率）"};
inline constexpr BiText TabSquelch{"静噪等级调整", "静噪等级调整"};
inline constexpr BiText TabDeviation{"调制度、输出音量调整", "调制度、输出音量调整"};
inline constexpr BiText TabOther{"频率范围", "频率范围"};

inline constexpr BiText Read{"读 取", "读 取"};
inline constexpr BiText Write{"写  入", "写  入"};
inline constexpr BiText Default{"默 认", "默 认"};
inline constexpr BiText Save{"保  存", "保  存"};
inline constexpr BiText Open{"打  开", "打  开"};
inline constexpr BiText Close{"关  闭", "关  闭"};
inline constexpr BiText TransmitAllowed{"发射允许 ", "发射允许 "};

// The range messages of the number boxes come with the boxes (alignmenttable.h).
inline constexpr BiText NumberTitle{"操作提示", "操作提示"};
inline constexpr BiText RangeTitle{"Operate Prompt", "操作提示"};
inline constexpr BiText UpperAboveBand{"Receive frequency of upper limit can't more than the highest of work frequency. ",
                                       "上限频率不可大于该频段最大工作频率"};
inline constexpr BiText UpperBelowLower{
    "Receive frequency of upper limit can't less than receive frequency of lower limit.", "上限频率不可小于该频段下限频率"};
inline constexpr BiText LowerBelowBand{"Receive frequency of lower limit can't less than the lowest of work frequency. ",
                                       "下限频率不可小于该频段最低工作频率"};
inline constexpr BiText LowerAboveUpper{
    "Receive frequency of lower limit can't more than receive frequency of upper limit.", "下限频率不可大于该频段上限频率"};

inline constexpr BiText ReadDone{"Read optional parameters in gear. ", "调整参数读出正常 ！"};
inline constexpr BiText ReadComplete{"Complete reading the data from transceiver.", "从对讲机中读取调整数据完毕 ！"};
inline constexpr BiText WriteDone{"Complete writing optional parameters ", "调整参数写入完毕 ！"};
inline constexpr BiText WriteComplete{"Complete writing optional parameters to the transceiver.", "调整参数写入完毕 ！"};
inline constexpr BiText FileLoaded{"Succeed fold the optional parameters from file.", "调整参数从文件调入成功 ！"};
inline constexpr BiText FileSaved{"Complete storing optional parameters.", "调整参数保存完毕 ！"};

} // namespace AlignmentText
