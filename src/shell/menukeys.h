#pragma once

class MainWindow;

// The keys people expect of the main window's menus: Ctrl+O and Ctrl+S for File > Open
// and File > Save, and Alt and a letter for the entries of the menu bar.
//
// An English caption carries its letter as a mnemonic ("&File", underlined). A Chinese
// caption has no letter to underline, and "文件(&F)" would change the caption, so there
// the caption stays as it is and a shortcut of the main window opens the entry instead.
namespace MenuKeys {

// Once, after the menus are built.
void install(MainWindow *window);
// After every caption change: marks the English captions, switches the Chinese keys.
void applyLanguage(MainWindow *window, bool chinese);

} // namespace MenuKeys
