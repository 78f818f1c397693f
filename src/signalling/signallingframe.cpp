#include "signalling/signallingframe.h"

#include "signalling/dtmftexts.h"

namespace SignallingFrame {

EditorWindow::Setup setup(const char *objectName, const BiText &caption, const Texts &texts, double widthDivisor,
                          double heightDivisor)
{
    EditorWindow::Setup s;
    s.objectName = objectName;
    s.caption = caption;
    s.portMessage = PortOpener::MainWindow;
    s.texts.readDone = texts.readDone;
    s.texts.writeDone = texts.writeDone;
    s.texts.readComplete = texts.readComplete;
    s.texts.writeComplete = texts.writeComplete;
    s.texts.completeTitle = CommonText::PromptTitleCapital;
    s.widthDivisor = widthDivisor;
    s.heightDivisor = heightDivisor;
    s.refreshOnActivation = false;
    return s;
}

const QVector<EditorWindow::Button> &buttons()
{
    using Action = EditorWindow::Action;
    static const QVector<EditorWindow::Button> row{
        {Action::Read, "Command_read", DtmfText::Read, &CommonText::Busy},
        {Action::Write, "Command_write", DtmfText::Write, &CommonText::Busy},
        {Action::Default, "Command_def", DtmfText::Default, &CommonText::Busy},
        {Action::Save, "Command_save", DtmfText::Save, &CommonText::Busy},
        {Action::Open, "Command_open", DtmfText::Open, &CommonText::Busy},
        {Action::Close, "Command_close", DtmfText::Close, &CommonText::Busy},
    };
    return row;
}

} // namespace SignallingFrame
