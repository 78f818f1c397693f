#include "signalling/fivetonestandardsmodel.h"

#include "signalling/fivetonearea.h"
#include "signalling/fivetonestandards.h"
#include "signalling/fivetonetexts.h"

using namespace FiveToneArea;

namespace {
const ListField &fieldOf(int row, int column)
{
    switch (column) {
    case FiveToneStandardsModel::Period: return period(row);
    case FiveToneStandardsModel::GroupTone: return groupTone(row);
    default: return repeatTone(row);
    }
}
} // namespace

FiveToneStandardsModel::FiveToneStandardsModel(Document &document, bool chinese, QObject *parent)
    : SignallingGridModel(document, FiveToneText::StandardHeaders, StandardCount, chinese, parent)
{
}

QString FiveToneStandardsModel::cellText(int row, int column) const
{
    if (column == Name)
        return FiveToneStandards::name(row);
    return Fields::decodeText(view(m_image), fieldOf(row, column), m_chinese);
}

SignallingGridModel::Editor FiveToneStandardsModel::editor(int column) const
{
    return column == Name ? Editor::None : Editor::List;
}

QStringList FiveToneStandardsModel::entries(int column) const
{
    return column == Name ? QStringList() : fieldOf(0, column).entries.list(m_chinese);
}

int FiveToneStandardsModel::position(int row, int column) const
{
    return column == Name ? -1 : Fields::decodePosition(view(m_image), fieldOf(row, column));
}

bool FiveToneStandardsModel::storePosition(int row, int column, int position)
{
    if (column == Name)
        return false;
    AreaView area = view(editing());
    return Fields::encodePosition(area, fieldOf(row, column), position);
}
