#pragma once

#include <QMetaType>
#include <QString>

// What a box takes from the keyboard (KeyPolicy judges by it). Plain data, so that a
// model can say what its cells take without knowing about boxes.
struct KeyRule
{
    // The characters taken; empty takes any printable character.
    QString allowed;
    // A character goes in only while the text that stays is shorter than this; 0 for
    // no limit.
    int maxLength = 0;
    // The limit counts the text without the spaces around it.
    bool trimmed = false;
    // Letters go in upper case, whichever way they were typed.
    bool upperCase = false;
    // These go in only after some text ("." of a frequency).
    QString notFirst;
    // These go in only while the text holds none of them.
    QString once;
    // These are not held back by the length limit.
    QString unlimited;

    // `allowed` characters while the trimmed text is shorter than `maxLength`.
    static KeyRule characters(const QString &allowed, int maxLength)
    {
        KeyRule r;
        r.allowed = allowed;
        r.maxLength = maxLength;
        r.trimmed = true;
        return r;
    }
    // Any printable character while the text is shorter than `maxLength`.
    static KeyRule upTo(int maxLength)
    {
        KeyRule r;
        r.maxLength = maxLength;
        return r;
    }
};

Q_DECLARE_METATYPE(KeyRule)
