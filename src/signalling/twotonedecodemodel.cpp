#include "signalling/twotonedecodemodel.h"

#include "signalling/twotonearea.h"
#include "signalling/twotonetexts.h"

using namespace TwoToneArea;

TwoToneDecodeModel::TwoToneDecodeModel(Document &document, bool chinese, QObject *parent)
    : SignallingGridModel(document, TwoToneText::DecodeHeaders, CodeCount, chinese, parent)
{
}

uint8_t TwoToneDecodeModel::byte(int row, int column) const
{
    return view(m_image).byte(Offset::decodeRow(row + 1) + column - 1);
}

QString TwoToneDecodeModel::cellText(int row, int column) const
{
    if (column == Number)
        return QString::number(row + 1);
    const uint8_t b = byte(row, column);
    switch (kindOf(column)) {
    case Kind::Pair: return pairText(b);
    case Kind::Response: return responseText(b, m_chinese);
    case Kind::Alert: return alertText(b);
    }
    return {};
}

SignallingGridModel::Editor TwoToneDecodeModel::editor(int column) const
{
    return column == Number ? Editor::None : Editor::List;
}

QStringList TwoToneDecodeModel::entries(int column) const
{
    if (column == Number)
        return {};
    switch (kindOf(column)) {
    case Kind::Pair: return pairTexts();
    case Kind::Response: return responseTexts(m_chinese);
    case Kind::Alert: return alertTexts();
    }
    return {};
}

int TwoToneDecodeModel::position(int row, int column) const
{
    if (column == Number)
        return -1;
    const uint8_t b = byte(row, column);
    switch (kindOf(column)) {
    case Kind::Pair: return b < PairCount ? b : -1;
    case Kind::Response: return b == 0xFF ? -1 : (b < ResponseCount ? b : 0);
    case Kind::Alert: return b >= 1 && b <= AlertCount ? b - 1 : -1;
    }
    return -1;
}

int TwoToneDecodeModel::preset(int column) const
{
    // An empty cell's list opens on "A-B", the third response or alert "1".
    return column != Number && kindOf(column) == Kind::Response ? 2 : 0;
}

bool TwoToneDecodeModel::storePosition(int row, int column, int position)
{
    if (column == Number || position < 0 || position >= entries(column).size())
        return false;
    // The alert byte holds the alert number itself.
    const int value = kindOf(column) == Kind::Alert ? position + 1 : position;
    AreaView area = view(editing());
    area.setByte(Offset::decodeRow(row + 1) + column - 1, uint8_t(value));
    return true;
}

void TwoToneDecodeModel::clearRow(int row)
{
    m_document.applyToImage(rowStep(row), [row](MemoryImage &image) {
        view(image).fill(Offset::decodeRow(row + 1), 3 * GroupCount, 0xFF);
        return true;
    });
    displayAll();
}
