#pragma once

#include "channels/channelclipboard.h"
#include "channels/channelcolumns.h"
#include "channels/channelmoves.h"
#include "editor/edittarget.h"
#include "image/document.h"
#include "texts/language.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <QVector>
#include <array>
#include <functional>
#include <optional>


// The 200-channel table. The cells hold text, as the grid shows it; every accepted edit
// is encoded into the memory image at once and the row is then shown again from the
// image. A few cells deliberately show what was typed until the next redisplay (the
// band of a row that has no frequency yet, a name with characters the radio cannot
// store), which is how the user sees that a row is ready for its frequency or that a
// character was dropped. The columns are those of the column table, in its order.
class ChannelGridModel : public QAbstractTableModel, public ChannelFields
{
    Q_OBJECT
public:
    using Column = Field;
    static constexpr int RowCount = 200;

    // The header texts are fixed in the language the window opened with.
    // Reads the document's image; every commit is one step of it.
    ChannelGridModel(Document &document, bool chinese, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Routes a committed text to the rule of its column; returns false when nothing was
    // stored. With several channels to edit (editTargets), a value of a column that can
    // be shared goes to all of them.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    QString cellText(int channel, int column) const;
    // Whether a cell opens an editor: the band, frequency and name cells always; the
    // others only once the row has a band, the transmit tone only with a receive frequency.
    bool canEdit(int channel, int column) const;
    static bool isTextColumn(int column);
    static bool isListColumn(int column);
    static bool isToneColumn(int column);
    static QStringList listEntries(int column);
    // Columns whose committed value may go to several channels at once.
    static bool isSharedColumn(int column);

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

    // One value of a shared column for every non-empty channel of `channels`, as one
    // step. The channels it cannot go to (empty, or the value fails the band check) keep
    // theirs, and one message lists them. False when no channel took it.
    bool commitToChannels(const QVector<int> &channels, int column, const QString &text);
    // Which channels an edit goes to: the selected ones. Unset, or a list without the
    // edited channel or of one channel, edits that channel alone; nullopt refuses the
    // edit (the window has said why).
    void setEditTargets(const std::function<std::optional<QVector<int>>()> &targets) { m_targets = targets; }

    // The channel editing actions; each is one step, and a refusal changes nothing.
    bool emptyChannels(const StepLabel &label, const QVector<int> &channels);
    // Refused with a message when no channel below is empty.
    bool insertEmptyChannels(int channel, int count);
    bool removeChannels(const QVector<int> &channels);
    bool moveChannels(const QVector<int> &channels, bool up);
    bool sortChannels(const QVector<int> &channels, ChannelMoves::SortKey key);
    ChannelClipboard::Paste paste(const QString &text, const QByteArray &bytes, int first);

    // "channel 3", "channels 3–7", "5 channels"
    static StepLabel channelsText(const QVector<int> &channels);

signals:
    // A refused or corrected entry; the window shows it in the language of that moment.
    void refused(const BiText &title, const BiText &text);
    // The same with a text made up for the occasion (a list of channels).
    void refusedWith(const BiText &title, const QString &english, const QString &chinese);

private:
    // What the grid delegate asks of a cell (the GridCell roles).
    QVariant cellEditing(const QModelIndex &index, int role) const;
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

    Document &m_document;
    EditTarget<MemoryImage> m_editing;
    // From the start of the grid's own step to its announcement.
    bool m_applying = false;
    QStringList m_headers;
    QVector<std::array<QString, ColumnCount>> m_cells;
    std::function<std::optional<QVector<int>>()> m_targets;
};
