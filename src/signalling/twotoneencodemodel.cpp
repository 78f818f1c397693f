#include "signalling/twotoneencodemodel.h"

#include "signalling/twotonearea.h"
#include "signalling/twotonetexts.h"

using namespace TwoToneArea;

TwoToneEncodeModel::TwoToneEncodeModel(Document &document, bool chinese, QObject *parent)
    : SignallingGridModel(document, TwoToneText::EncodeHeaders, CodeCount, chinese, parent)
{
}

QString TwoToneEncodeModel::cellText(int row, int column) const
{
    if (column == Number)
        return QString::number(row + 1);
    return encodeToneText(storedHz(view(m_image), Offset::encodeTone(row + 1, column - FirstTone)));
}

SignallingGridModel::Editor TwoToneEncodeModel::editor(int column) const
{
    return column == Number ? Editor::None : Editor::Text;
}

QString TwoToneEncodeModel::allowedKeys(int) const
{
    return QStringLiteral("0123456789.");
}

int TwoToneEncodeModel::maxLength(int) const
{
    return 10;
}

bool TwoToneEncodeModel::storeText(int row, int column, const QString &text)
{
    if (column == Number)
        return false;
    const ToneInput input = parseEncodeTone(text);
    if (input.kind == ToneInput::Kind::OutOfRange)
        emit refused(TwoToneText::RangeTitle, TwoToneText::OutOfRange);
    // A refused or empty cell stores no tone.
    AreaView area = view(editing());
    storeHz(area, Offset::encodeTone(row + 1, column - FirstTone), input.hz);
    return true;
}
