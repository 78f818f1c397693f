#include "image/document.h"

#include <QUndoCommand>
#include <QUndoStack>
#include <map>
#include <utility>

namespace {

QByteArray &partBytes(Document::Contents &c, DocumentRange::Part part)
{
    switch (part) {
    case DocumentRange::Part::Alignment: return c.alignment;
    case DocumentRange::Part::Origin: return c.origin;
    default: return c.fiveToneDecode;
    }
}

// Runs of differing bytes between two equally long byte strings.
void differingRuns(DocumentRange::Part part, const uint8_t *before, const uint8_t *after, int size,
                   QVector<DocumentPiece> &out)
{
    int i = 0;
    while (i < size) {
        if (before[i] == after[i]) {
            ++i;
            continue;
        }
        const int start = i;
        while (i < size && before[i] != after[i])
            ++i;
        out.append({part, start, QByteArray(reinterpret_cast<const char *>(before) + start, i - start),
                    QByteArray(reinterpret_cast<const char *>(after) + start, i - start)});
    }
}

void differingBytes(DocumentRange::Part part, const QByteArray &before, const QByteArray &after,
                    QVector<DocumentPiece> &out)
{
    if (before.size() != after.size()) {
        out.append({part, 0, before, after, true});
        return;
    }
    differingRuns(part, reinterpret_cast<const uint8_t *>(before.constData()),
                  reinterpret_cast<const uint8_t *>(after.constData()), before.size(), out);
}

// One undo step: the bytes it changed, before and after. The change itself already ran
// when the step is made, so its first redo only announces it.
class DocumentStep : public QUndoCommand
{
public:
    DocumentStep(Document &document, const StepLabel &label, QVector<DocumentPiece> pieces, int mergeKey)
        : QUndoCommand(label.en)
        , m_document(document)
        , m_label(label)
        , m_pieces(std::move(pieces))
        , m_mergeKey(mergeKey)
    {
    }

    const StepLabel &label() const { return m_label; }
    int id() const override { return m_mergeKey ? m_mergeKey : -1; }

    void redo() override
    {
        if (m_done) {
            m_document.restore(m_pieces, true, &m_label);
            return;
        }
        m_done = true;
        emit m_document.changed(rangesOf(m_pieces));
    }
    void undo() override { m_document.restore(m_pieces, false, &m_label); }

    bool mergeWith(const QUndoCommand *other) override
    {
        const auto *next = static_cast<const DocumentStep *>(other);
        // Byte by byte: the first step's before and the last one's after.
        using Key = std::pair<int, int>;
        std::map<Key, std::pair<char, char>> bytes;
        std::map<int, DocumentPiece> wholes;
        auto take = [&](const QVector<DocumentPiece> &pieces, bool first) {
            for (const DocumentPiece &p : pieces) {
                if (p.whole) {
                    auto it = wholes.find(int(p.part));
                    if (it == wholes.end())
                        wholes.emplace(int(p.part), p);
                    else
                        it->second.after = p.after;
                    continue;
                }
                for (int i = 0; i < p.after.size(); ++i) {
                    const Key key{int(p.part), p.offset + i};
                    auto it = bytes.find(key);
                    if (it == bytes.end())
                        bytes.emplace(key, std::pair{p.before[i], p.after[i]});
                    else if (!first)
                        it->second.second = p.after[i];
                }
            }
        };
        take(m_pieces, true);
        take(next->m_pieces, false);
        if (!wholes.empty())
            return false; // a whole part and bytes of it would not merge byte by byte
        QVector<DocumentPiece> merged;
        for (const auto &[key, values] : bytes) {
            if (values.first == values.second)
                continue;
            const auto part = DocumentRange::Part(key.first);
            if (!merged.isEmpty() && merged.last().part == part
                && merged.last().offset + merged.last().after.size() == key.second) {
                merged.last().before.append(values.first);
                merged.last().after.append(values.second);
            } else {
                merged.append({part, key.second, QByteArray(1, values.first), QByteArray(1, values.second)});
            }
        }
        m_pieces = merged;
        m_label = next->m_label;
        setText(m_label.en);
        // Typed and typed back: nothing left to undo.
        setObsolete(m_pieces.isEmpty());
        return true;
    }

private:
    Document &m_document;
    StepLabel m_label;
    QVector<DocumentPiece> m_pieces;
    int m_mergeKey;
    bool m_done = false;
};

const DocumentStep *stepAt(const QUndoStack &history, int index)
{
    if (index < 0 || index >= history.count())
        return nullptr;
    return static_cast<const DocumentStep *>(history.command(index));
}

} // namespace

bool touchesImage(const DocumentRanges &ranges, int firstAddress, int lastAddress)
{
    for (const DocumentRange &r : ranges) {
        if (r.overlaps(DocumentRange::Part::Image, firstAddress, lastAddress + 1))
            return true;
    }
    return false;
}

bool touchesPart(const DocumentRanges &ranges, DocumentRange::Part part)
{
    for (const DocumentRange &r : ranges) {
        if (r.part == part)
            return true;
    }
    return false;
}

QVector<DocumentPiece> differences(const Document::Contents &before, const Document::Contents &after)
{
    QVector<DocumentPiece> out;
    differingRuns(DocumentRange::Part::Image, before.image.data(), after.image.data(), MemoryImage::Size, out);
    differingBytes(DocumentRange::Part::Alignment, before.alignment, after.alignment, out);
    differingBytes(DocumentRange::Part::FiveToneDecode, before.fiveToneDecode, after.fiveToneDecode, out);
    // A text's bytes mean nothing one by one: the origin changes whole.
    if (before.origin != after.origin)
        out.append({DocumentRange::Part::Origin, 0, before.origin, after.origin, true});
    return out;
}

DocumentRanges rangesOf(const QVector<DocumentPiece> &pieces)
{
    DocumentRanges ranges;
    for (const DocumentPiece &p : pieces)
        ranges.append({p.part, p.offset, int(std::max(p.before.size(), p.after.size()))});
    return ranges;
}

Document &Document::instance()
{
    static Document document;
    return document;
}

Document::Document()
    : m_history(new QUndoStack(this))
{
    m_history->setUndoLimit(HistoryLimit);
}

Document::~Document() = default;

bool Document::apply(const StepLabel &label, const Change &change, int mergeKey)
{
    // The whole state is small (16 KB), so a copy before each change is the simplest
    // exact record of what it touched, whatever code did the writing.
    const Contents before = m_contents;
    ++m_depth;
    const bool accepted = change(m_contents);
    --m_depth;
    if (!accepted) {
        m_contents = before;
        if (m_depth == 0) {
            const QVector<std::function<void()>> settled = std::exchange(m_settled, {});
            for (const auto &then : settled)
                then();
        }
        return false;
    }
    if (m_depth > 0)
        return true; // part of the change that called this one
    QVector<DocumentPiece> pieces = differences(before, m_contents);
    if (!pieces.isEmpty()) {
        // Told before the push: a merge with the step before must not hide what this
        // change wrote.
        if (m_recorder)
            m_recorder(StepKind::Apply, label, pieces, true);
        m_history->push(new DocumentStep(*this, label, std::move(pieces), mergeKey));
    }
    const QVector<std::function<void()>> settled = std::exchange(m_settled, {});
    for (const auto &then : settled)
        then();
    return true;
}

void Document::whenSettled(const std::function<void()> &then)
{
    if (m_depth > 0)
        m_settled.append(then);
    else
        then();
}

bool Document::applyToImage(const StepLabel &label, const ImageChange &change, int mergeKey)
{
    return apply(label, [&change](Contents &c) { return change(c.image); }, mergeKey);
}

void Document::initialise(const Change &change)
{
    Contents fresh = m_contents;
    change(fresh);
    const QVector<DocumentPiece> pieces = differences(m_contents, fresh);
    m_contents = fresh;
    m_history->clear();
    if (m_recorder)
        m_recorder(StepKind::Start, StepLabel(), pieces, true);
    if (!pieces.isEmpty())
        emit changed(rangesOf(pieces));
}

void Document::adoptOrigin(const QString &number)
{
    const QByteArray bytes = number.toUtf8();
    if (bytes == m_contents.origin)
        return;
    const QVector<DocumentPiece> pieces{{DocumentRange::Part::Origin, 0, m_contents.origin, bytes, true}};
    m_contents.origin = bytes;
    if (m_recorder)
        m_recorder(StepKind::Origin, StepLabel(), pieces, true);
    emit changed(rangesOf(pieces));
}

void Document::restore(const QVector<DocumentPiece> &pieces, bool after, const StepLabel *label)
{
    for (const DocumentPiece &p : pieces) {
        const QByteArray &bytes = after ? p.after : p.before;
        if (p.part == DocumentRange::Part::Image) {
            for (int i = 0; i < bytes.size(); ++i)
                m_contents.image.setAt(p.offset + i, uint8_t(bytes[i]));
        } else if (p.whole) {
            partBytes(m_contents, p.part) = bytes;
        } else {
            partBytes(m_contents, p.part).replace(p.offset, bytes.size(), bytes);
        }
    }
    if (m_recorder)
        m_recorder(after ? StepKind::Redo : StepKind::Undo, label ? *label : StepLabel(), pieces, after);
    emit changed(rangesOf(pieces));
}

bool Document::canUndo() const
{
    return m_depth == 0 && m_history->canUndo();
}

bool Document::canRedo() const
{
    return m_depth == 0 && m_history->canRedo();
}

void Document::undo()
{
    if (canUndo())
        m_history->undo();
}

void Document::redo()
{
    if (canRedo())
        m_history->redo();
}

QString Document::undoLabel(bool chinese) const
{
    const DocumentStep *step = stepAt(*m_history, m_history->index() - 1);
    return step ? step->label().text(chinese) : QString();
}

QString Document::redoLabel(bool chinese) const
{
    const DocumentStep *step = stepAt(*m_history, m_history->index());
    return step ? step->label().text(chinese) : QString();
}
