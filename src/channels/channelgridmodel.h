#pragma once

#include "image/document.h"
#include "texts/language.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <QVector>
#include <array>
#include <functional>


// The 200-channel table. The cells hold text, as the grid shows it; every accepted edit
// is encoded into the memory image at once and the row is then shown again from the
// image. A few cells deliberately show what was typed until the next redisplay (the
// band of a row that has no frequency yet, a name with characters the radio cannot
// store), which is how the user sees that a row is ready for its frequency or that a
// character was dropped.
class ChannelGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column {
        Number,
        Band,
        RxFrequency,
        TxFrequency,
        RxTone,
        TxTone,
        Power,
        Bandwidth,
        PttId,
        BusyLock,
        ScanAdd,
        SignalCode,
        Signalling,
        MuteMode,
        Scrambler,
        Name,
        ColumnCount
    };
    static constexpr int RowCount = 200;

    // The header texts are fixed in the language the window opened with.
    // Reads the document's image; every commit is one step of it.
    ChannelGridModel(Document &document, bool chinese, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Routes a committed text to the rule of its column; returns false when nothing was stored.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    QString cellText(int channel, int column) const;
    // Whether a cell opens an editor: the band, frequency and name cells always; the
    // others only once the row has a band, the transmit tone only with a receive frequency.
    bool canEdit(int channel, int column) const;
    static bool isTextColumn(int column);
    static bool isListColumn(int column);
    static bool isToneColumn(int column) { return column == RxTone || column == TxTone; }
    static QStringList listEntries(int column);

    // Where Enter takes the cursor from a cell; an invalid index when it stays.
    QModelIndex indexAfterEnter(const QModelIndex &from) const;

    void displayChannel(int channel);
    void displayAll();
    // After a read from the radio, names are shown with the radio's own character codes.
    void displayRadioNames();

    // The Clear and Default buttons, inside the change the window makes of them.
    static void clearAll(MemoryImage &image);
    static void loadDefaults(MemoryImage &image);
    // Shows the channels whose record or name a change touched.
    void followChange(const DocumentRanges &ranges);
    static StepLabel cellStep(int channel, int column);

    // Commit rules, one per kind of column; each is one document step.
    bool commitBand(int channel, const QString &text);
    bool commitRxFrequency(int channel, const QString &text);
    bool commitTxFrequency(int channel, const QString &text);
    bool commitTone(int channel, int column, const QString &text);
    bool commitListPosition(int channel, int column, int position);
    bool commitName(int channel, const QString &text);

signals:
    // A refused or corrected entry; the window shows it in the language of that moment.
    void refused(const BiText &title, const BiText &text);

private:
    bool commitBandNow(int channel, const QString &text);
    bool commitRxFrequencyNow(int channel, const QString &text);
    bool commitTxFrequencyNow(int channel, const QString &text);
    bool commitToneNow(int channel, int column, const QString &text);
    bool commitListPositionNow(int channel, int column, int position);
    bool commitNameNow(int channel, const QString &text);
    // Runs a commit as one step; the commit writes editing().
    bool edit(int channel, int column, const std::function<bool()> &commit);
    MemoryImage &editing();

    void setCell(int channel, int column, const QString &text);
    void emitRowChanged(int channel);
    QString bandLowerText() const;

    Document &m_document;
    MemoryImage *m_editing = nullptr;
    // From the start of the grid's own step to its announcement.
    bool m_applying = false;
    QStringList m_headers;
    QVector<std::array<QString, ColumnCount>> m_cells;
};
