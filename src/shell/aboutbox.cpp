#include "shell/aboutbox.h"

#include "platform/messagebox.h"
#include "platform/screen.h"
#include "texts/commontexts.h"
#include "texts/languagetable.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace {

AboutBox::ProgramFinder &finder()
{
    static AboutBox::ProgramFinder f;
    return f;
}

QString lookUpProgram()
{
#ifdef Q_OS_WIN
    const QSettings msinfo(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                           QSettings::NativeFormat);
    const QString path = msinfo.value(QStringLiteral("PATH")).toString();
    if (!path.isEmpty())
        return path;
    const QSettings location(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools Location"),
                             QSettings::NativeFormat);
    const QString folder = location.value(QStringLiteral("MSINFO")).toString();
    if (!folder.isEmpty()) {
        const QString program = folder + QStringLiteral("\\MSINFO32.EXE");
        if (QFile::exists(program))
            return program;
    }
    return QString();
#else
    // The desktops' own system-information and system-monitor tools, most specific first.
    static const char *const Programs[] = {
        "hardinfo2", "hardinfo", "kinfocenter", "gnome-system-monitor", "plasma-systemmonitor",
        "ksysguard", "mate-system-monitor", "xfce4-taskmanager", "lxtask",
    };
    for (const char *name : Programs) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty())
            return path;
    }
    return QString();
#endif
}

} // namespace

AboutBox::AboutBox(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    LanguageTable::rebuild();
    const LanguageTable &t = LanguageTable::current();
    setWindowTitle(t.aboutProduct);

    auto label = [this](const char *name, const QString &text) {
        auto *l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        l->setWordWrap(true);
        return l;
    };
    QLabel *title = label("lblTitle", t.aboutProduct);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    big.setBold(true);
    title->setFont(big);
    QLabel *version = label("lblVersion", t.aboutRights);
    QLabel *description = label("lblDescription", t.aboutDesigner);
    QLabel *disclaimer = label("lblDisclaimer", t.aboutWarning);

    auto *ok = new QPushButton(t.aboutOk, this);
    ok->setObjectName(QStringLiteral("cmdOk"));
    ok->setDefault(true);
    auto *sysInfo = new QPushButton(t.aboutSystemInfo, this);
    sysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    connect(ok, &QPushButton::clicked, this, &AboutBox::closeBox);
    connect(sysInfo, &QPushButton::clicked, this, &AboutBox::startSystemInformation);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(version);
    layout->addWidget(description);
    layout->addStretch(1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(disclaimer, 1);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(sysInfo);
    buttons->addStretch(1);
    bottom->addLayout(buttons);
    layout->addLayout(bottom);
    setFixedSize(480, 260);
}

QRect AboutBox::placement(const QSize &clientArea, const QSize &size)
{
    const int top = (clientArea.height() - size.height()) / 2 - Screen::twipsToPixels(500);
    return QRect(QPoint(std::max(0, (clientArea.width() - size.width()) / 2), std::max(0, top)), size);
}

void AboutBox::setProgramFinder(const ProgramFinder &f)
{
    finder() = f;
}

QString AboutBox::findSystemInformationProgram()
{
    return finder() ? finder()() : lookUpProgram();
}

void AboutBox::startSystemInformation()
{
    const QString program = findSystemInformationProgram();
    if (!program.isEmpty() && QProcess::startDetached(program, {}))
        return;
    // This text exists in Chinese only.
    MessageBox::show(this, CommonText::PromptTitle.text(), QStringLiteral("此时系统信息不可用"));
}

void AboutBox::closeBox()
{
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
        frame->close();
    else
        close();
}
