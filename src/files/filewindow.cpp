#include "files/filewindow.h"

#include "files/adjustfilerequests.h"
#include "files/backups.h"
#include "files/datafile.h"
#include "image/dataorigin.h"
#include "image/document.h"
#include "image/memoryimage.h"
#include "platform/messagebox.h"
#include "texts/commontexts.h"
#include "texts/language.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStorageInfo>
#include <QStyle>
#include <QVBoxLayout>

namespace {

struct KindTexts
{
    const char *objectName;
    BiText caption;
    BiText nameLabel;
    BiText nameMessage;
    BiText extensionMessage;
};

const KindTexts &textsFor(FileWindow::Kind kind)
{
    static const KindTexts openData{"Form_open_chann",
                                    {"Open File", "打开文件"},
                                    {"Open File:", "打开文件名："},
                                    {"Open the file name is nullity ", "打开文件名无效 "},
                                    {"Nullity file suffix name.", "无效的文件后缀名！"}};
    static const KindTexts saveData{"Form_save_chann",
                                    {"Save File", "保存文件"},
                                    {"Save File:", "保存文件名："},
                                    {"Store the file name is nullity. ", "保存文件所需要的文件名无效 "},
                                    {"Advice don't modify file suffix name of system default ！",
                                     "建议不要修改系统默认的文件后缀名！"}};
    static const KindTexts openAdjust{"Form_open_adj",
                                      {"Open Adjust File", "打开调整参数文件"},
                                      {"Open File:", "打开文件名："},
                                      {"Open the file name of channel parameter is nullity ", "打开信道参数文件名无效 "},
                                      {"Nullity file suffix name of adjust parameter.", "无效的调整参数文件后缀名！"}};
    static const KindTexts saveAdjust{"Form_save_adj",
                                      {"Save Adjust File", "保存调整参数文件"},
                                      {"Save File:", "保存文件名："},
                                      {"Store the file name of adjust parameter need is nullity. ",
                                       "保存调整参数所需要的文件名无效 "},
                                      {"Advice don't modify file suffix name of system default ！",
                                       "建议不要修改系统默认的文件后缀名！"}};
    switch (kind) {
    case FileWindow::Kind::OpenData:
        return openData;
    case FileWindow::Kind::SaveData:
        return saveData;
    case FileWindow::Kind::OpenAdjust:
        return openAdjust;
    case FileWindow::Kind::SaveAdjust:
        break;
    }
    return saveAdjust;
}

constexpr BiText DriveLabel{"Drive:", "驱动器："};
constexpr BiText ConfirmCaption{"Confirm", "确  定"};
constexpr BiText CancelCaption{"Cancel", "取  消"};
// The folder and file lists have no caption of their own; these name them for screen readers.
constexpr BiText FoldersName{"Folders", "文件夹"};
constexpr BiText FilesName{"Files", "文件"};

constexpr BiText LoadedMessage{"Succeed fold the parameter from file.", "参数从文件调入成功 ！"};
constexpr BiText SavedMessage{"Complete storing  parameter.", "参数保存完毕 ！"};

// Characters that would make the name a pattern, a path or a variable rather than a name.
const QString ForbiddenNameCharacters = QStringLiteral("*$\\/#");

const QString ParentEntry = QStringLiteral("..");

QString g_lastFolder;

} // namespace

FileWindow::FileWindow(Kind kind, QWidget *parent)
    : QWidget(parent)
    , m_kind(kind)
    , m_chinese(Language::isChinese())
{
    setObjectName(objectNameFor(kind));
    buildControls();
    applyTexts();
    fillDrives();
    setFolder(initialFolder());
}

QString FileWindow::objectNameFor(Kind kind)
{
    return QString::fromLatin1(textsFor(kind).objectName);
}

QString FileWindow::initialFolder()
{
    if (!g_lastFolder.isEmpty() && QFileInfo(g_lastFolder).isDir())
        return g_lastFolder;
    return QDir::homePath();
}

QString FileWindow::extension() const
{
    return isDataKind() ? QStringLiteral(".dat") : QStringLiteral(".adj");
}

void FileWindow::buildControls()
{
    m_driveLabel = new QLabel(this);
    m_driveLabel->setObjectName(QStringLiteral("Label_drive"));
    m_drives = new QComboBox(this);
    m_drives->setObjectName(QStringLiteral("Drive1"));
    m_driveLabel->setBuddy(m_drives);

    m_folderPath = new QLabel(this);
    m_folderPath->setObjectName(QStringLiteral("Label_folder"));
    m_folderPath->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_folderPath->setMinimumWidth(1); // long paths must not widen the window

    m_folders = new QListWidget(this);
    m_folders->setObjectName(QStringLiteral("Dir1"));
    m_files = new QListWidget(this);
    m_files->setObjectName(QStringLiteral("File1"));
    // Small icons keep many entries in view, as a file list should.
    m_folders->setIconSize(QSize(16, 16));
    m_files->setIconSize(QSize(16, 16));

    m_nameLabel = new QLabel(this);
    m_nameLabel->setObjectName(QStringLiteral("Label_name"));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("Text1"));
    m_nameLabel->setBuddy(m_name);

    m_enter = new QPushButton(this);
    m_enter->setObjectName(QStringLiteral("Command_enter"));
    m_enter->setDefault(true);
    m_close = new QPushButton(this);
    m_close->setObjectName(QStringLiteral("Command_close"));

    auto *left = new QVBoxLayout;
    auto *driveRow = new QHBoxLayout;
    driveRow->addWidget(m_driveLabel);
    driveRow->addWidget(m_drives, 1);
    left->addLayout(driveRow);
    left->addWidget(m_folderPath);
    left->addWidget(m_folders, 1);

    auto *lists = new QHBoxLayout;
    lists->addLayout(left, 1);
    lists->addWidget(m_files, 1);

    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(m_nameLabel);
    nameRow->addWidget(m_name, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_enter);
    buttons->addWidget(m_close);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addLayout(nameRow);
    layout->addLayout(buttons);

    setMinimumSize(460, 300);

    connect(m_drives, QOverload<int>::of(&QComboBox::activated), this, &FileWindow::driveChosen);
    connect(m_folders, &QListWidget::itemActivated, this, &FileWindow::folderActivated);
    connect(m_files, &QListWidget::itemClicked, this, &FileWindow::fileClicked);
    connect(m_files, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem *current) {
                // Arrow keys pick a file like a click does; refilling the list must not.
                if (m_files->hasFocus())
                    fileClicked(current);
            });
    connect(m_files, &QListWidget::itemActivated, this, &FileWindow::fileActivated);
    connect(m_name, &QLineEdit::returnPressed, this, &FileWindow::confirm);
    connect(m_enter, &QPushButton::clicked, this, &FileWindow::confirm);
    connect(m_close, &QPushButton::clicked, this, &FileWindow::closeWindow);
}

void FileWindow::applyTexts()
{
    const KindTexts &texts = textsFor(m_kind);
    setWindowTitle(texts.caption.text(m_chinese));
    m_driveLabel->setText(DriveLabel.text(m_chinese));
    m_nameLabel->setText(texts.nameLabel.text(m_chinese));
    m_enter->setText(ConfirmCaption.text(m_chinese));
    m_close->setText(CancelCaption.text(m_chinese));
    m_name->setText(QLatin1Char('*') + extension());

    m_drives->setAccessibleName(DriveLabel.text(m_chinese));
    m_folders->setAccessibleName(FoldersName.text(m_chinese));
    m_files->setAccessibleName(FilesName.text(m_chinese));
    m_name->setAccessibleName(texts.nameLabel.text(m_chinese));
}

QString FileWindow::volumeRoot(const QString &path)
{
    // Where "/" is no mount point of its own (a bare chroot or container), the system may
    // know no volume for a folder at all; the root folder then stands for it.
    const QString root = QStorageInfo(path).rootPath();
    return root.isEmpty() ? QDir::rootPath() : root;
}

QStringList FileWindow::driveRoots(const QStringList &mountedRoots, const QString &currentRoot)
{
    QStringList roots;
    for (const QString &root : mountedRoots) {
        if (!root.isEmpty() && !roots.contains(root))
            roots << root;
    }
    const QString current = currentRoot.isEmpty() ? QDir::rootPath() : currentRoot;
    if (!roots.contains(current))
        roots << current;
    roots.sort();
    return roots;
}

void FileWindow::fillDrives()
{
    m_drives->clear();
    QStringList mounted;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady())
            mounted << volume.rootPath();
    }
    const QString current = volumeRoot(m_folder.isEmpty() ? initialFolder() : m_folder);
    for (const QString &root : driveRoots(mounted, current)) {
        const QStorageInfo volume(root);
        const QString name = volume.displayName();
        const QString shown = QDir::toNativeSeparators(root);
        m_drives->addItem(name.isEmpty() || name == root ? shown : QStringLiteral("%1  [%2]").arg(shown, name), root);
    }
}

void FileWindow::setFolder(const QString &folder)
{
    QFileInfo info(folder);
    m_folder = info.isDir() ? info.canonicalFilePath() : QDir(QDir::homePath()).canonicalPath();

    const QString root = volumeRoot(m_folder);
    int index = m_drives->findData(root);
    if (index < 0) {
        m_drives->addItem(QDir::toNativeSeparators(root), root);
        index = m_drives->count() - 1;
    }
    m_drives->setCurrentIndex(index);

    m_folderPath->setText(QDir::toNativeSeparators(m_folder));
    m_folderPath->setToolTip(QDir::toNativeSeparators(m_folder));
    fillFolders();
    fillFiles();
}

void FileWindow::fillFolders()
{
    m_folders->clear();
    const QDir dir(m_folder);
    if (!dir.isRoot())
        new QListWidgetItem(style()->standardIcon(QStyle::SP_FileDialogToParent), ParentEntry, m_folders);
    const QIcon folderIcon = style()->standardIcon(QStyle::SP_DirIcon);
    const QStringList names =
        dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Readable, QDir::Name | QDir::IgnoreCase);
    for (const QString &name : names)
        new QListWidgetItem(folderIcon, name, m_folders);
}

void FileWindow::fillFiles()
{
    m_files->clear();
    // Name filters ignore case here, so "TEST.DAT" (an accepted name) is listed too.
    const QDir dir(m_folder, QLatin1Char('*') + extension(), QDir::Name | QDir::IgnoreCase, QDir::Files);
    const QIcon fileIcon = style()->standardIcon(QStyle::SP_FileIcon);
    for (const QString &name : dir.entryList())
        new QListWidgetItem(fileIcon, name, m_files);
}

void FileWindow::driveChosen(int index)
{
    const QString root = m_drives->itemData(index).toString();
    if (!root.isEmpty())
        setFolder(root);
}

void FileWindow::folderActivated(QListWidgetItem *item)
{
    if (!item)
        return;
    QDir dir(m_folder);
    if (item->text() == ParentEntry ? dir.cdUp() : dir.cd(item->text()))
        setFolder(dir.absolutePath());
}

void FileWindow::fileClicked(QListWidgetItem *item)
{
    if (item)
        m_name->setText(item->text());
}

void FileWindow::fileActivated(QListWidgetItem *item)
{
    if (!item)
        return;
    m_name->setText(item->text());
    confirm();
}

void FileWindow::warn(const QString &text)
{
    MessageBox::show(this, CommonText::PromptTitle.text(), text, MessageBox::Icon::Warning);
}

void FileWindow::confirm()
{
    const KindTexts &texts = textsFor(m_kind);
    const QString name = m_name->text().trimmed();

    for (const QChar ch : name) {
        if (ForbiddenNameCharacters.contains(ch)) {
            warn(texts.nameMessage.text());
            return;
        }
    }
    // Only the all-lower and all-upper spellings; "test.Dat" is refused on purpose.
    const QString suffix = name.right(4);
    if (name.size() < 4 || (suffix != extension() && suffix != extension().toUpper())) {
        warn(texts.extensionMessage.text());
        return;
    }

    const QString path = QDir(m_folder).filePath(name);
    switch (m_kind) {
    case Kind::OpenData:
        if (!loadDataFile(this, path))
            return;
        g_lastFolder = m_folder;
        emit dataFileLoaded(path);
        closeWindow();
        return;
    case Kind::SaveData: {
        const FileResult result = DataFile::save(Document::instance().image(), path);
        if (!result.ok) {
            warn(result.message());
            fillFiles();
            return;
        }
        g_lastFolder = m_folder;
        warn(SavedMessage.text());
        emit dataFileSaved(path);
        closeWindow();
        return;
    }
    case Kind::OpenAdjust:
    case Kind::SaveAdjust:
        g_lastFolder = m_folder;
        // Closed first, so that whatever the alignment window shows is not covered by us.
        closeWindow();
        if (m_kind == Kind::OpenAdjust)
            AdjustFileRequests::instance().requestOpen(path);
        else
            AdjustFileRequests::instance().requestSave(path);
        return;
    }
}

bool FileWindow::loadDataFile(QWidget *parent, const QString &path)
{
    // The file is parsed whole before anything changes: a bad one leaves the document as
    // it was, and a good one is one undo step.
    MemoryImage loaded;
    const FileResult result = DataFile::load(loaded, path);
    if (!result.ok) {
        MessageBox::show(parent, CommonText::PromptTitle.text(), result.message(), MessageBox::Icon::Warning);
        return false;
    }
    const QString name = QFileInfo(path).fileName();
    const QString origin = Backups::radioOf(path);
    Document::instance().apply(
        StepLabel(CommonText::OpenFileStep.text(false).arg(name), CommonText::OpenFileStep.text(true).arg(name)),
        [&loaded, &origin](Document::Contents &contents) {
            contents.image = loaded;
            DataOrigin::set(contents, origin);
            return true;
        });
    MessageBox::show(parent, CommonText::PromptTitle.text(), LoadedMessage.text(), MessageBox::Icon::Warning);
    return true;
}

void FileWindow::closeWindow()
{
    // Hosted in a child window frame, the frame must go too, not just its contents.
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
        frame->close();
    else
        close();
}

void FileWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        closeWindow();
        return;
    }
    QWidget::keyPressEvent(event);
}
