#include "editor/editorwindow.h"

#include "image/decimaltext.h"
#include "editor/gridcell.h"
#include "editor/griddelegate.h"
#include "editor/gridfit.h"
#include "platform/messagebox.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <cmath>

EditorWindow::Setup::Setup(const BiText &caption, const Texts &texts, double widthDivisor, double heightDivisor,
                           Kind kind)
    : caption(caption)
    , texts(texts)
    , widthDivisor(widthDivisor)
    , heightDivisor(heightDivisor)
{
    if (kind == Kind::MainWindow) {
        portMessage = PortOpener::MainWindow;
        this->texts.completeTitle = CommonText::PromptTitleCapital;
    }
}

EditorWindow::EditorWindow(const Setup &setup, QWidget *parent)
    : TransferWindow(setup.pacing, setup.portMessage, parent)
    , m_document(Document::instance())
    , m_setup(setup)
{
    setWindowTitle(setup.caption.text(m_chinese));
    m_status->setMinimumWidth(220);

    connect(&m_engine, &ExchangeEngine::identified, this, [this] { showTransferProgress(0, m_engine.total()); });
    connect(&m_engine, &ExchangeEngine::progress, this, &EditorWindow::showTransferProgress);
    connect(&m_engine, &ExchangeEngine::finished, this, &EditorWindow::transferFinished);
    connect(&m_engine, &ExchangeEngine::failed, this, &EditorWindow::transferFailed);
    connect(&m_document, &Document::changed, this, [this](const DocumentRanges &ranges) {
        if (!m_ownEdit && shows(ranges))
            followChange(ranges);
    });
}

EditorWindow::~EditorWindow()
{
    // A cell editor still open commits as the widgets go: the announcement must not
    // reach a window whose own parts are gone.
    disconnect(&m_document, nullptr, this, nullptr);
}

bool EditorWindow::applyEdit(const StepLabel &label, const Document::Change &change, int mergeKey)
{
    const bool outer = !m_ownEdit;
    m_ownEdit = true;
    const bool accepted = m_document.apply(label, change, mergeKey);
    if (outer)
        m_ownEdit = false;
    return accepted;
}

bool EditorWindow::applyImageEdit(const StepLabel &label, const Document::ImageChange &change, int mergeKey)
{
    return applyEdit(label, [&change](Document::Contents &c) { return change(c.image); }, mergeKey);
}

StepLabel EditorWindow::stepLabel(const StepLabel &what) const
{
    return {what.en + QStringLiteral(" (") + m_setup.caption.text(false) + QLatin1Char(')'),
            what.zh + QStringLiteral("（") + m_setup.caption.text(true) + QStringLiteral("）")};
}

StepLabel EditorWindow::stepLabel(const BiText &what) const
{
    return stepLabel(StepLabel(what));
}

StepLabel EditorWindow::controlStep(const QObject *control) const
{
    const auto it = m_captions.constFind(control);
    if (it == m_captions.constEnd())
        return stepLabel(StepLabel(control->objectName(), control->objectName()));
    auto bare = [](QString t) {
        t = t.trimmed();
        while (t.endsWith(QLatin1Char(':')) || t.endsWith(QChar(0xFF1A)))
            t.chop(1);
        return t.trimmed();
    };
    return stepLabel(StepLabel(bare(it->text(false)), bare(it->text(true))));
}

int EditorWindow::mergeKeyOf(const QObject *control) const
{
    const int key = int(qHash(objectName() + QLatin1Char('/') + control->objectName()));
    return key == 0 || key == -1 ? 1 : key;
}

QComboBox *EditorWindow::bindList(QComboBox *list, FieldAccess<int> field,
                                  std::function<QString(const Document::Contents &)> blank)
{
    KeyPolicy::selectOnly(list);
    list->setMaxVisibleItems(16);
    GridFit::widenPopup(list);
    auto show = [this, list, get = field.get, blank] {
        const Document::Contents &c = m_document.contents();
        const int position = get(c);
        const bool listed = position >= 0 && position < list->count();
        list->setPlaceholderText(listed || !blank ? QString() : blank(c));
        list->setCurrentIndex(listed ? position : -1);
    };
    connect(list, &QComboBox::activated, this, [this, list, set = field.set, show](int position) {
        if (position < 0)
            return;
        applyEdit(controlStep(list), [&](Document::Contents &c) { return set(c, position); });
        // A value no entry held was shown as text; the choice replaces it.
        show();
    });
    m_bindings.append({list, show});
    return list;
}

QCheckBox *EditorWindow::bindCheck(QCheckBox *box, FieldAccess<bool> field, const BiText *caption)
{
    if (caption)
        nameStep(box, *caption);
    connect(box, &QCheckBox::clicked, this, [this, box, set = field.set](bool on) {
        const StepLabel label = m_captions.contains(box) || box->text().isEmpty()
                                    ? controlStep(box)
                                    : stepLabel(StepLabel(box->text(), box->text()));
        applyEdit(label, [&](Document::Contents &c) { return set(c, on); });
    });
    m_bindings.append({box, [this, box, get = field.get] { box->setChecked(get(m_document.contents())); }});
    return box;
}

QLineEdit *EditorWindow::bindText(QLineEdit *box, FieldAccess<QString> field, const KeyPolicy::Rule &keys)
{
    KeyPolicy::install(box, keys);
    // Only the user's edits store; the text a redisplay sets does not come here.
    connect(box, &QLineEdit::textEdited, this, [this, box, set = field.set](const QString &text) {
        applyEdit(controlStep(box), [&](Document::Contents &c) { return set(c, text); }, mergeKeyOf(box));
    });
    m_bindings.append({box, [this, box, get = field.get] { box->setText(get(m_document.contents())); }});
    return box;
}

QLineEdit *EditorWindow::bindNumber(QLineEdit *box, FieldAccess<int> field, NumberRange range)
{
    auto show = [this, box, get = field.get] { box->setText(QString::number(get(m_document.contents()))); };
    connect(box, &QLineEdit::textEdited, this,
            [this, box, field, range](const QString &text) { numberEdited(box, field, range, text); });
    connect(box, &QLineEdit::editingFinished, this, [box, show] {
        if (box->text().trimmed().isEmpty())
            show();
    });
    m_bindings.append({box, show});
    return box;
}

void EditorWindow::numberEdited(QLineEdit *box, const FieldAccess<int> &field, const NumberRange &range,
                                const QString &text)
{
    int value = 0;
    const NumberEntry entry = checkNumberEntry(text, range.maximum, &value);
    if (entry == NumberEntry::Empty)
        return; // nothing to store yet; leaving the box shows the stored value again
    const bool valid = entry == NumberEntry::Valid;
    if (!valid)
        value = range.fallback();
    applyEdit(controlStep(box), [&](Document::Contents &c) { return field.set(c, value); }, mergeKeyOf(box));
    if (valid)
        return;
    box->setText(QString::number(value));
    MessageBox::show(this, range.title.text(), entry == NumberEntry::NotDigits ? range.notDigits : range.outOfRange,
                     MessageBox::Icon::Information);
}

void EditorWindow::showBindings()
{
    for (const Binding &b : m_bindings)
        b.show();
}

bool EditorWindow::shows(const DocumentRanges &ranges) const
{
    const AreaTransfer t = transfer();
    for (const AreaTransfer::Block &b : t.reads()) {
        if (b.place == AreaTransfer::Place::Array && touchesPart(ranges, DocumentRange::Part::Alignment))
            return true;
        if (b.place == AreaTransfer::Place::ImageRows
            && touchesImage(ranges, MemoryImage::addressOf(b.offset, 0), MemoryImage::addressOf(b.offset, 0) + Area::BlockBytes - 1))
            return true;
    }
    for (const AreaTransfer::FrameSource &f : t.writes()) {
        if (f.place == AreaTransfer::Place::Array && touchesPart(ranges, DocumentRange::Part::Alignment))
            return true;
        if (f.place == AreaTransfer::Place::ImageRows
            && touchesImage(ranges, MemoryImage::addressOf(f.offset, 0), MemoryImage::addressOf(f.offset, 0) + Area::FrameBytes - 1))
            return true;
    }
    return false;
}

void EditorWindow::followChange(const DocumentRanges &)
{
    redisplay();
}

const BiText *EditorWindow::buttonCaption(Action action) const
{
    for (const Button &b : m_buttonLayout) {
        if (b.action == action)
            return &b.caption;
    }
    return nullptr;
}

QRect EditorWindow::placement(const QSize &mainWindow, const QSize &clientArea, double widthDivisor,
                              double heightDivisor)
{
    const QSize size(int(mainWindow.width() / widthDivisor), int(mainWindow.height() / heightDivisor));
    const QSize fitted = size.boundedTo(clientArea);
    return QRect(QPoint(std::max(0, (clientArea.width() - fitted.width()) / 2),
                        std::max(0, (clientArea.height() - fitted.height()) / 2)),
                 fitted);
}

QRect EditorWindow::placement(const QSize &mainWindow, const QSize &clientArea) const
{
    return placement(mainWindow, clientArea, m_setup.widthDivisor, m_setup.heightDivisor);
}

QHBoxLayout *EditorWindow::makeButtonRow(const QVector<Button> &buttons, bool withProgress)
{
    auto *row = new QHBoxLayout;
    if (withProgress) {
        row->addWidget(m_progress, 2);
        row->addWidget(m_status, 2);
        row->addStretch(1);
    }
    for (const Button &layout : buttons) {
        m_buttonLayout.append(layout);
        auto *b = new QPushButton(layout.caption.text(m_chinese), this);
        b->setObjectName(QString::fromLatin1(layout.objectName));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, layout] { trigger(layout); });
        m_buttons.insert(layout.action, b);
        row->addWidget(b);
    }
    return row;
}

QTableView *EditorWindow::makeGrid(const char *objectName, const BiText &caption, QAbstractItemModel *model,
                                   QAbstractItemView::EditTriggers edits, QTableView *view)
{
    QTableView *grid = view ? view : new QTableView(this);
    if (!view) {
        grid->setSelectionMode(QAbstractItemView::SingleSelection);
        grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    }
    grid->setObjectName(QString::fromLatin1(objectName));
    grid->setAccessibleName(caption.text(m_chinese));
    grid->setModel(model);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 8);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->setEditTriggers(edits);
    grid->setTabKeyNavigation(true);
    grid->setItemDelegate(new GridDelegate(grid));
    m_grids.append(grid);
    return grid;
}

void EditorWindow::fitGrid(QTableView *grid, int minimumRows)
{
    GridFit::install(grid, GridCell::EntriesRole, minimumRows);
}

void EditorWindow::leaveEditedCells()
{
    for (QTableView *grid : std::as_const(m_grids)) {
        const QModelIndex current = grid->currentIndex();
        if (current.isValid() && grid->model())
            grid->setCurrentIndex(grid->model()->index(current.row(), 0));
    }
}

void EditorWindow::showRefusal(const BiText &title, const BiText &text)
{
    // After the step: a message box runs an event loop of its own.
    Document::instance().whenSettled([this, title, text] { MessageBox::show(this, title.text(), text.text()); });
}

QLabel *EditorWindow::makeLabel(const BiText &text, QWidget *control)
{
    auto *label = new QLabel(text.text(m_chinese), this);
    if (control) {
        label->setBuddy(control);
        m_captions.insert(control, text);
        control->setAccessibleName(label->text().trimmed());
    }
    return label;
}

bool EditorWindow::refuseWhenBusy(const BiText *text)
{
    if (!text || !isBusy())
        return false;
    MessageBox::show(this, CommonText::PromptTitle.text(), text->text());
    return true;
}

void EditorWindow::trigger(const Button &button)
{
    if (refuseWhenBusy(button.busyText))
        return;
    switch (button.action) {
    case Action::Read: startRead(); break;
    case Action::Write: startWrite(); break;
    case Action::Clear:
        applyEdit(stepLabel(button.caption), [this](Document::Contents &c) {
            clearArea(c);
            return true;
        });
        redisplay();
        break;
    case Action::Default:
        applyEdit(stepLabel(button.caption), [this](Document::Contents &c) {
            loadDefaults(c);
            return true;
        });
        redisplay();
        break;
    case Action::Save: emit fileWindowRequested(m_setup.files, true); break;
    case Action::Open: emit fileWindowRequested(m_setup.files, false); break;
    case Action::Close: closeWindow(); break;
    }
}

void EditorWindow::startRead()
{
    // A second transfer never starts over a running one, whatever the button allows.
    if (isBusy())
        return;
    m_running = transfer();
    if (m_engine.startRead(m_running.readAddresses()))
        showConnecting();
}

void EditorWindow::startWrite()
{
    if (isBusy())
        return;
    const QString refusal = writeRefusal();
    if (!refusal.isEmpty()) {
        MessageBox::show(this, CommonText::PromptTitle.text(), refusal);
        return;
    }
    m_running = transfer();
    if (m_engine.startWrite(m_running.frames(m_document.image(), m_document.alignment())))
        showConnecting();
}

void EditorWindow::showTransferProgress(int done, int total)
{
    if (total <= 0)
        return;
    if (m_engine.direction() == ExchangeEngine::Direction::Read) {
        const int k = std::min(done + 1, total);
        setStatus(CommonText::readingBlock(k, m_chinese));
        setProgress(int(std::floor(k * 100.0 / (total + 1))));
    } else if (m_engine.direction() == ExchangeEngine::Direction::Write) {
        setStatus(CommonText::writingBlock(std::min(done + 1, total), m_chinese));
        setProgress(done * 100 / total);
    }
}

void EditorWindow::transferFinished()
{
    const Texts &t = m_setup.texts;
    if (m_engine.direction() == ExchangeEngine::Direction::Read) {
        // Every reply is checked before any is stored, so a bad one leaves the image (or
        // the array) as it was.
        const BiText *read = buttonCaption(Action::Read);
        const bool stored = applyEdit(stepLabel(read ? *read : CommonText::ReadStep), [this](Document::Contents &c) {
            return m_running.store(m_engine.receiveSlots(), c.image, &c.alignment);
        });
        if (!stored) {
            transferFailed();
            return;
        }
        afterRead();
        setProgress(100);
        MessageBox::show(this, t.completeTitle.text(), t.readComplete.text());
        setStatus(t.readDone);
    } else {
        setProgress(100);
        MessageBox::show(this, t.completeTitle.text(), t.writeComplete.text());
        setStatus(t.writeDone);
    }
}

void EditorWindow::transferFailed()
{
    m_engine.stop();
    MessageBox::show(this, CommonText::PromptTitle.text(), CommonText::FailConnect.text());
    setProgress(0);
    setStatus(m_setup.texts.fault);
    afterFinalFailure();
}

void EditorWindow::closeWindow()
{
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
        frame->close();
    else
        close();
}

void EditorWindow::closeEvent(QCloseEvent *event)
{
    if (isBusy()) {
        MessageBox::show(this, CommonText::PromptTitle.text(), CommonText::BusyCloseFrame.text());
        event->ignore();
        return;
    }
    m_engine.stop();
    emit closingFileWindows();
    event->accept();
}

void EditorWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Inside the frame, coming back to the front shows what a file load, a bulk read or
    // another editor changed meanwhile.
    if (m_setup.refreshOnActivation && !m_watchingActivation) {
        if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget())) {
            connect(frame, &QMdiSubWindow::windowStateChanged, this,
                    [this](Qt::WindowStates before, Qt::WindowStates now) {
                        if ((now & Qt::WindowActive) && !(before & Qt::WindowActive))
                            redisplay();
                    });
            m_watchingActivation = true;
        }
    }
}
