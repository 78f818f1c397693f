#pragma once

#include "editor/edittarget.h"
#include "image/document.h"

#include "texts/language.h"

#include <QAbstractTableModel>
#include <QStringList>

class MemoryImage;

// The FM grid: a number column, the frequency and the station name of the 16 presets,
// and one spare row below them. Reads from and writes to the memory image at once; an
// edit is checked here and refused with a message through `refused`.
class FmGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Number, Frequency, Name, ColumnCount };
    static constexpr int RowCount = 17; // 16 presets and the spare row

    // Reads the document's image; every committed cell is one step of it.
    FmGridModel(Document &document, bool chinese, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

    // The shown text; what redisplay() last decoded, or what an edit left there.
    QString cellText(int row, int column) const;
    // Decodes every preset again; never writes.
    void displayAll();

signals:
    void refused(const BiText &title, const BiText &text);

private:
    void setFrequency(int channel, const QString &typed);
    void setName(int channel, const QString &typed);
    void showChannel(int channel);

    Document &m_document;
    // The image to write, inside the step of a committed cell.
    EditTarget<MemoryImage> m_editing;
    bool m_chinese;
    QStringList m_headers;
    QString m_cells[16][2];
};
