#pragma once

// Qt's own texts (the OK of a message box, the file and print dialogs) in the language of
// the flag. The program's own captions do not go through Qt's translation at all: they are
// chosen when a window opens, so open windows keep theirs.
namespace QtTranslation {

// Installs Qt's Chinese translation for Chinese and removes it for English. Without an
// application object, or where the translation is not installed, Qt's texts stay English.
void follow(bool chinese);
// Whether Qt's Chinese translation is installed now.
bool isInstalled();

} // namespace QtTranslation
