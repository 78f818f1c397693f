#pragma once

class MainWindow;

// The keys people expect of the main window's menu bar: Alt and a letter for its entries
// (the entries' own keys, Ctrl+O and the like, are in their rows).
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
