#pragma once

#include "image/document.h"
#include "link/areatransfer.h"
#include "editor/fieldaccess.h"
#include "editor/keypolicy.h"
#include "link/transferwindow.h"
#include "texts/commontexts.h"

#include <QAbstractItemView>
#include <QHash>
#include <QMap>
#include <QRect>
#include <QSize>
#include <QVector>

class QAbstractItemModel;
class QAction;
class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

// The frame every editor window stands on. It owns what all of them do alike: the button
// row and its busy refusals, the area's own transfer through the exchange engine with its
// status line, progress and messages, the close refusal both ways, the refresh when the
// window comes back to the front, placement, the file windows (asked for by signal), and
// the bindings of controls to fields. An editor supplies its layout, its bindings, its
// transfer, its own rules and its texts.
class EditorWindow : public TransferWindow
{
    Q_OBJECT
public:
    enum class Action { Read, Write, Clear, Default, Save, Open, Close };
    // Which file windows Open and Save ask for.
    enum class FileKind { Data, Adjust };

    struct Button
    {
        Action action;
        const char *objectName;
        BiText caption;
        // Shown instead of acting while a transfer runs; null lets the action through.
        const BiText *busyText;
    };

    struct Texts
    {
        BiText readDone;  // status line after a read
        BiText writeDone; // status line after a write
        BiText readComplete = CommonText::ReadComplete;
        BiText writeComplete = CommonText::WriteComplete;
        BiText completeTitle = CommonText::PromptTitle;
        BiText fault = CommonText::CommunicationFault; // status line after the last attempt
    };

    struct Setup
    {
        // The options, alignment and signalling editors are of the main window's own kind:
        // its port message and the capitalised completion title.
        enum class Kind { Transfer, MainWindow };
        Setup(const BiText &caption, const Texts &texts, double widthDivisor, double heightDivisor,
              Kind kind = Kind::Transfer);

        BiText caption;
        Pacing pacing = Pacing::transferWindow();
        PortOpener portMessage = PortOpener::TransferWindow;
        Texts texts;
        // Size as the main window's size divided by these, centred in its client area.
        double widthDivisor = 1.0;
        double heightDivisor = 1.0;
        // Editors whose area another window may change meanwhile show it again each time
        // they become the active window.
        bool refreshOnActivation = true;
        FileKind files = FileKind::Data;
    };

    ~EditorWindow() override;

    bool isBusy() const { return m_engine.isReading() || m_engine.isWriting(); }
    bool refusesClose() const override { return isBusy(); }

    QPushButton *button(Action action) const { return m_buttons.value(action); }
    // Main window size / divisors, no larger than the client area, centred in it.
    static QRect placement(const QSize &mainWindow, const QSize &clientArea, double widthDivisor,
                           double heightDivisor);
    QRect placement(const QSize &mainWindow, const QSize &clientArea) const;

    // Shows the whole area again from the document. Showing never stores anything.
    virtual void redisplay() = 0;
    // Entries the main window's Edit menu shows while this window is in front, after
    // Undo and Redo; the window owns them.
    virtual QList<QAction *> editMenuActions() const { return {}; }

    const Document &document() const { return m_document; }

signals:
    void fileWindowRequested(EditorWindow::FileKind kind, bool save);
    // The editor closes; the file windows opened for it close with it.
    void closingFileWindows();

protected:
    EditorWindow(const Setup &setup, QWidget *parent);

    // The buttons in the given order, after the progress bar and the status line when
    // `withProgress`; the editor puts the row where its layout wants it.
    QHBoxLayout *makeButtonRow(const QVector<Button> &buttons, bool withProgress = true);
    // A caption for a control that has none of its own; the control is named after it for
    // screen readers and UI automation.
    QLabel *makeLabel(const BiText &text, QWidget *control);

    // A grid over `model`, edited in place through the one grid delegate: named, captioned
    // for screen readers, a line of text and a margin per row, Tab moving from cell to cell,
    // `edits` opening a cell. Without `view` a plain one that selects one cell at a time;
    // a view of the editor's own keeps its own selection.
    static constexpr QAbstractItemView::EditTriggers CellEdits =
        QAbstractItemView::CurrentChanged | QAbstractItemView::SelectedClicked | QAbstractItemView::AnyKeyPressed;
    QTableView *makeGrid(const char *objectName, const BiText &caption, QAbstractItemModel *model,
                         QAbstractItemView::EditTriggers edits = CellEdits, QTableView *view = nullptr);
    // After the grid has its model: columns fitted to their texts and list entries, and
    // room asked for every row and column.
    static void fitGrid(QTableView *grid, int minimumRows = -1);
    // An open overlay would show, and on leaving store, what Clear or Default replaced:
    // each grid's current cell moves to its row's column 0 (the number, which has none).
    void leaveEditedCells();
    // A grid model's refusals of what was typed, as message boxes once the step is done.
    template <typename Model>
    void showRefusals(const Model *model)
    {
        connect(model, &Model::refused, this, &EditorWindow::showRefusal);
    }
    void showRefusal(const BiText &title, const BiText &text);

    virtual AreaTransfer transfer() const = 0;
    // A non-empty text refuses the write with that message.
    virtual QString writeRefusal() const { return QString(); }
    // Clear and Default, inside the one document change each button makes.
    virtual void clearArea(Document::Contents &) {}
    virtual void loadDefaults(Document::Contents &) {}

    // An edit made in this window's controls: one step through the document. The window
    // already shows what was typed, so its own redisplay is skipped; every other open
    // window follows. Steps with the same `mergeKey` in a row are one (a text box's keys).
    bool applyEdit(const StepLabel &label, const Document::Change &change, int mergeKey = 0);
    bool applyImageEdit(const StepLabel &label, const Document::ImageChange &change, int mergeKey = 0);
    // A label for a step of this window: "<what> (<window caption>)".
    StepLabel stepLabel(const BiText &what) const;
    StepLabel stepLabel(const StepLabel &what) const;
    // The step of an edit in `control`: named after its caption (makeLabel), or its
    // object name when it has none.
    StepLabel controlStep(const QObject *control) const;
    // Names the steps of `control` when it has no caption of its own (makeLabel).
    void nameStep(const QObject *control, const StepLabel &name) { m_captions.insert(control, name); }
    // A merge key for the keystrokes of one control of this window.
    int mergeKeyOf(const QObject *control) const;

    // Bindings. A bound control shows its field and stores the user's changes to it, one
    // step each through the document, named after the control's caption; showing never
    // stores. The editor declares them; the frame's one list drives decode, encode, the
    // key policy and the refusal message.
    //
    // A list that is chosen from, never typed into; a choice stores its position. A
    // position the list has no entry for shows as `blank` (when given), no entry chosen.
    QComboBox *bindList(QComboBox *list, FieldAccess<int> field,
                        std::function<QString(const Document::Contents &)> blank = {});
    // A check box, stored on the user's click; `caption` names its step in both languages
    // (the box's own text otherwise, or its object name).
    QCheckBox *bindCheck(QCheckBox *box, FieldAccess<bool> field, const BiText *caption = nullptr);
    // A text box, stored on every change the user makes; its keys in a row are one step.
    QLineEdit *bindText(QLineEdit *box, FieldAccess<QString> field, const KeyPolicy::Rule &keys);
    // A whole number from 0 to `maximum`, stored as it is typed. Anything else stores the
    // fallback, shows it and says why; an emptied box stores nothing and shows the
    // stored value again when left.
    struct NumberRange
    {
        int maximum;
        std::function<int()> fallback;
        BiText title;
        QString notDigits;
        QString outOfRange;
    };
    QLineEdit *bindNumber(QLineEdit *box, FieldAccess<int> field, NumberRange range);
    // Every bound control as the document holds it now.
    void showBindings();

    // Whether a document change concerns what this window shows; by default, whatever
    // its transfer reads or writes.
    virtual bool shows(const DocumentRanges &ranges) const;
    // A change made elsewhere (another window, a file, a read, an undo): by default the
    // whole area is shown again when the change concerns it.
    virtual void followChange(const DocumentRanges &ranges);
    // After the replies of a read were stored.
    virtual void afterRead() { redisplay(); }
    // Status line and progress while the transfer runs; `done` blocks or frames so far,
    // 0 right after the identification. By default: the block being transferred.
    virtual void showTransferProgress(int done, int total);
    // After the last attempt failed and the failure was shown.
    virtual void afterFinalFailure() {}

    // Refuses with `text` when busy; true when it did.
    bool refuseWhenBusy(const BiText *text);

    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void trigger(const Button &button);
    void startRead();
    void startWrite();
    void closeWindow();
    void transferFinished();
    void transferFailed();

    const BiText *buttonCaption(Action action) const;
    void numberEdited(QLineEdit *box, const FieldAccess<int> &field, const NumberRange &range, const QString &text);

    struct Binding
    {
        QWidget *control;
        std::function<void()> show;
    };
    QVector<Binding> m_bindings;
    QVector<QTableView *> m_grids;

    QHash<const QObject *, StepLabel> m_captions;
    Document &m_document;
    Setup m_setup;
    QVector<Button> m_buttonLayout;
    QMap<Action, QPushButton *> m_buttons;
    // Set while this window's own edit runs, so that its announcement does not redisplay
    // the control being typed in.
    bool m_ownEdit = false;
    // What the running transfer covers, kept from its start to its end.
    AreaTransfer m_running;
    bool m_watchingActivation = false;
};
