#include "signalling/fivetonedecodemodel.h"

#include "signalling/fivetonearea.h"
#include "signalling/fivetonedecodetable.h"
#include "signalling/fivetonestandards.h"
#include "signalling/fivetonetexts.h"
#include "texts/commontexts.h"
#include "texts/languagetable.h"

FiveToneDecodeModel::FiveToneDecodeModel(Document &document, bool chinese, QObject *parent)
    : SignallingGridModel(document, FiveToneText::DecodeHeaders, FiveToneDecodeTable::CodeCount, chinese, parent)
{
}

const FiveToneDecodeTable &FiveToneDecodeModel::table() const
{
    const QByteArray &now = m_document.fiveToneDecode();
    if (now != m_decodedFrom) {
        m_table = FiveToneDecodeTable::fromBytes(now);
        m_decodedFrom = now;
    }
    return m_table;
}

QStringList FiveToneDecodeModel::callFunctions() const
{
    // The window keeps the language it opened in, whatever the table holds now.
    return LanguageTable::build(m_chinese).fiveToneCallFunctions;
}

QString FiveToneDecodeModel::cellText(int row, int column) const
{
    const FiveToneDecodeTable::Code &code = table().code(row + 1);
    switch (column) {
    case Number: return QString::number(row + 1);
    case Standard: return FiveToneStandards::name(code.standard);
    case Transpond: return code.transpond;
    default:
        break;
    }
    if (isFrame(column))
        return code.frames[frameOf(column)];
    const int function = code.callFunction[frameOf(column - 1)];
    const QStringList list = callFunctions();
    return function >= 0 && function < list.size() ? list.at(function) : QString();
}

SignallingGridModel::Editor FiveToneDecodeModel::editor(int column) const
{
    if (column == Number)
        return Editor::None;
    return isFrame(column) || column == Transpond ? Editor::Text : Editor::List;
}

QStringList FiveToneDecodeModel::entries(int column) const
{
    if (column == Standard)
        return FiveToneArea::standardNames();
    if (editor(column) == Editor::List)
        return callFunctions();
    return {};
}

int FiveToneDecodeModel::position(int row, int column) const
{
    const FiveToneDecodeTable::Code &code = table().code(row + 1);
    if (column == Standard)
        return code.standard < FiveToneArea::StandardCount ? code.standard : -1;
    if (editor(column) == Editor::List)
        return code.callFunction[frameOf(column - 1)];
    return -1;
}

QString FiveToneDecodeModel::allowedKeys(int) const
{
    return QStringLiteral("0123456789ABCDEFabcdef");
}

int FiveToneDecodeModel::maxLength(int) const
{
    return FiveToneArea::FrameDigits;
}

bool FiveToneDecodeModel::storeText(int row, int column, const QString &text)
{
    if (!isFrame(column) && column != Transpond)
        return false;
    switch (FiveToneDecodeTable::check(text)) {
    case FiveToneDecodeTable::FrameCheck::WrongLength:
        emit refused(CommonText::PromptTitleCapital, FiveToneText::DecodeDigits);
        return false;
    case FiveToneDecodeTable::FrameCheck::WrongCharacter:
        emit refused(CommonText::PromptTitleCapital, FiveToneText::DecodeCharacters);
        return false;
    case FiveToneDecodeTable::FrameCheck::Accepted:
        break;
    }
    FiveToneDecodeTable edited = table();
    FiveToneDecodeTable::Code &code = edited.code(row + 1);
    const QString upper = text.trimmed().toUpper();
    if (column == Transpond)
        code.transpond = upper;
    else
        code.frames[frameOf(column)] = upper;
    editingContents().fiveToneDecode = edited.toBytes();
    return true;
}

bool FiveToneDecodeModel::storePosition(int row, int column, int position)
{
    if (position < 0 || position >= entries(column).size())
        return false;
    FiveToneDecodeTable edited = table();
    FiveToneDecodeTable::Code &code = edited.code(row + 1);
    if (column == Standard)
        code.standard = position;
    else if (editor(column) == Editor::List)
        code.callFunction[frameOf(column - 1)] = position;
    else
        return false;
    editingContents().fiveToneDecode = edited.toBytes();
    return true;
}
