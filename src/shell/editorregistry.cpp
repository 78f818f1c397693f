#include "shell/editorregistry.h"

#include "alignment/alignmentwindow.h"
#include "channels/channeleditor.h"
#include "fm/fmeditor.h"
#include "options/optioneditor.h"
#include "signalling/dtmfeditor.h"
#include "signalling/fivetoneeditor.h"
#include "signalling/twotoneeditor.h"

#include <cstring>

const std::vector<EditorEntry> &editorRegistry()
{
    static const std::vector<EditorEntry> entries{
        {"frm_chann", "chann_edit", "edit_chann", nullptr, [] { return new ChannelEditor; }},
        {"frm_option", "sys_edit", "edit_option", nullptr, [] { return new OptionEditor; }},
        {"frm_FM", "fm_chann_edit", nullptr, "frm_chann", [] { return new FmEditor; }},
        {"frm_Adj_Txp", "frm_adj", nullptr, nullptr, [] { return new AlignmentWindow; }},
        {"frm_dtmf", "Sig_dtmf", "edit_dtmf", nullptr, [] { return new DtmfEditor; }},
        {"frm_2tone", "Sig_2tone", nullptr, nullptr, [] { return new TwoToneEditor; }},
        {"frm_5tone", "Sig_5tone", nullptr, nullptr, [] { return new FiveToneEditor; }},
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
