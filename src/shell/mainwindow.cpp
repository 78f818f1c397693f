#include "shell/mainwindow.h"

#include "files/droppedfiles.h"
#include "files/filewindow.h"
#include "files/journal.h"
#include "files/journalstore.h"
#include "editor/editorwindow.h"
#include "link/identificationexchange.h"
#include "link/portsetupwindow.h"
#include "link/readwindow.h"
#include "link/writewindow.h"
#include "platform/messagebox.h"
#include "platform/screen.h"
#include "shell/aboutbox.h"
#include "shell/backupactions.h"
#include "shell/bulkwritesteps.h"
#include "shell/changeswindow.h"
#include "shell/channelcsvactions.h"
#include "shell/comparewindow.h"
#include "shell/configactions.h"
#include "shell/editmenu.h"
#include "shell/editorregistry.h"
#include "shell/fleetwindow.h"
#include "shell/fileopening.h"
#include "shell/icons.h"
#include "shell/mainmenus.h"
#include "shell/menukeys.h"
#include "shell/mergewindow.h"
#include "shell/radiostatus.h"
#include "shell/recentfiles.h"
#include "shell/recoverywindow.h"
#include "shell/shelltexts.h"
#include "texts/commontexts.h"
#include "texts/language.h"
#include "texts/languagetable.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHash>
#include <QLabel>
#include <QLayout>
#include <QMap>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>

namespace {

MainWindow *g_instance = nullptr;

// Panels 1, 3, 5, 7 and 9 carry labels; the even ones carry what the radio reports.
const int PanelShares[MainWindow::PanelCount] = {4, 6, 5, 15, 8, 7, 5, 10, 5, 10, 25};

} // namespace

const std::vector<MenuRow> &MainWindow::menuRows()
{
    using namespace ShellText;
    using R = MenuRow;
    static const std::vector<MenuRow> rows{
        {R::Menu, "File", File},
        {R::Entry, "File_New", FileNew}, // "New" has no action
        {R::Entry, "File_Open", FileOpen, [](MainWindow &w) { w.showDataFileWindow(false); }, QKeySequence::Open},
        {R::Entry, "File_save", FileSave, [](MainWindow &w) { w.showDataFileWindow(true); }, QKeySequence::Save},
        {R::Entry, "File_saveas", FileSaveAs, [](MainWindow &w) { w.showDataFileWindow(true); }},
        {R::Entry, "File_import_csv", FileImportCsv, [](MainWindow &w) { ChannelCsvActions::importChannels(&w); }},
        {R::Entry, "File_export_csv", FileExportCsv, [](MainWindow &w) { ChannelCsvActions::exportChannels(&w); }},
        {R::Entry, "File_export_config", FileExportConfig, [](MainWindow &w) { ConfigActions::exportConfiguration(&w); }},
        {R::Entry, "File_import_config", FileImportConfig, [](MainWindow &w) { ConfigActions::importConfiguration(&w); }},
        {R::Entry, "File_merge", FileMerge, [](MainWindow &w) { MergeActions::mergeFromFile(&w); }},
        {R::Entry, "File_import_repeaters", FileImportRepeaters, [](MainWindow &w) { MergeActions::importRepeaters(&w); }},
        {R::Entry, "File_compare", FileCompare, [](MainWindow &w) { CompareActions::compareWithFile(&w); }},
        {R::Entry, "File_restore_backup", FileRestoreBackup, [](MainWindow &w) { BackupActions::restoreBackup(&w); }},
        {R::Entry, "File_recover", FileRecover, [](MainWindow &w) { w.showRecoveryWindow(); }},
        {R::Separator},
        // Filled each time it opens: a file may have gone or come back since.
        {R::Submenu, "File_recent", FileRecent, nullptr, QKeySequence::UnknownKey, nullptr, false,
         [](MainWindow &w, QMenu *recent) {
             MainWindow *window = &w;
             RecentFiles::fillMenu(recent, Language::isChinese(), window,
                                   [window](const QString &path) { window->openFile(path); });
         }},
        {R::Separator},
        {R::Entry, "File_exit", FileExit, [](MainWindow &w) { w.close(); }},
        {R::Menu, "Edit", Edit},
        {R::Entry, "Edit_undo", EditUndo, [](MainWindow &w) { w.m_editMenu->undoOrRedo(true); }, QKeySequence::Undo,
         nullptr, true},
        {R::Entry, "Edit_redo", EditRedo, [](MainWindow &w) { w.m_editMenu->undoOrRedo(false); },
         QKeySequence::UnknownKey, "Ctrl+Shift+Z; Ctrl+Y", true},
        {R::Editors},
        {R::EditorMenu, "sig_edit", SignalEdit},
        {R::Menu, "Program", Program},
        {R::Entry, "Prog_read", ProgRead, [](MainWindow &w) { w.showReadWindow(true); }},
        {R::Entry, "Prog_write", ProgWrite, [](MainWindow &w) { w.showWriteWindow(); }},
        {R::Entry, "Prog_write_changes", ProgWriteChanges, [](MainWindow &w) { w.showChangesWindow(); }},
        {R::Entry, "Prog_fleet", ProgFleet, [](MainWindow &w) { w.showFleetWindow(); }},
        {R::Separator},
        {R::Entry, "proc_setup", PortSetup, [](MainWindow &w) { w.showPortSetup(); }},
        {R::Menu, "Language_Setup", LanguageMenu},
        {R::Entry, "Language_chn", LanguageChinese, [](MainWindow &w) { w.chooseLanguage(true); }},
        {R::Entry, "Language_eng", LanguageEnglish, [](MainWindow &w) { w.chooseLanguage(false); }},
        {R::BarEntry, "about", About, [](MainWindow &w) { w.showAbout(); }},
        {R::BarEntry, "Menu_Exit", MenuExit, [](MainWindow &w) { w.close(); }},
    };
    return rows;
}

const std::vector<MenuRow> &MainWindow::toolbarRows()
{
    using namespace ShellText;
    using R = MenuRow;
    static const std::vector<MenuRow> rows{
        {R::Entry, "open", ToolOpen, [](MainWindow &w) { w.showDataFileWindow(false); }},
        {R::Entry, "save", ToolSave, [](MainWindow &w) { w.showDataFileWindow(true); }},
        {R::Separator},
        {R::Editors},
        {R::Separator},
        {R::Entry, "read", ToolRead, [](MainWindow &w) { w.showReadWindow(false); }},
        {R::Entry, "write", ToolWrite, [](MainWindow &w) { w.showWriteWindow(); }},
        {R::Separator},
        {R::Entry, "exit", ToolExit, [](MainWindow &w) { w.exitFromToolbar(); }},
    };
    return rows;
}

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
    // A data file, a configuration text or a channel CSV dropped anywhere on the frame.
    setAcceptDrops(true);
    m_children = new ChildHost(m_mdi);
    buildMenus();
    buildToolbar();
    buildStatusBar();
    showRecoverable();
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
    disconnect(m_mdi, &QMdiArea::subWindowActivated, m_editMenu, &EditMenu::showEditorEntries);
    if (g_instance == this)
        g_instance = nullptr;
}

MainWindow *MainWindow::instance()
{
    return g_instance;
}

namespace {

QAction *addEntry(QWidget *to, const char *objectName, QObject *owner)
{
    auto *action = new QAction(owner);
    action->setObjectName(QString::fromLatin1(objectName));
    to->addAction(action);
    return action;
}

} // namespace

void MainWindow::buildMenus()
{
    auto submenu = [this](const char *objectName) {
        QMenu *menu = menuBar()->addMenu(QString());
        menu->setObjectName(QString::fromLatin1(objectName));
        menu->menuAction()->setObjectName(QString::fromLatin1(objectName));
        return menu;
    };
    QMenu *current = nullptr;
    QHash<QString, QAction *> made; // the toolbar, which menuAction() looks past, comes later
    for (const MenuRow &row : menuRows()) {
        switch (row.kind) {
        case MenuRow::Menu:
            current = submenu(row.objectName);
            break;
        case MenuRow::Separator:
            current->addSeparator();
            break;
        case MenuRow::Editors: {
            // In the order of their rows; a submenu where the first of its rows stands.
            QMap<QString, QMenu *> submenus;
            for (const EditorEntry &entry : editorRegistry()) {
                QWidget *parent = menuBar();
                if (entry.menu.parent) {
                    const QString name = QString::fromLatin1(entry.menu.parent);
                    if (!submenus.contains(name))
                        submenus.insert(name, submenu(entry.menu.parent));
                    parent = submenus.value(name);
                }
                const char *editor = entry.objectName;
                connect(addEntry(parent, entry.menu.action, this), &QAction::triggered, this,
                        [this, editor] { showEditor(editor); });
            }
            break;
        }
        case MenuRow::EditorMenu:
            break;
        case MenuRow::Submenu: {
            QMenu *menu = current->addMenu(QString());
            menu->setObjectName(QString::fromLatin1(row.objectName));
            menu->menuAction()->setObjectName(QString::fromLatin1(row.objectName));
            if (const auto fill = row.fill)
                connect(menu, &QMenu::aboutToShow, this, [this, fill, menu] { fill(*this, menu); });
            break;
        }
        case MenuRow::Entry:
        case MenuRow::BarEntry: {
            QAction *action = addEntry(row.kind == MenuRow::Entry ? static_cast<QWidget *>(current) : menuBar(),
                                       row.objectName, this);
            made.insert(QString::fromLatin1(row.objectName), action);
            if (row.standardKey != QKeySequence::UnknownKey)
                action->setShortcuts(row.standardKey);
            if (row.keys)
                action->setShortcuts(QKeySequence::listFromString(QString::fromLatin1(row.keys)));
            if (row.applicationWide)
                action->setShortcutContext(Qt::ApplicationShortcut);
            if (const auto handler = row.handler)
                connect(action, &QAction::triggered, this, [this, handler] { handler(*this); });
            break;
        }
        }
    }

    // A directory listing, no journal read: the menu opens as fast as before.
    connect(findChild<QMenu *>(QStringLiteral("File")), &QMenu::aboutToShow, this, &MainWindow::showRecoverable);
    m_editMenu = new EditMenu(findChild<QMenu *>(QStringLiteral("Edit")), made.value(QStringLiteral("Edit_undo")),
                              made.value(QStringLiteral("Edit_redo")), *m_children, this);
    connect(m_mdi, &QMdiArea::subWindowActivated, m_editMenu, &EditMenu::showEditorEntries);
    m_languageGroup = new QActionGroup(this);
    m_languageGroup->setExclusive(true);
    for (const char *name : {"Language_chn", "Language_eng"}) {
        QAction *choice = made.value(QString::fromLatin1(name));
        choice->setCheckable(true);
        m_languageGroup->addAction(choice);
    }
}

void MainWindow::buildToolbar()
{
    m_toolbar = addToolBar(QString());
    m_toolbar->setObjectName(QStringLiteral("Toolbar1"));
    m_toolbar->setMovable(false);
    m_toolbar->setIconSize(QSize(32, 32));
    m_toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    auto button = [this](const char *key) {
        const QString name = QString::fromLatin1(key);
        QAction *action = m_toolbar->addAction(Icons::toolbarIcon(name), QString());
        action->setObjectName(name);
        return action;
    };
    for (const MenuRow &row : toolbarRows()) {
        if (row.kind == MenuRow::Separator) {
            m_toolbar->addSeparator();
        } else if (row.kind == MenuRow::Editors) {
            std::vector<const EditorEntry *> buttons;
            for (const EditorEntry &entry : editorRegistry()) {
                if (entry.toolbar.key)
                    buttons.push_back(&entry);
            }
            std::stable_sort(buttons.begin(), buttons.end(), [](const EditorEntry *a, const EditorEntry *b) {
                return a->toolbar.slot < b->toolbar.slot;
            });
            for (const EditorEntry *entry : buttons) {
                const char *editor = entry->objectName;
                connect(button(entry->toolbar.key), &QAction::triggered, this, [this, editor] { showEditor(editor); });
            }
        } else if (const auto handler = row.handler) {
            connect(button(row.objectName), &QAction::triggered, this, [this, handler] { handler(*this); });
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
    for (const MenuRow &row : menuRows()) {
        if (!row.objectName)
            continue;
        if (QAction *a = menuAction(QString::fromLatin1(row.objectName)))
            a->setText(row.caption.text(chinese));
    }
    auto tip = [this, chinese](const char *key, const BiText &text) {
        if (QAction *a = toolbarAction(QString::fromLatin1(key))) {
            a->setText(text.text(chinese));
            a->setToolTip(text.text(chinese));
        }
    };
    for (const EditorEntry &entry : editorRegistry()) {
        if (QAction *a = menuAction(QString::fromLatin1(entry.menu.action)))
            a->setText(entry.menu.caption.text(chinese));
        if (entry.toolbar.key)
            tip(entry.toolbar.key, entry.toolbar.tip);
    }
    for (const MenuRow &row : toolbarRows()) {
        if (row.objectName)
            tip(row.objectName, row.caption);
    }
    statusPanel(1)->setText(ShellText::PanelModel.text(chinese));
    statusPanel(3)->setText(ShellText::PanelNumber.text(chinese));
    statusPanel(5)->setText(ShellText::PanelFirmware.text(chinese));
    statusPanel(7)->setText(ShellText::PanelBandA.text(chinese));
    statusPanel(9)->setText(ShellText::PanelBandB.text(chinese));
    statusPanel(11)->setText(ShellText::ExtraStatus.text(chinese));
    setWindowTitle(ShellText::Title.text(chinese));
    MenuKeys::applyLanguage(this, chinese);
    m_editMenu->showCaptions();
}

void MainWindow::chooseLanguage(bool chinese)
{
    if (Language::isChinese() != chinese) {
        Language::setChinese(chinese);
        LanguageTable::rebuild();
    }
    // Panel 3 gets its own label back from a fault's "Stat:".
    RadioStatus::instance().languageSwitched();
    applyLanguage();
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
    m_children->reopen(
        FileWindow::objectNameFor(kind),
        [kind] {
            auto *window = new FileWindow(kind);
            connect(window, &FileWindow::dataFileLoaded, window, [](const QString &path) { RecentFiles::add(path); });
            connect(window, &FileWindow::dataFileSaved, window, [](const QString &path) { RecentFiles::add(path); });
            return window;
        },
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

void MainWindow::showChannelEditor()
{
    showEditor(EditorName::Channels);
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

void MainWindow::showReadWindow(bool reopen)
{
    const QString name = QStringLiteral("Form_Comm_Read");
    const auto make = [] { return new ReadWindow; };
    const auto place = [this](const QSize &) { return ReadWindow::placement(size()); };
    if (reopen)
        m_children->reopen(name, make, place);
    else
        showChild(name, make, place);
}

void MainWindow::showWriteWindow()
{
    m_children->reopen(
        QStringLiteral("Form_Comm_Write"), [] { return new WriteWindow; },
        [this](const QSize &) { return WriteWindow::placement(size()); });
}

void MainWindow::showRecoverable()
{
    const Journal *own = Journal::running();
    menuAction(QStringLiteral("File_recover"))
        ->setEnabled(JournalStore::anyKept(own ? own->folder() : Journal::defaultFolder(), own ? own->path() : QString()));
}

void MainWindow::showRecoveryWindow()
{
    // Each time afresh: the journals of other runs go on changing.
    const QString name = QStringLiteral("Form_recover");
    closeChild(name);
    const Journal *own = Journal::running();
    const QString folder = own ? own->folder() : Journal::defaultFolder();
    const QString path = own ? own->path() : QString();
    showChild(
        name, [folder, path] { return new RecoveryWindow(folder, path); },
        [this](const QSize &client) { return RecoveryWindow::placement(size(), client); });
}

void MainWindow::showChangesWindow()
{
    // Each time afresh: a second run re-reads and re-compares.
    m_children->reopen(
        QStringLiteral("frm_changes"), [] { return new ChangesWindow; },
        [this](const QSize &client) { return ChangesWindow::placement(size(), client); });
}

void MainWindow::showFleetWindow()
{
    // Brought up when open: it may be running a job.
    showChild(
        QStringLiteral("frm_fleet"), [] { return new FleetWindow; },
        [](const QSize &client) { return FleetWindow::placement(client); });
}

void MainWindow::showPortSetup()
{
    showChild(
        QStringLiteral("Form_setup"), [this] { return new PortSetupWindow(m_identification); },
        [](const QSize &client) { return PortSetupWindow::placement(client); });
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

void MainWindow::exitFromToolbar()
{
    for (const EditorEntry &entry : editorRegistry()) {
        if (entry.closedByToolbarExit)
            closeChild(QString::fromLatin1(entry.objectName));
    }
    closeChild(QStringLiteral("frmAbout"));
    close();
}

bool MainWindow::openFile(const QString &path)
{
    // As Undo: a read would store over the file, and a write is sending the bytes it
    // started with.
    if (m_children->transferRunning()) {
        MessageBox::show(this, CommonText::PromptTitle.text(), CommonText::Busy.text());
        return false;
    }
    return FileOpening::open(this, path);
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    // Any drag of files makes this window the drop's target, so that a drop it will not
    // take still arrives and is told why (where the dragging program delivers it).
    if (!DroppedFiles::files(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void MainWindow::dragMoveEvent(QDragMoveEvent *event)
{
    // The cursor: the drop cursor only for a drop that will be taken.
    if (FileOpening::takes(DroppedFiles::files(event->mimeData())))
        event->acceptProposedAction();
    else
        event->ignore();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    event->acceptProposedAction();
    // The program that sent the drop waits until it is delivered, so the file is opened
    // (and its message shown) once the drop has returned. It is judged again there: a drop
    // can arrive without its drag having been asked, and several files or one of another
    // kind get their message.
    const QStringList files = DroppedFiles::files(event->mimeData());
    QMetaObject::invokeMethod(
        this,
        [this, files] {
            if (FileOpening::takes(files))
                openFile(files.first());
            else
                FileOpening::openDropped(this, files);
        },
        Qt::QueuedConnection);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_children->closeAll())
        event->accept();
    else
        event->ignore();
}
