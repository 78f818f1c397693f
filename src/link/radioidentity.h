#pragma once

#include "image/bandlimits.h"

#include <QByteArray>
#include <QString>

// What a radio says about itself in its 50-byte identification reply.
struct RadioIdentity
{
    BandLimits limits;
    QString modelName; // bytes 17..22
    QString firmware;  // bytes 23..28
    QString number;    // bytes 33..48

    // The program only talks to radios of its own model.
    static QByteArray modelCode() { return QByteArrayLiteral("QDMX"); }

    // Accepted when bytes 13..16 are the model code and byte 49 is 0x55; nothing else
    // (no checksum) is looked at.
    static bool isAccepted(const QByteArray &reply);
    // Reads every field of a reply of at least 50 bytes, accepted or not.
    static RadioIdentity parse(const QByteArray &reply);

    // Status-bar texts: "136--174 MHZ", "AAAAAA--BBBBBB--CCCC", "12.34.5.6".
    static QString bandText(int lower, int upper);
    QString bandAText() const { return bandText(limits.aLower, limits.aUpper); }
    QString bandBText() const { return bandText(limits.bLower, limits.bUpper); }
    QString numberText() const;
    QString firmwareText() const;
};
