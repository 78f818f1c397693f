#include "link/portopenerror.h"

#include "platform/messagebox.h"
#include "texts/commontexts.h"

void showPortOpenError(QWidget *parent, PortOpener opener)
{
    switch (opener) {
    case PortOpener::MainWindow:
        MessageBox::show(parent, CommonText::PromptTitleCapital.text(), CommonText::PortErrorMain.text());
        break;
    case PortOpener::TransferWindow:
        MessageBox::show(parent, CommonText::PromptTitle.text(), CommonText::PortErrorTransfer.text());
        break;
    }
}
