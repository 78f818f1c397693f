#pragma once

#include "image/document.h"
#include "editor/edittarget.h"
#include "editor/gridcell.h"
#include "texts/language.h"

#include <QAbstractTableModel>
#include <QStringList>

// What the signalling grids share: header texts in the grid's own "^a|^b" form (a "^"
// centres its column), and how a cell is edited, told to the grid delegate by the
// GridCell roles: a text takes only its own keys up to its length, and Enter stores it;
// a list opens on the stored entry (or the column's preset) and stores the one chosen.
class SignallingGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using Editor = GridCell::Editor;
    // The grid frame fits its columns to the list entries too.
    static constexpr int EntriesRole = GridCell::EntriesRole;

    // Reads the document's image; every stored cell is one step of it.
    SignallingGridModel(Document &document, const BiText &headers, int rows, bool chinese, QObject *parent);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    // Everything shown again from where it is stored.
    void displayAll();

    virtual QString cellText(int row, int column) const = 0;
    virtual Editor editor(int column) const { Q_UNUSED(column) return Editor::None; }
    virtual QStringList entries(int column) const { Q_UNUSED(column) return {}; }
    virtual int position(int row, int column) const { Q_UNUSED(row) Q_UNUSED(column) return -1; }
    virtual int preset(int column) const { Q_UNUSED(column) return 0; }
    virtual QString allowedKeys(int column) const { Q_UNUSED(column) return {}; }
    virtual int maxLength(int column) const { Q_UNUSED(column) return 0; }

signals:
    // A refused input: the window shows the message with this title and text.
    void refused(const BiText &title, const BiText &text);

protected:
    // A typed text or a chosen list position; true when something was stored.
    virtual bool storeText(int row, int column, const QString &text)
    {
        Q_UNUSED(row) Q_UNUSED(column) Q_UNUSED(text) return false;
    }
    virtual bool storePosition(int row, int column, int position)
    {
        Q_UNUSED(row) Q_UNUSED(column) Q_UNUSED(position) return false;
    }

    // What to write, inside the change a stored cell runs in.
    MemoryImage &editing();
    Document::Contents &editingContents();
    // A grid's step name: the column's header and the row ("Tone 1, row 3").
    StepLabel cellStep(int row, int column) const;
    StepLabel rowStep(int row) const;

    Document &m_document;
    const MemoryImage &m_image;
    const bool m_chinese;

private:
    BiText m_headerTexts;
    EditTarget<Document::Contents> m_editing;
    QStringList m_headers;
    QVector<bool> m_centred;
    int m_rows;
};
