#include "shell/filemenudialog.h"

#include "platform/filedialog.h"
#include "texts/commontexts.h"

namespace FileMenuDialog {

namespace {
constexpr BiText AllFiles{"All files", "所有文件"};

Chooser &chooser()
{
    static Chooser c;
    return c;
}
} // namespace

void setChooser(const Chooser &c)
{
    chooser() = c;
}

QString choose(QWidget *parent, const Ask &ask)
{
    if (chooser())
        return chooser()(ask);
    const bool chinese = Language::isChinese();
    QString filter = QStringLiteral("%1 (%2)").arg(ask.filterName.text(chinese), ask.patterns);
    if (ask.allFiles)
        filter += QStringLiteral(";;%1 (*)").arg(AllFiles.text(chinese));
    QString caption = ask.entry.text(chinese);
    caption.remove(QStringLiteral("..."));
    return ask.save ? FileDialog::saveFileName(parent, caption, ask.start, filter)
                    : FileDialog::openFileName(parent, caption, ask.start, filter);
}

void tell(QWidget *parent, const QString &text, MessageBox::Icon icon)
{
    MessageBox::show(parent, CommonText::PromptTitle.text(), text, icon);
}

} // namespace FileMenuDialog
