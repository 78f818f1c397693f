#pragma once

#include "image/bandlimits.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

class MemoryImage;

// The whole configuration as YAML a person can review: the channels, FM presets, optional
// features, band records and signalling by name, and every byte no name stands for as rows
// of hex under `raw`, so that importing an exported image gives it back byte for byte.
// Bytes in, bytes out: the caller reads and writes the files.
namespace ConfigText {

QByteArray exportImage(const MemoryImage &image);

struct ImportResult
{
    bool ok = false;
    // "PLAN.yaml:42 channels[3].rx: 520.5 is outside 400-480", in file order. When this is
    // not empty the image was not touched.
    QStringList errors;

    // The errors for a message box or standard error: the first ten, then a count.
    QString errorMessage() const;
};

// Reads `yaml` over `image`, which holds the base on entry: keys the file leaves out keep
// the base's values, except that `channels` and `fm` list every channel and preset in use
// (the others are emptied). Checked as the windows check (`limits` for the channel and
// band frequencies); all or nothing. `fileName` starts every message.
ImportResult importInto(const QByteArray &yaml, MemoryImage &image, const BandLimits &limits = BandLimits::startup(),
                        const QString &fileName = QStringLiteral("configuration"));

// One setting by its path, as a spreadsheet column names it: the section and the key within
// it joined by dots, with the entry's number for a channel (0-199) or an FM preset (1-16):
// "options.ani", "band_a.frequency", "channels.5.name", "fm.2.name". Empty when the path
// names a setting, otherwise what is wrong with it ("is not a key this program knows").
QString keyPathProblem(const QString &path);

struct KeyText
{
    QString path;
    QString text;
};

// Sets each path to its text over `image`, checked and stored as importInto() checks and
// stores that key; all or nothing. A channel or preset that was empty comes into use as in
// the grid, and must then be given its frequency. `where` starts every message, as the
// file name does for an import ("RADIOS.csv:3 options.ani: \"12X\" may hold only ...").
ImportResult setKeys(const QVector<KeyText> &keys, MemoryImage &image, const BandLimits &limits, const QString &where);

} // namespace ConfigText
