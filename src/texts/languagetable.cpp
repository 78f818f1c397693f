#include "texts/languagetable.h"

#include "texts/language.h"

namespace {
LanguageTable &table()
{
    static LanguageTable t = LanguageTable::build(false);
    return t;
}
} // namespace

LanguageTable LanguageTable::build(bool chinese)
{
    LanguageTable t;
    if (chinese) {
        t.aboutProduct = QStringLiteral("Orvane 双段车载电台编程软件");
        t.aboutRights = QStringLiteral("版权所有，保留一切权利。");
        t.aboutDesigner = QStringLiteral("本软件由 Orvane 软件组设计。");
        t.aboutWarning = QStringLiteral("警告：本软件受著作权法保护。未经授权擅自复制或传播本软件或其任何部分，"
                                        "将依法追究民事和刑事责任。");
        t.aboutOk = QStringLiteral("确定");
        t.aboutSystemInfo = QStringLiteral("系统信息(&S)...");
        t.twoToneReplies = {QStringLiteral("0.无"), QStringLiteral("1.提醒"), QStringLiteral("2.回复"),
                            QStringLiteral("3.提醒并回")};
        t.fiveToneCallFunctions = {QStringLiteral("0.通话"), QStringLiteral("1.主叫"), QStringLiteral("2.被叫"),
                                   QStringLiteral("3.监听"), QStringLiteral("4.巡查"), QStringLiteral("5.报警"),
                                   QStringLiteral("6.遥晕"), QStringLiteral("7.遥毙"), QStringLiteral("8.开机")};
    } else {
        t.aboutProduct = QStringLiteral("Orvane dual-band mobile radio programming software");
        t.aboutRights = QStringLiteral("All rights reserved.");
        t.aboutDesigner = QStringLiteral("Designed by the Orvane software group.");
        t.aboutWarning = QStringLiteral("Warning: this program is protected by copyright law. Unauthorised copying "
                                        "or distribution of this program, or of any part of it, will be prosecuted.");
        t.aboutOk = QStringLiteral("Confirm");
        t.aboutSystemInfo = QStringLiteral("System Information(&S)...");
        t.twoToneReplies = {QStringLiteral("0.None"), QStringLiteral("1.Alert"), QStringLiteral("2.Transpond"),
                            QStringLiteral("3.Alert+Transpond")};
        t.fiveToneCallFunctions = {QStringLiteral("0.Open Speak"), QStringLiteral("1.Primary Caller ID"),
                                   QStringLiteral("2.Secondary Caller ID"), QStringLiteral("3.Monitor"),
                                   QStringLiteral("4.Inspection "), QStringLiteral("5.Emergency"),
                                   QStringLiteral("6.Stun"), QStringLiteral("7.Kill"), QStringLiteral("8.Revive")};
    }
    return t;
}

const LanguageTable &LanguageTable::current()
{
    return table();
}

void LanguageTable::rebuild()
{
    table() = build(Language::isChinese());
}
