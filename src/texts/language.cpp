#include "texts/language.h"

#include "texts/qttranslation.h"

namespace {
bool g_chinese = false;
}

bool Language::isChinese()
{
    return g_chinese;
}

void Language::setChinese(bool chinese)
{
    g_chinese = chinese;
    QtTranslation::follow(chinese);
}
