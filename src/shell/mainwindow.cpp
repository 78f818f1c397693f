#include "shell/mainwindow.h"

#include "files/filewindow.h"
#include "image/bandlimits.h"
#include "link/editorwindow.h"
#include "link/identificationexchange.h"
#include "link/portscan.h"
#include "link/portsetupwindow.h"
#include "link/readwindow.h"
#include "link/writewindow.h"
#include "image/document.h"
#include "alignment/alignmenttable.h"
#include "texts/commontexts.h"
#include "platform/messagebox.h"
#include "platform/screen.h"
#include "shell/aboutbox.h"
#include "shell/icons.h"
#include "shell/bulkwritesteps.h"
#include "shell/editorregistry.h"
#include "shell/channelcsvactions.h"
#include "shell/comparewindow.h"
#include "shell/configactions.h"
#include "shell/backupactions.h"
#include "shell/changeswindow.h"
#include "shell/imageinitialisation.h"
#include "shell/menukeys.h"
#include "texts/language.h"
#include "texts/languagetable.h"
#include "shell/radiostatus.h"
#include "shell/shelltexts.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QLabel>
#include <QLayout>
#include <QMap>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QUndoStack>
#include <algorithm>
#include <vector>

namespace {

MainWindow *g_instance = nullptr;

struct Caption
{
    const char *objectName;
    BiText text;
};

// Every menu entry and its caption pair but the editors' (their registry rows carry
// theirs); applyLanguage() walks this list.
const Caption MenuCaptions[] = {
    {"File", ShellText::File},
    {"File_New", ShellText::FileNew},
    {"File_Open", ShellText::FileOpen},
    {"File_save", ShellText::FileSave},
    {"File_saveas", ShellText::FileSaveAs},
    {"File_import_csv", ShellText::FileImportCsv},
    {"File_export_csv", ShellText::FileExportCsv},
    {"File_export_config", ShellText::FileExportConfig},
    {"File_import_config", ShellText::FileImportConfig},
    {"File_compare", ShellText::FileCompare},
    {"File_restore_backup", ShellText::FileRestoreBackup},
    {"File_exit", ShellText::FileExit},
    {"Edit", ShellText::Edit},
    {"sig_edit", ShellText::SignalEdit},
    {"Program", ShellText::Program},
    {"Prog_read", ShellText::ProgRead},
    {"Prog_write", ShellText::ProgWrite},
    {"Prog_write_changes", ShellText::ProgWriteChanges},
    {"proc_setup", ShellText::PortSetup},
    {"Language_Setup", ShellText::LanguageMenu},
    {"Language_chn", ShellText::LanguageChinese},
    {"Language_eng", ShellText::LanguageEnglish},
    {"about", ShellText::About},
    {"Menu_Exit", ShellText::MenuExit},
};

const Caption ToolbarTips[] = {
    {"open", ShellText::ToolOpen}, {"save", ShellText::ToolSave},   {"read", ShellText::ToolRead},
    {"write", ShellText::ToolWrite}, {"exit", ShellText::ToolExit},
};

// Panels 1, 3, 5, 7 and 9 carry labels; the even ones carry what the radio reports.
const int PanelShares[MainWindow::PanelCount] = {4, 6, 5, 15, 8, 7, 5, 10, 5, 10, 25};

constexpr int MinimumScreenWidthTwips = 15300;
constexpr int MinimumScreenHeightTwips = 11500;

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
{
    g_instance = this;
    setObjectName(QStringLiteral("MDImain"));
    m_mdi = new QMdiArea(this);
    // When a child closes (a file window, say), the one that was in front before it comes
    // back, not the one created first.
    m_mdi->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    m_mdi->setObjectName(QStringLiteral("MDIClient"));
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdi);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, &MainWindow::showEditorEditEntries);
    buildMenus();
    buildToolbar();
    buildStatusBar();
    connectEditorEntries();
    MenuKeys::install(this);
    RadioStatus::instance().followLink();
    installBulkWriteSteps();
    m_identification = new IdentificationExchange(this, this);
    connect(&RadioStatus::instance(), &RadioStatus::changed, this, &MainWindow::showRadioStatus);
}

MainWindow::~MainWindow()
{
    // The child windows go after this object's own members: their last activation must
    // not reach the Edit menu's entries.
    disconnect(m_mdi, &QMdiArea::subWindowActivated, this, &MainWindow::showEditorEditEntries);
    if (g_instance == this)
        g_instance = nullptr;
}

MainWindow *MainWindow::instance()
{
    return g_instance;
}

void MainWindow::startUp()
{
    // 1. Titles and the extra status texts come from the caption pairs (ShellText).
    // 2. The handshake command is a constant of the exchange engine.
    // 3. English, and the string table that goes with it.
    Language::setChinese(false);
    LanguageTable::rebuild();
    // 4. Panel widths, and panel 1 starts empty until the labels are applied.
    sizeStatusPanels();
    statusPanel(1)->clear();
    // 5. Menus, status labels and title in the current language.
    applyLanguage();
    // 6. As large as the screen. The geometry is set as well because a desktop without a
    // window manager ignores the maximise request.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
    showMaximized();
    // 7. Advice for screens below 1024 x 768.
    showScreenAdviceIfSmall();
    // 8. Silent port scan.
    scanPorts();
    // 9. Start-up band limits; the tone and value tables are built on first use.
    BandLimits::current() = BandLimits::startup();
    BandLimits::reported() = BandLimits::startup();
    // 10. Ask the radio who it is; this runs on in the background.
    startIdentification();
    // 11. The memory image and the defaults of every area.
    // They are the document's first state, not a step that Undo could take back.
    Document::instance().initialise([](Document::Contents &contents) {
        initialiseMemoryImage(contents.image);
        contents.alignment = Alignment::Table::defaults();
        contents.fiveToneDecode.clear();
        return true;
    });
    // 12. The optional-features editor.
    loadOptionsEditor();
}

void MainWindow::scanPorts()
{
    scanStartupPort();
}

void MainWindow::startIdentification()
{
    m_identification->start();
}

void MainWindow::showRadioStatus()
{
    const RadioStatus &status = RadioStatus::instance();
    for (int panel : {2, 4, 6, 8, 10}) {
        statusPanel(panel)->setText(status.panelText(panel));
        statusPanel(panel)->setToolTip(status.panelToolTip(panel));
    }
    statusPanel(3)->setText(status.statLabelShown() ? RadioStatus::StatLabel.text()
                                                    : ShellText::PanelNumber.text(Language::isChinese()));
}

void MainWindow::showReadWindow(bool reopen)
{
    const QString name = QStringLiteral("Form_Comm_Read");
    if (reopen && !closeChild(name))
        return;
    showChild(
        name, [] { return new ReadWindow; },
        [this](const QSize &) { return ReadWindow::placement(size()); });
}

void MainWindow::showPortSetup()
{
    showChild(
        QStringLiteral("Form_setup"), [this] { return new PortSetupWindow(m_identification); },
        [](const QSize &client) { return PortSetupWindow::placement(client); });
}

void MainWindow::loadOptionsEditor()
{
    showEditor("frm_option");
}

QAction *MainWindow::addMenuAction(QMenu *menu, const char *objectName)
{
    auto *action = new QAction(this);
    action->setObjectName(QString::fromLatin1(objectName));
    if (menu)
        menu->addAction(action);
    else
        menuBar()->addAction(action);
    return action;
}

void MainWindow::buildMenus()
{
    auto submenu = [this](const char *objectName) {
        QMenu *menu = menuBar()->addMenu(QString());
        menu->setObjectName(QString::fromLatin1(objectName));
        menu->menuAction()->setObjectName(QString::fromLatin1(objectName));
        return menu;
    };

    QMenu *file = submenu("File");
    addMenuAction(file, "File_New"); // "New" has no action
    connect(addMenuAction(file, "File_Open"), &QAction::triggered, this, [this] { showDataFileWindow(false); });
    connect(addMenuAction(file, "File_save"), &QAction::triggered, this, [this] { showDataFileWindow(true); });
    connect(addMenuAction(file, "File_saveas"), &QAction::triggered, this, [this] { showDataFileWindow(true); });
    connect(addMenuAction(file, "File_import_csv"), &QAction::triggered, this, [this] { ChannelCsvActions::importChannels(this); });
    connect(addMenuAction(file, "File_export_csv"), &QAction::triggered, this, [this] { ChannelCsvActions::exportChannels(this); });
    connect(addMenuAction(file, "File_export_config"), &QAction::triggered, this, [this] { ConfigActions::exportConfiguration(this); });
    connect(addMenuAction(file, "File_import_config"), &QAction::triggered, this, [this] { ConfigActions::importConfiguration(this); });
    connect(addMenuAction(file, "File_compare"), &QAction::triggered, this, [this] { CompareActions::compareWithFile(this); });
    connect(addMenuAction(file, "File_restore_backup"), &QAction::triggered, this, [this] { BackupActions::restoreBackup(this); });
    file->addSeparator();
    connect(addMenuAction(file, "File_exit"), &QAction::triggered, this, &QWidget::close);

    QMenu *edit = submenu("Edit");
    m_editMenu = edit;
    QAction *undo = addMenuAction(edit, "Edit_undo");
    undo->setShortcuts(QKeySequence::Undo);
    connect(undo, &QAction::triggered, this, [this] { undoOrRedo(true); });
    QAction *redo = addMenuAction(edit, "Edit_redo");
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(redo, &QAction::triggered, this, [this] { undoOrRedo(false); });
    for (QAction *a : {undo, redo})
        a->setShortcutContext(Qt::ApplicationShortcut);
    QUndoStack &history = Document::instance().history();
    connect(&history, &QUndoStack::indexChanged, this, &MainWindow::showEditActions);
    connect(&history, &QUndoStack::cleanChanged, this, &MainWindow::showEditActions);

    // The editors' entries, in the order of their rows; a submenu where the first of its
    // rows stands.
    QMap<QString, QMenu *> submenus;
    for (const EditorEntry &entry : editorRegistry()) {
        QMenu *parent = nullptr;
        if (entry.menu.parent) {
            const QString name = QString::fromLatin1(entry.menu.parent);
            if (!submenus.contains(name))
                submenus.insert(name, submenu(entry.menu.parent));
            parent = submenus.value(name);
        }
        addMenuAction(parent, entry.menu.action);
    }

    QMenu *program = submenu("Program");
    connect(addMenuAction(program, "Prog_read"), &QAction::triggered, this, [this] { showReadWindow(true); });
    connect(addMenuAction(program, "Prog_write"), &QAction::triggered, this, &MainWindow::showWriteWindow);
    connect(addMenuAction(program, "Prog_write_changes"), &QAction::triggered, this, &MainWindow::showChangesWindow);
    program->addSeparator();
    connect(addMenuAction(program, "proc_setup"), &QAction::triggered, this, &MainWindow::showPortSetup);

    QMenu *language = submenu("Language_Setup");
    m_languageGroup = new QActionGroup(this);
    m_languageGroup->setExclusive(true);
    QAction *chinese = addMenuAction(language, "Language_chn");
    QAction *english = addMenuAction(language, "Language_eng");
    for (QAction *a : {chinese, english}) {
        a->setCheckable(true);
        m_languageGroup->addAction(a);
    }
    connect(chinese, &QAction::triggered, this, &MainWindow::chooseChinese);
    connect(english, &QAction::triggered, this, &MainWindow::chooseEnglish);

    connect(addMenuAction(nullptr, "about"), &QAction::triggered, this, &MainWindow::showAbout);
    connect(addMenuAction(nullptr, "Menu_Exit"), &QAction::triggered, this, &QWidget::close);
}

QAction *MainWindow::addBarAction(const char *key)
{
    const QString name = QString::fromLatin1(key);
    QAction *action = m_toolbar->addAction(Icons::toolbarIcon(name), QString());
    action->setObjectName(name);
    return action;
}

void MainWindow::buildToolbar()
{
    m_toolbar = addToolBar(QString());
    m_toolbar->setObjectName(QStringLiteral("Toolbar1"));
    m_toolbar->setMovable(false);
    m_toolbar->setIconSize(QSize(32, 32));
    m_toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    connect(addBarAction("open"), &QAction::triggered, this, [this] { showDataFileWindow(false); });
    connect(addBarAction("save"), &QAction::triggered, this, [this] { showDataFileWindow(true); });
    m_toolbar->addSeparator();
    std::vector<const EditorEntry *> buttons;
    for (const EditorEntry &entry : editorRegistry()) {
        if (entry.toolbar.key)
            buttons.push_back(&entry);
    }
    std::stable_sort(buttons.begin(), buttons.end(),
                     [](const EditorEntry *a, const EditorEntry *b) { return a->toolbar.slot < b->toolbar.slot; });
    for (const EditorEntry *entry : buttons)
        addBarAction(entry->toolbar.key);
    m_toolbar->addSeparator();
    connect(addBarAction("read"), &QAction::triggered, this, [this] { showReadWindow(false); });
    connect(addBarAction("write"), &QAction::triggered, this, &MainWindow::showWriteWindow);
    m_toolbar->addSeparator();
    connect(addBarAction("exit"), &QAction::triggered, this, &MainWindow::exitFromToolbar);
}

void MainWindow::connectEditorEntries()
{
    for (const EditorEntry &entry : editorRegistry()) {
        const char *name = entry.objectName;
        if (QAction *a = menuAction(QString::fromLatin1(entry.menu.action)))
            connect(a, &QAction::triggered, this, [this, name] { showEditor(name); });
        if (entry.toolbar.key) {
            if (QAction *a = toolbarAction(QString::fromLatin1(entry.toolbar.key)))
                connect(a, &QAction::triggered, this, [this, name] { showEditor(name); });
        }
    }
}

void MainWindow::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    for (int i = 1; i <= PanelCount; ++i) {
        auto *panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("Panel%1").arg(i));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setTextFormat(Qt::PlainText);
        panel->setContentsMargins(2, 0, 2, 0);
        bar->addWidget(panel);
        m_panels.append(panel);
    }
    sizeStatusPanels();
}

int MainWindow::panelShare(int panel)
{
    Q_ASSERT(panel >= 1 && panel <= PanelCount);
    return PanelShares[panel - 1];
}

void MainWindow::sizeStatusPanels()
{
    const int screenWidth = Screen::twipsToPixels(Screen::sizeTwips().width());
    int panels = 0;
    for (int i = 1; i <= PanelCount; ++i) {
        statusPanel(i)->setFixedWidth(screenWidth * panelShare(i) / 100);
        panels += statusPanel(i)->width();
    }
    // The shares add up to the whole screen, but the bar also needs its margins and the
    // gaps between panels; the last panel gives them up, so the bar ends at the screen's
    // edge instead of running past it.
    statusBar()->layout()->activate();
    const int overhead = std::max(0, statusBar()->sizeHint().width() - panels);
    QLabel *last = statusPanel(PanelCount);
    last->setFixedWidth(std::max(0, last->width() - overhead));
}

QLabel *MainWindow::statusPanel(int panel) const
{
    Q_ASSERT(panel >= 1 && panel <= PanelCount);
    return m_panels.at(panel - 1);
}

QAction *MainWindow::menuAction(const QString &objectName) const
{
    const auto all = findChildren<QAction *>(objectName);
    for (QAction *a : all) {
        if (!m_toolbar->actions().contains(a))
            return a;
    }
    return nullptr;
}

QAction *MainWindow::toolbarAction(const QString &key) const
{
    for (QAction *a : m_toolbar->actions()) {
        if (a->objectName() == key)
            return a;
    }
    return nullptr;
}

void MainWindow::applyLanguage()
{
    const bool chinese = Language::isChinese();
    menuAction(QStringLiteral("Language_chn"))->setChecked(chinese);
    menuAction(QStringLiteral("Language_eng"))->setChecked(!chinese);
    for (const Caption &c : MenuCaptions) {
        if (QAction *a = menuAction(QString::fromLatin1(c.objectName)))
            a->setText(c.text.text(chinese));
    }
    for (const EditorEntry &entry : editorRegistry()) {
        if (QAction *a = menuAction(QString::fromLatin1(entry.menu.action)))
            a->setText(entry.menu.caption.text(chinese));
        if (!entry.toolbar.key)
            continue;
        if (QAction *a = toolbarAction(QString::fromLatin1(entry.toolbar.key))) {
            a->setText(entry.toolbar.tip.text(chinese));
            a->setToolTip(entry.toolbar.tip.text(chinese));
        }
    }
    for (const Caption &c : ToolbarTips) {
        if (QAction *a = toolbarAction(QString::fromLatin1(c.objectName))) {
            a->setText(c.text.text(chinese));
            a->setToolTip(c.text.text(chinese));
        }
    }
    statusPanel(1)->setText(ShellText::PanelModel.text(chinese));
    statusPanel(3)->setText(ShellText::PanelNumber.text(chinese));
    statusPanel(5)->setText(ShellText::PanelFirmware.text(chinese));
    statusPanel(7)->setText(ShellText::PanelBandA.text(chinese));
    statusPanel(9)->setText(ShellText::PanelBandB.text(chinese));
    statusPanel(11)->setText(ShellText::ExtraStatus.text(chinese));
    setWindowTitle(ShellText::Title.text(chinese));
    MenuKeys::applyLanguage(this, chinese);
    showEditActions();
}

void MainWindow::showEditActions()
{
    const bool chinese = Language::isChinese();
    const Document &document = Document::instance();
    // "Undo: channel 12 RX frequency" / "撤销：信道 12 接收频率"
    auto caption = [chinese](const BiText &verb, const QString &step) {
        if (step.isEmpty())
            return verb.text(chinese);
        return verb.text(chinese) + (chinese ? QStringLiteral("：") : QStringLiteral(": ")) + step;
    };
    if (QAction *undo = menuAction(QStringLiteral("Edit_undo"))) {
        undo->setText(caption(ShellText::EditUndo, document.undoLabel(chinese)));
        undo->setEnabled(document.canUndo());
    }
    if (QAction *redo = menuAction(QStringLiteral("Edit_redo"))) {
        redo->setText(caption(ShellText::EditRedo, document.redoLabel(chinese)));
        redo->setEnabled(document.canRedo());
    }
}

void MainWindow::showEditorEditEntries(QMdiSubWindow *active)
{
    if (!m_editMenu)
        return;
    for (const QPointer<QAction> &a : std::as_const(m_editorEntries)) {
        if (a)
            m_editMenu->removeAction(a);
    }
    m_editorEntries.clear();
    if (!m_editorEntriesSeparator) {
        m_editorEntriesSeparator = new QAction(this);
        m_editorEntriesSeparator->setSeparator(true);
    }
    m_editMenu->removeAction(m_editorEntriesSeparator);
    // A file window or dialog in front keeps the entries of the editor behind it away:
    // they would act on a window the user is not looking at.
    auto *editor = active ? qobject_cast<EditorWindow *>(active->widget()) : nullptr;
    if (!editor || editor->editMenuActions().isEmpty())
        return;
    m_editMenu->addAction(m_editorEntriesSeparator);
    for (QAction *a : editor->editMenuActions()) {
        m_editMenu->addAction(a);
        m_editorEntries << a;
    }
}

bool MainWindow::transferRunning() const
{
    for (QMdiSubWindow *frame : m_mdi->subWindowList()) {
        if (auto *window = qobject_cast<TransferWindow *>(frame->widget())) {
            if (window->isTransferring())
                return true;
        }
    }
    return false;
}

void MainWindow::undoOrRedo(bool undo)
{
    // A read would store over what Undo brought back, and a write is sending the
    // bytes as they were when it started.
    if (transferRunning()) {
        MessageBox::show(this, CommonText::PromptTitle.text(), CommonText::Busy.text());
        return;
    }
    Document &document = Document::instance();
    if (undo)
        document.undo();
    else
        document.redo();
}

void MainWindow::chooseChinese()
{
    if (!Language::isChinese()) {
        Language::setChinese(true);
        LanguageTable::rebuild();
    }
    // Panel 3 gets its own label back from a fault's "Stat:".
    RadioStatus::instance().languageSwitched();
    applyLanguage();
}

void MainWindow::chooseEnglish()
{
    if (Language::isChinese()) {
        Language::setChinese(false);
        LanguageTable::rebuild();
    }
    // Panel 3 gets its own label back from a fault's "Stat:".
    RadioStatus::instance().languageSwitched();
    applyLanguage();
}

void MainWindow::showScreenAdviceIfSmall()
{
    const QSize twips = Screen::sizeTwips();
    if (twips.height() < MinimumScreenHeightTwips || twips.width() < MinimumScreenWidthTwips) {
        MessageBox::show(this, QString::fromUtf8(ShellText::ScreenAdviceTitle),
                         QString::fromUtf8(ShellText::ScreenAdvice));
    }
}

QMdiSubWindow *MainWindow::childFrame(const QString &objectName) const
{
    for (QMdiSubWindow *sub : m_mdi->subWindowList()) {
        // A closed child lingers until its deferred deletion; it no longer counts.
        if (sub->isHidden())
            continue;
        if (sub->widget() && sub->widget()->objectName() == objectName)
            return sub;
    }
    return nullptr;
}

QWidget *MainWindow::child(const QString &objectName) const
{
    QMdiSubWindow *sub = childFrame(objectName);
    return sub ? sub->widget() : nullptr;
}

QMdiSubWindow *MainWindow::showChild(const QString &objectName, const std::function<QWidget *()> &make,
                                     const Placement &place)
{
    if (QMdiSubWindow *open = childFrame(objectName)) {
        if (open->isMinimized())
            open->showNormal();
        m_mdi->setActiveSubWindow(open);
        open->raise();
        return open;
    }
    QWidget *widget = make();
    widget->setObjectName(objectName);
    QMdiSubWindow *sub = m_mdi->addSubWindow(widget);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle(widget->windowTitle());
    connect(widget, &QWidget::windowTitleChanged, sub, &QWidget::setWindowTitle);
    if (place)
        sub->setGeometry(place(m_mdi->viewport()->size()));
    sub->show();
    m_mdi->setActiveSubWindow(sub);
    return sub;
}

bool MainWindow::closeChild(const QString &objectName)
{
    QMdiSubWindow *sub = childFrame(objectName);
    if (!sub)
        return true;
    return sub->close();
}

QRect MainWindow::centredHorizontally(const QSize &clientArea, const QSize &size, int top)
{
    const int x = std::max(0, (clientArea.width() - size.width()) / 2);
    return QRect(QPoint(x, std::max(0, top)), size);
}

void MainWindow::showAdjustFileWindow(bool save)
{
    showFileWindow(save ? FileWindow::Kind::SaveAdjust : FileWindow::Kind::OpenAdjust);
}

void MainWindow::showDataFileWindow(bool save)
{
    showFileWindow(save ? FileWindow::Kind::SaveData : FileWindow::Kind::OpenData);
}

void MainWindow::showFileWindow(FileWindow::Kind kind)
{
    const QString name = FileWindow::objectNameFor(kind);
    if (!closeChild(name))
        return;
    showChild(
        name, [kind] { return new FileWindow(kind); },
        [](const QSize &client) {
            const QSize size(std::min(client.width(), 560), std::min(client.height(), 400));
            return QRect(QPoint((client.width() - size.width()) / 2, (client.height() - size.height()) / 3), size);
        });
}

void MainWindow::closeFileWindows()
{
    for (FileWindow::Kind kind : {FileWindow::Kind::OpenData, FileWindow::Kind::SaveData,
                                  FileWindow::Kind::OpenAdjust, FileWindow::Kind::SaveAdjust})
        closeChild(FileWindow::objectNameFor(kind));
}

EditorWindow *MainWindow::showEditor(const char *objectName)
{
    const EditorEntry *entry = findEditor(objectName);
    if (!entry)
        return nullptr;
    if (entry->replaces && !closeChild(QString::fromLatin1(entry->replaces)))
        return nullptr;
    EditorWindow *made = nullptr;
    QMdiSubWindow *sub = showChild(
        QString::fromLatin1(objectName),
        [this, entry, &made] {
            made = entry->make();
            connect(made, &EditorWindow::fileWindowRequested, this, [this](EditorWindow::FileKind kind, bool save) {
                if (kind == EditorWindow::FileKind::Adjust)
                    showAdjustFileWindow(save);
                else
                    showDataFileWindow(save);
            });
            connect(made, &EditorWindow::closingFileWindows, this, &MainWindow::closeFileWindows);
            return made;
        },
        [this, &made](const QSize &client) { return made->placement(size(), client); });
    return sub ? qobject_cast<EditorWindow *>(sub->widget()) : nullptr;
}

void MainWindow::showAbout()
{
    const bool opening = !childFrame(QStringLiteral("frmAbout"));
    QMdiSubWindow *sub = showChild(QStringLiteral("frmAbout"), [] { return new AboutBox; });
    if (sub && opening) {
        // Placed by its outer size, frame and title included.
        sub->adjustSize();
        sub->move(AboutBox::placement(m_mdi->viewport()->size(), sub->size()).topLeft());
    }
}

void MainWindow::showWriteWindow()
{
    const QString name = QStringLiteral("Form_Comm_Write");
    if (!closeChild(name))
        return;
    showChild(
        name, [] { return new WriteWindow; },
        [this](const QSize &) { return WriteWindow::placement(size()); });
}

void MainWindow::showChangesWindow()
{
    // Each time afresh: a second run re-reads and re-compares.
    const QString name = QStringLiteral("frm_changes");
    if (!closeChild(name))
        return;
    showChild(
        name, [] { return new ChangesWindow; },
        [this](const QSize &client) { return ChangesWindow::placement(size(), client); });
}

void MainWindow::exitFromToolbar()
{
    for (const EditorEntry &entry : editorRegistry()) {
        if (entry.closedByToolbarExit)
            closeChild(QString::fromLatin1(entry.objectName));
    }
    closeChild(QStringLiteral("frmAbout"));
    close();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // A child that is talking to the radio refuses to close; the program then stays open
    // rather than cutting the transfer off, and the other children stay open with it.
    for (QMdiSubWindow *sub : m_mdi->subWindowList()) {
        auto *window = qobject_cast<TransferWindow *>(sub->widget());
        if (window && window->refusesClose()) {
            sub->close(); // the child says why it stays
            event->ignore();
            return;
        }
    }
    m_mdi->closeAllSubWindows();
    if (!m_mdi->subWindowList().isEmpty()) {
        event->ignore();
        return;
    }
    event->accept();
}
