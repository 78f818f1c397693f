#pragma once

// Random document steps of every kind a run takes, the same for the same seed: the kill
// soak's child takes them through the journal, and the parent takes them again without
// one to know what the document held after each reported step.

#include "files/datafile.h"
#include "image/dataorigin.h"
#include "image/document.h"
#include "shell/imageinitialisation.h"

#include <QRandomGenerator>
#include <QString>

namespace JournalSteps {

inline void startState(Document &document)
{
    document.initialise([](Document::Contents &c) {
        initialiseMemoryImage(c.image);
        c.alignment = QByteArray(Document::AlignmentBytes, char(0x40));
        c.fiveToneDecode.clear();
        return true;
    });
}

// Two data files for the loads, written by the parent before any child starts.
inline MemoryImage fileImage(int which)
{
    MemoryImage image;
    QRandomGenerator random(quint32(1000 + which));
    for (int a = 0; a < MemoryImage::Size; ++a)
        image.setAt(a, uint8_t(random.bounded(256)));
    return image;
}

inline QString filePath(const QString &folder, int which)
{
    return folder + QStringLiteral("/load%1.dat").arg(which);
}

enum Kind { Cell, Typed, Undo, Redo, Load, Read, Restore, Alignment, DecodeTable, Origin, Kinds };

// One step; returns its kind.
inline int take(Document &document, QRandomGenerator &random, const QString &files)
{
    const int kind = int(random.bounded(int(Kinds)));
    switch (kind) {
    case Cell: {
        const int address = int(random.bounded(MemoryImage::Size));
        const uint8_t value = uint8_t(random.bounded(256));
        document.applyToImage({QStringLiteral("cell %1").arg(address), QStringLiteral("单元 %1").arg(address)},
                              [&](MemoryImage &image) {
                                  image.setAt(address, value);
                                  return true;
                              });
        break;
    }
    case Typed: {
        // Keystrokes of one box merge into one undo step; the journal keeps each.
        const int address = 0x1000 + int(random.bounded(6));
        const uint8_t value = uint8_t('A' + random.bounded(26));
        document.applyToImage({QStringLiteral("channel 1 name"), QStringLiteral("信道 1 名称")},
                              [&](MemoryImage &image) {
                                  image.setAt(address, value);
                                  return true;
                              },
                              0x7001);
        break;
    }
    case Undo: document.undo(); break;
    case Redo: document.redo(); break;
    case Load:
    case Restore: {
        const int which = int(random.bounded(2));
        MemoryImage loaded;
        if (!DataFile::load(loaded, filePath(files, which)).ok)
            qFatal("cannot load %s", qPrintable(filePath(files, which)));
        const QString origin = kind == Restore ? QStringLiteral("ORV00000000000%1").arg(which, 2, 10, QLatin1Char('0'))
                                               : QString();
        document.apply({QStringLiteral("Open load%1.dat").arg(which), QStringLiteral("打开 load%1.dat").arg(which)},
                       [&](Document::Contents &c) {
                           c.image = loaded;
                           DataOrigin::set(c, origin);
                           return true;
                       });
        break;
    }
    case Read: {
        const quint32 seed = random.generate();
        document.apply({QStringLiteral("Read from radio"), QStringLiteral("从对讲机读取数据")}, [&](Document::Contents &c) {
            QRandomGenerator bytes(seed);
            for (int a = 0; a < 0x3140; a += 1 + int(bytes.bounded(64)))
                c.image.setAt(a, uint8_t(bytes.bounded(256)));
            DataOrigin::set(c, QStringLiteral("ORV%1").arg(seed % 100000, 13, 10, QLatin1Char('0')));
            return true;
        });
        break;
    }
    case Alignment: {
        const int at = int(random.bounded(Document::AlignmentBytes));
        const char value = char(random.bounded(256));
        document.apply({QStringLiteral("alignment point %1").arg(at), QStringLiteral("调整点 %1").arg(at)},
                       [&](Document::Contents &c) {
                           c.alignment[at] = value;
                           return true;
                       });
        break;
    }
    case DecodeTable: {
        const int size = int(random.bounded(40));
        QByteArray table(size, Qt::Uninitialized);
        for (char &b : table)
            b = char(random.bounded(256));
        document.apply({QStringLiteral("5-tone decode table"), QStringLiteral("5音解码表")}, [&](Document::Contents &c) {
            c.fiveToneDecode = table;
            return true;
        });
        break;
    }
    case Origin:
        document.adoptOrigin(QStringLiteral("ORV9%1").arg(random.bounded(1000000), 12, 10, QLatin1Char('0')));
        break;
    }
    return kind;
}

inline bool same(const Document::Contents &a, const Document::Contents &b)
{
    return a.image == b.image && a.alignment == b.alignment && a.fiveToneDecode == b.fiveToneDecode
        && a.origin == b.origin;
}

} // namespace JournalSteps
