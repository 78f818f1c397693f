#include "signalling/fivetoneencodemodel.h"

#include "signalling/fivetonearea.h"
#include "signalling/fivetonestandards.h"
#include "signalling/fivetonetexts.h"
#include "texts/commontexts.h"

using namespace FiveToneArea;

FiveToneEncodeModel::FiveToneEncodeModel(Document &document, bool chinese, QObject *parent)
    : SignallingGridModel(document, FiveToneText::EncodeHeaders, CodeCount, chinese, parent)
{
}

QString FiveToneEncodeModel::cellText(int row, int column) const
{
    const AreaView area = view(m_image);
    switch (column) {
    case Number: return QString::number(row + 1);
    case Standard: return FiveToneStandards::name(area.byte(Offset::encodeStandard(row + 1)));
    default: return frameText(area, row + 1, column - Frame1);
    }
}

SignallingGridModel::Editor FiveToneEncodeModel::editor(int column) const
{
    switch (column) {
    case Number: return Editor::None;
    case Standard: return Editor::List;
    default: return Editor::Text;
    }
}

QStringList FiveToneEncodeModel::entries(int column) const
{
    return column == Standard ? standardNames() : QStringList();
}

int FiveToneEncodeModel::position(int row, int column) const
{
    if (column != Standard)
        return -1;
    const int stored = view(m_image).byte(Offset::encodeStandard(row + 1));
    return stored < StandardCount ? stored : -1;
}

QString FiveToneEncodeModel::allowedKeys(int) const
{
    return QStringLiteral("0123456789ABCDEFabcdef");
}

int FiveToneEncodeModel::maxLength(int) const
{
    // A sixth digit would run into the next frame or the standard byte.
    return FrameDigits;
}

bool FiveToneEncodeModel::storeText(int row, int column, const QString &text)
{
    if (column < Frame1 || column > Frame3)
        return false;
    AreaView area = view(editing());
    if (storeFrame(area, row + 1, column - Frame1, text))
        return true;
    // A part of a frame never reaches the image: the frame keeps what it held.
    emit refused(CommonText::PromptTitleCapital, FiveToneText::EncodeDigits);
    return false;
}

bool FiveToneEncodeModel::storePosition(int row, int column, int position)
{
    if (column != Standard || position < 0 || position >= StandardCount)
        return false;
    view(editing()).setByte(Offset::encodeStandard(row + 1), uint8_t(position));
    return true;
}
