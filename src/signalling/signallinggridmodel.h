#pragma once

#include "image/document.h"
#include "texts/language.h"

#include <QAbstractTableModel>
#include <QStringList>

// What the signalling grids share: header texts in the grid's own "^a|^b" form (a "^"
// centres its column), and how a cell is edited, told to the overlays by roles so one
// text overlay and one list overlay serve every grid.
class SignallingGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum class Editor { None, Text, List };
    enum Role {
        EditorRole = Qt::UserRole + 1, // Editor as int
        EntriesRole,                   // QStringList of a list cell
        PositionRole,                  // the entry the stored value shows, -1 for none
        PresetRole,                    // the entry an empty cell's list opens on
        AllowedKeysRole,               // QString of the characters a text cell takes
        MaxLengthRole,                 // int: the longest text a text cell takes
    };

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
    Document::Contents *m_editing = nullptr;
    QStringList m_headers;
    QVector<bool> m_centred;
    int m_rows;
};
