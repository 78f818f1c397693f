#pragma once

#include <QString>
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// The four small file windows: open and save a data file (.dat, the whole memory image)
// and open and save an adjust file (.adj, handed to the alignment window). One class,
// told apart by its kind; object names and captions follow the kind.
class FileWindow : public QWidget
{
    Q_OBJECT

public:
    enum class Kind { OpenData, SaveData, OpenAdjust, SaveAdjust };

    explicit FileWindow(Kind kind, QWidget *parent = nullptr);

    Kind kind() const { return m_kind; }
    // "Form_open_chann", "Form_save_chann", "Form_open_adj", "Form_save_adj".
    static QString objectNameFor(Kind kind);

    // Shows `folder` in the drive, folder and file lists. A folder that does not exist
    // falls back to the home folder.
    void setFolder(const QString &folder);
    QString folder() const { return m_folder; }
    // Where a new window starts: the folder of the last file opened or saved in this run,
    // otherwise the home folder. Nothing is kept between runs.
    static QString initialFolder();

    // What Confirm does in the data file open window, for a path from elsewhere (the
    // command line, a drop, the recent files): the file is loaded as one undo step and the
    // window's message says so, or its message says why not and nothing changes.
    static bool loadDataFile(QWidget *parent, const QString &path);

    // The drive list: every mounted volume once, and always the volume of the current
    // folder (the root folder when the system names none), sorted.
    static QStringList driveRoots(const QStringList &mountedRoots, const QString &currentRoot);
    // The volume a path lies on, or the root folder when the system knows none.
    static QString volumeRoot(const QString &path);

signals:
    // After the data file has been loaded into the memory image or saved from it, just
    // before the window closes.
    void dataFileLoaded(const QString &path);
    void dataFileSaved(const QString &path);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildControls();
    void applyTexts();
    void fillDrives();
    void fillFolders();
    void fillFiles();
    void driveChosen(int index);
    void folderActivated(QListWidgetItem *item);
    void fileClicked(QListWidgetItem *item);
    void fileActivated(QListWidgetItem *item);
    void confirm();
    void closeWindow();
    void warn(const QString &text);

    bool isDataKind() const { return m_kind == Kind::OpenData || m_kind == Kind::SaveData; }
    QString extension() const;

    Kind m_kind;
    bool m_chinese;
    QString m_folder;

    QLabel *m_driveLabel = nullptr;
    QComboBox *m_drives = nullptr;
    QLabel *m_folderPath = nullptr;
    QListWidget *m_folders = nullptr;
    QListWidget *m_files = nullptr;
    QLabel *m_nameLabel = nullptr;
    QLineEdit *m_name = nullptr;
    QPushButton *m_enter = nullptr;
    QPushButton *m_close = nullptr;
};
