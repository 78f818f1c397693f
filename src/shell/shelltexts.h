#pragma once

#include "link/changedwritetexts.h"
#include "texts/language.h"

// Captions of the main window. Language switching re-applies these to the main window only.
namespace ShellText {

inline constexpr BiText Title{"Orvane Series Program Software.", "Orvane 双段车载电台编程软件"};
// The last status panel carries an extra text per language; both are empty.
inline constexpr BiText ExtraStatus{"", ""};

inline constexpr BiText File{"File", "文件"};
inline constexpr BiText FileNew{"New", "新建"};
inline constexpr BiText FileOpen{"Open", "打开"};
inline constexpr BiText Edit{"Edit", "编辑"};
inline constexpr BiText EditUndo{"Undo", "撤销"};
inline constexpr BiText EditRedo{"Redo", "重做"};
inline constexpr BiText FileSave{"Save", "保存"};
inline constexpr BiText FileSaveAs{"Save As", "另存为"};
inline constexpr BiText FileImportCsv{"Import channels (CSV)...", "导入信道 (CSV)..."};
inline constexpr BiText FileExportCsv{"Export channels (CSV)...", "导出信道 (CSV)..."};
inline constexpr BiText FileExportConfig{"Export configuration...", "导出配置..."};
inline constexpr BiText FileImportConfig{"Import configuration...", "导入配置..."};
inline constexpr BiText FileMerge{"Merge channels from file...", "从文件合并信道..."};
inline constexpr BiText FileImportRepeaters{"Import repeater list...", "导入中继台列表..."};
inline constexpr BiText FileCompare{"Compare with file...", "与文件比较..."};
inline constexpr BiText FileRestoreBackup{"Restore backup...", "恢复备份..."};
inline constexpr BiText FileRecover{"Recover unsaved work...", "恢复未保存的编辑..."};
inline constexpr BiText FileRecent{"Recent files", "最近的文件"};
inline constexpr BiText FileRecentClear{"Clear list", "清除列表"};
inline constexpr BiText FileExit{"Exit", "退出"};
inline constexpr BiText FmEdit{"FM-Radio", "FM-频道"};
inline constexpr BiText ChannelEdit{"Channel", "信道编辑"};
inline constexpr BiText OptionEdit{"Option", "可选参数"};
inline constexpr BiText SignalEdit{"Signal", "信令编辑"};
inline constexpr BiText SigDtmf{"DTMF", "DTMF"};
inline constexpr BiText Sig2Tone{"2 TONE", "2 TONE"};
inline constexpr BiText Sig5Tone{"5 TONE", "5 TONE"};
inline constexpr BiText Adjust{"Adjust", "调整参数"};
inline constexpr BiText Program{"Program", "编程"};
inline constexpr BiText ProgRead{"Read from radio", "从对讲机读取数据"};
inline constexpr BiText ProgWrite{"Write to radio", "向对讲机写入数据"};
inline constexpr BiText ProgWriteChanges = ChangedWriteText::MenuEntry;
inline constexpr BiText PortSetup{"Communication", "端口设置"};
inline constexpr BiText ProgFleet{"Program several radios...", "批量写频..."};
inline constexpr BiText LanguageMenu{"Language", "语言"};
inline constexpr BiText LanguageChinese{"中文", "中文"};
inline constexpr BiText LanguageEnglish{"English", "English"};
inline constexpr BiText About{"About", "关于"};
inline constexpr BiText MenuExit{"Exit", "退出"};

inline constexpr BiText PanelModel{"Model:", "机  型:"};
inline constexpr BiText PanelNumber{"S I M:", "序列号:"};
inline constexpr BiText PanelFirmware{"MCU-Version:", "固体版本:"};
inline constexpr BiText PanelBandA{"Band-A", "频段-A"};
inline constexpr BiText PanelBandB{"Band-B", "频段-B"};

// Toolbar tooltips (the buttons themselves show only their images).
inline constexpr BiText ToolOpen{"Open a data file", "打开数据文件"};
inline constexpr BiText ToolSave{"Save a data file", "保存数据文件"};
inline constexpr BiText ToolOption{"Optional features", "可选参数"};
inline constexpr BiText ToolChannel{"Channels", "信道编辑"};
inline constexpr BiText ToolDtmf{"DTMF", "DTMF"};
inline constexpr BiText ToolRead{"Read from radio", "从对讲机读取数据"};
inline constexpr BiText ToolWrite{"Write to radio", "向对讲机写入数据"};
inline constexpr BiText ToolExit{"Exit", "退出"};

// Shown in Chinese whatever the language.
inline constexpr const char *ScreenAdvice = "建议将计算机的显示模式设置为 1024 X 768 ";
inline constexpr const char *ScreenAdviceTitle = "操作提示";

} // namespace ShellText
