#pragma once

#include "image/memoryimage.h"
#include "texts/language.h"

#include <QByteArray>
#include <QObject>
#include <QVector>
#include <functional>

class QUndoStack;

// The name of one undo step in both languages ("channel 12 RX frequency").
struct StepLabel
{
    QString en;
    QString zh;

    StepLabel() = default;
    StepLabel(const QString &english, const QString &chinese)
        : en(english)
        , zh(chinese)
    {
    }
    StepLabel(const BiText &text) // NOLINT: every caption pair names a step as it stands
        : en(text.text(false))
        , zh(text.text(true))
    {
    }
    QString text(bool chinese) const { return chinese ? zh : en; }
    QString text() const { return text(Language::isChinese()); }
};

// Bytes of one part of the document that a change or an undo touched, [first, first + count).
struct DocumentRange
{
    // Origin: the data origin's text (always kept whole), so that undo takes it back too.
    enum class Part { Image, Alignment, FiveToneDecode, Origin };
    Part part;
    int first;
    int count;

    bool overlaps(Part p, int begin, int end) const { return part == p && first < end && begin < first + count; }
};
using DocumentRanges = QVector<DocumentRange>;

// The bytes of one run that a step changed: what they were and what they became. A part
// whose length changed (the decode table's byte form) is kept whole.
struct DocumentPiece
{
    DocumentRange::Part part;
    int offset;
    QByteArray before;
    QByteArray after;
    bool whole = false;
};

// Whether any of `ranges` touches image bytes [firstAddress, lastAddress].
bool touchesImage(const DocumentRanges &ranges, int firstAddress, int lastAddress);
bool touchesPart(const DocumentRanges &ranges, DocumentRange::Part part);

// Everything the user edits: the memory image, the alignment block (kept apart from the
// image, as the radio's factory data) and the 5-tone decode table (kept for the run only).
//
// It is the one door for changes. A change runs on the contents in place; the document
// compares them with what they were before, keeps exactly the bytes that differ as one
// undo step, and announces the ranges, so that every window follows whoever changed what.
// A change that refuses (returns false) leaves every byte as it was, and one that changes
// nothing makes no step.
class Document : public QObject
{
    Q_OBJECT
public:
    static constexpr int AlignmentBytes = 256;
    static constexpr int HistoryLimit = 10000;

    struct Contents
    {
        MemoryImage image;
        QByteArray alignment = QByteArray(AlignmentBytes, char(MemoryImage::Empty));
        // The 5-tone decode table in its own byte form; its window decodes it.
        QByteArray fiveToneDecode;
        // Which radio the data came from (UTF-8); see DataOrigin.
        QByteArray origin;
    };
    using Change = std::function<bool(Contents &)>;
    using ImageChange = std::function<bool(MemoryImage &)>;

    // The program's one document. Tests may make their own.
    static Document &instance();

    Document();
    ~Document() override;

    const MemoryImage &image() const { return m_contents.image; }
    const QByteArray &alignment() const { return m_contents.alignment; }
    const QByteArray &fiveToneDecode() const { return m_contents.fiveToneDecode; }
    const Contents &contents() const { return m_contents; }

    // One user action. True when the change accepted it (whether or not a byte changed).
    // Steps with the same non-zero `mergeKey` that follow one another directly become one
    // (the keystrokes of one text box). A change made from inside another change becomes
    // part of the outer step.
    bool apply(const StepLabel &label, const Change &change, int mergeKey = 0);
    bool applyToImage(const StepLabel &label, const ImageChange &change, int mergeKey = 0);

    // The start-up state: not an undo step, and the history starts afresh from it.
    void initialise(const Change &change);

    bool isChanging() const { return m_depth > 0; }
    // Runs `then` now, or after the change under way has ended when called from inside
    // one: a message box's own event loop must never run in the middle of a change.
    void whenSettled(const std::function<void()> &then);
    QUndoStack &history() { return *m_history; }
    bool canUndo() const;
    bool canRedo() const;
    void undo();
    void redo();
    // The name of the step Undo or Redo would take, in the given language; empty for none.
    QString undoLabel(bool chinese) const;
    QString redoLabel(bool chinese) const;

    // Writes bytes back as a step keeps them; for the steps themselves. `label` names the
    // step being undone or redone for the recorder.
    void restore(const QVector<DocumentPiece> &pieces, bool after, const StepLabel *label = nullptr);

    // Sets the data origin without an undo step: what a write confirmed the radio holds.
    void adoptOrigin(const QString &number);

    // What a recorder (the run's journal) is told after every change of the contents, before
    // the call that made it returns: the pieces, and whether their `after` (a step, a
    // redo) or their `before` bytes (an undo) are what the contents now hold.
    enum class StepKind : uint8_t { Apply = 1, Undo = 2, Redo = 3, Origin = 4, Start = 5 };
    using Recorder = std::function<void(StepKind, const StepLabel &, const QVector<DocumentPiece> &, bool after)>;
    void setRecorder(Recorder recorder) { m_recorder = std::move(recorder); }

signals:
    void changed(const DocumentRanges &ranges);

private:
    Contents m_contents;
    QUndoStack *m_history;
    int m_depth = 0;
    QVector<std::function<void()>> m_settled;
    Recorder m_recorder;
};

// The runs in which `before` and `after` differ.
QVector<DocumentPiece> differences(const Document::Contents &before, const Document::Contents &after);
DocumentRanges rangesOf(const QVector<DocumentPiece> &pieces);
