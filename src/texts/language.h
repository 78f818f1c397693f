#pragma once

#include <QString>

// The process-wide language flag. It is not stored: every run starts in English.
class Language
{
public:
    static bool isChinese();
    static void setChinese(bool chinese);
};

// A user text in both languages, exactly as the radio's users know it.
struct BiText
{
    const char *en;
    const char *zh;

    QString text(bool chinese) const { return QString::fromUtf8(chinese ? zh : en); }
    // In the language the flag holds now.
    QString text() const { return text(Language::isChinese()); }
};

