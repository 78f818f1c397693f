#include "signalling/signallinggridmodel.h"

SignallingGridModel::SignallingGridModel(Document &document, const BiText &headers, int rows, bool chinese,
                                         QObject *parent)
    : QAbstractTableModel(parent)
    , m_document(document)
    , m_image(document.image())
    , m_chinese(chinese)
    , m_headerTexts(headers)
    , m_rows(rows)
{
    for (QString h : headers.text(chinese).split(QLatin1Char('|'))) {
        const bool centred = h.startsWith(QLatin1Char('^'));
        if (centred)
            h.remove(0, 1);
        m_headers << h;
        m_centred << centred;
    }
}

int SignallingGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int SignallingGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_headers.size());
}

QVariant SignallingGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_headers.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return m_headers.at(section);
    if (role == Qt::TextAlignmentRole)
        return int(m_centred.at(section) ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags SignallingGridModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (editor(index.column()) != Editor::None)
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant SignallingGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int r = index.row();
    const int c = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: return cellText(r, c);
    case Qt::TextAlignmentRole: return int(Qt::AlignCenter);
    case GridCell::EditorRole: return int(editor(c));
    case GridCell::EntriesRole: return entries(c);
    case GridCell::PositionRole: return position(r, c);
    case GridCell::PresetRole: return preset(c);
    case GridCell::KeysRole: return QVariant::fromValue(KeyRule::characters(allowedKeys(c), maxLength(c)));
    case GridCell::StoreRole: return int(GridCell::Store::OnChoice);
    case GridCell::EnterRole:
        return int(editor(c) == Editor::Text ? GridCell::Enter::Commits : GridCell::Enter::Default);
    default: return {};
    }
}

bool SignallingGridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    bool stored = false;
    m_document.apply(cellStep(index.row(), index.column()), [&](Document::Contents &contents) {
        stored = m_editing.during(contents, [&] {
            return editor(index.column()) == Editor::List ? storePosition(index.row(), index.column(), value.toInt())
                                                          : storeText(index.row(), index.column(), value.toString());
        });
        return true; // a refused text may still have cleared what it replaced
    });
    // A refused text may have changed what the row shows too; show it all again.
    displayAll();
    return stored;
}

void SignallingGridModel::displayAll()
{
    if (m_rows > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(m_rows - 1, columnCount() - 1));
}

MemoryImage &SignallingGridModel::editing()
{
    return editingContents().image;
}

Document::Contents &SignallingGridModel::editingContents()
{
    return *m_editing;
}

StepLabel SignallingGridModel::cellStep(int row, int column) const
{
    auto header = [&](bool chinese) {
        const QStringList names = m_headerTexts.text(chinese).split(QLatin1Char('|'));
        QString name = column < names.size() ? names.at(column) : QString();
        name.remove(QLatin1Char('^'));
        return name.trimmed();
    };
    return {QStringLiteral("%1, row %2").arg(header(false)).arg(row + 1),
            QStringLiteral("%1，第 %2 行").arg(header(true)).arg(row + 1)};
}

StepLabel SignallingGridModel::rowStep(int row) const
{
    return {QStringLiteral("row %1").arg(row + 1), QStringLiteral("第 %1 行").arg(row + 1)};
}
