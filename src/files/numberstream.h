#pragma once

#include "files/fileresult.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// Reads the whole numbers of a data or adjust file as one stream. Numbers may be
// separated by any mix of spaces, tabs, commas and line ends; the line structure only
// serves to say where a fault is.
class NumberStream
{
public:
    // A view into the stream's own copy of the bytes: a data file holds some 17,000
    // numbers, and one small allocation per number would be most of the load.
    struct Token
    {
        QByteArrayView text;
        int line = 0; // 1-based
    };

    explicit NumberStream(const QByteArray &bytes);

    bool atEnd() const { return m_tokens.isEmpty() || m_next >= m_tokens.size(); }
    int count() const { return int(m_tokens.size()); }
    const Token &next() { return m_tokens.at(m_next++); }
    // The line of the last number, for "the file ends too early" messages.
    int lastLine() const { return m_lastLine; }

    // A byte value 0..255, or a failure naming the line and the token.
    static bool toByte(const Token &token, uint8_t &value, FileResult &fault);
    // Any whole number (row labels are never range-checked, only required to be numbers).
    static bool isWholeNumber(const Token &token, FileResult &fault);

private:
    QByteArray m_bytes;
    QList<Token> m_tokens;
    int m_next = 0;
    int m_lastLine = 1;
};

// Reads a file for one of the loaders: the whole file, in one go, within a sane size.
FileResult readWholeFile(const QString &path, qint64 maxBytes, QByteArray &bytes);
// The shortage message: what was wanted, what was found and where the file ended.
FileResult tooFewNumbers(int wanted, int found, int lastLine);
