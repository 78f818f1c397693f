#pragma once

#include <QString>
#include <QStringList>

// The language-dependent string table, rebuilt whenever the language flag changes.
struct LanguageTable
{
    QString aboutProduct;
    QString aboutRights;
    QString aboutDesigner;
    QString aboutWarning;
    QString aboutOk;
    QString aboutSystemInfo;
    QStringList twoToneReplies;      // 2-tone decode responses, index = stored code
    QStringList fiveToneCallFunctions;

    static LanguageTable build(bool chinese);
    static const LanguageTable &current();
    // Called at start-up and on every change of the flag.
    static void rebuild();
};
