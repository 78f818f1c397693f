#pragma once

#include "shell/language.h"

#include <QString>

// What a file operation reports back to its window. The model never shows anything;
// the window shows `message()` in the language of the moment.
struct FileResult
{
    bool ok = true;
    QString messageEn;
    QString messageZh;

    QString message(bool chinese) const { return chinese ? messageZh : messageEn; }
    QString message() const { return message(Language::isChinese()); }

    static FileResult success() { return FileResult{}; }
    static FileResult failure(const QString &en, const QString &zh) { return FileResult{false, en, zh}; }
};
