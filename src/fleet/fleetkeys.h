#pragma once

#include <QString>
#include <QStringList>

// The configuration keys a radios table offers as its columns, and what the windows call
// each, so that a person picks "ANI  options.ani" rather than guessing a path.
namespace FleetKeys {

// ANI, the first power-on message line, the 5-tone self ID: what sets one radio of a
// fleet apart from the next.
QStringList defaultKeys();
// The default keys, then every key of the option, band, DTMF, 2-tone and 5-tone sections.
// A channel's or a preset's keys (channels.5.name) are typed.
QStringList offeredKeys();
// The window's caption of the key, or an empty text when it has none.
QString caption(const QString &path, bool chinese);
// "ANI  options.ani", or the path alone.
QString label(const QString &path, bool chinese);

} // namespace FleetKeys
