#include "shell/editorregistry.h"

#include "alignment/alignmentwindow.h"
#include "channels/channeleditor.h"
#include "fm/fmeditor.h"
#include "options/optioneditor.h"
#include "signalling/dtmfeditor.h"
#include "signalling/fivetoneeditor.h"
#include "signalling/twotoneeditor.h"
#include "shell/shelltexts.h"

#include <cstring>

const std::vector<EditorEntry> &editorRegistry()
{
    using namespace ShellText;
    static const std::vector<EditorEntry> entries{
        {EditorName::Fm, "fm presets", {"fm_chann_edit", nullptr, FmEdit}, {}, EditorName::Channels, false, [] { return new FmEditor; }},
        {EditorName::Channels, "channels", {"chann_edit", nullptr, ChannelEdit}, {"edit_chann", ToolChannel, 1}, nullptr, true,
         [] { return new ChannelEditor; }},
        {EditorName::Options, "optional features and band records", {"sys_edit", nullptr, OptionEdit}, {"edit_option", ToolOption, 0}, nullptr, true,
         [] { return new OptionEditor; }},
        {EditorName::Dtmf, "dtmf", {"Sig_dtmf", "sig_edit", SigDtmf}, {"edit_dtmf", ToolDtmf, 2}, nullptr, false,
         [] { return new DtmfEditor; }},
        {EditorName::TwoTone, "2-tone", {"Sig_2tone", "sig_edit", Sig2Tone}, {}, nullptr, false, [] { return new TwoToneEditor; }},
        {EditorName::FiveTone, "5-tone", {"Sig_5tone", "sig_edit", Sig5Tone}, {}, nullptr, false, [] { return new FiveToneEditor; }},
        {EditorName::Alignment, "alignment defaults", {"frm_adj", nullptr, Adjust}, {}, nullptr, false, [] { return new AlignmentWindow; }},
    };
    return entries;
}

const EditorEntry *findEditor(const char *objectName)
{
    for (const EditorEntry &e : editorRegistry()) {
        if (std::strcmp(e.objectName, objectName) == 0)
            return &e;
    }
    return nullptr;
}
