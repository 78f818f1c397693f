#include "fm/fmgridmodel.h"

#include "fm/fmpresets.h"
#include "fm/fmtexts.h"
#include "image/frequencycodec.h"
#include "image/memoryimage.h"
#include "editor/gridcell.h"
#include "texts/commontexts.h"

FmGridModel::FmGridModel(Document &document, bool chinese, QObject *parent)
    : QAbstractTableModel(parent)
    , m_document(document)
    , m_chinese(chinese)
{
    for (QString h : FmText::Headers.text(chinese).split(QLatin1Char('|'))) {
        if (h.startsWith(QLatin1Char('^')))
            h.remove(0, 1);
        m_headers << h;
    }
    displayAll();
}

int FmGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : RowCount;
}

int FmGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString FmGridModel::cellText(int row, int column) const
{
    if (row < 0 || row >= FmPreset::Count)
        return QString();
    if (column == Number)
        return QString::number(row + 1);
    if (column == Frequency || column == Name)
        return m_cells[row][column - 1];
    return QString();
}

QVariant FmGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return cellText(index.row(), index.column());
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    // Both columns are typed freely and checked when stored; Enter is the view's own.
    if (role == GridCell::EditorRole)
        return int(flags(index) & Qt::ItemIsEditable ? GridCell::Editor::Text : GridCell::Editor::None);
    return QVariant();
}

QVariant FmGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_headers.size())
        return m_headers.at(section);
    if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return QVariant();
}

Qt::ItemFlags FmGridModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.row() < FmPreset::Count && index.column() != Number)
        f |= Qt::ItemIsEditable;
    return f;
}

bool FmGridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const int row = index.row();
    const bool frequency = index.column() == Frequency;
    auto header = [&](bool chinese) {
        QString h = FmText::Headers.text(chinese).split(QLatin1Char('|')).value(index.column());
        return h.remove(QLatin1Char('^')).simplified();
    };
    const StepLabel label(QStringLiteral("FM %1 %2").arg(row + 1).arg(header(false)),
                          QStringLiteral("FM %1 %2").arg(row + 1).arg(header(true)));
    m_document.applyToImage(label, [&](MemoryImage &image) {
        m_editing.during(image, [&] {
            if (frequency)
                setFrequency(row, value.toString());
            else
                setName(row, value.toString());
        });
        return true;
    });
    return true;
}

void FmGridModel::setFrequency(int channel, const QString &typed)
{
    const QString t = typed.trimmed();
    if (t.isEmpty()) {
        FmPreset::setEmpty(*m_editing, channel);
        showChannel(channel);
        return;
    }
    const std::optional<qint64> hz = FmPreset::parseTyped(t);
    const bool ok = hz && FmPreset::inRange(*hz);
    FmPreset::store(*m_editing, channel, ok ? *hz : FmPreset::LowestHz, m_cells[channel][1]);
    showChannel(channel);
    if (!ok)
        emit refused(CommonText::PromptTitle, FmText::OutOfRange);
}

void FmGridModel::setName(int channel, const QString &typed)
{
    // A preset without a frequency keeps no name.
    if (FmPreset::isEmpty(m_document.image(), channel)) {
        showChannel(channel);
        return;
    }
    const QString name = typed.trimmed();
    const bool tooLong = name.size() > FmPreset::MaxNameLength;
    FmPreset::storeName(*m_editing, channel, name.left(FmPreset::MaxNameLength));
    showChannel(channel);
    if (tooLong)
        emit refused(CommonText::PromptTitleCapital, FmText::NameTooLong);
}

void FmGridModel::showChannel(int channel)
{
    m_cells[channel][0] = FmPreset::frequencyText(m_document.image(), channel);
    m_cells[channel][1] = FmPreset::nameText(m_document.image(), channel);
    emit dataChanged(index(channel, Frequency), index(channel, Name));
}

void FmGridModel::displayAll()
{
    for (int ch = 0; ch < FmPreset::Count; ++ch) {
        m_cells[ch][0] = FmPreset::frequencyText(m_document.image(), ch);
        m_cells[ch][1] = FmPreset::nameText(m_document.image(), ch);
    }
    emit dataChanged(index(0, 0), index(RowCount - 1, ColumnCount - 1));
}
