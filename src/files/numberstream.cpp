#include "files/numberstream.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

bool isSeparator(char c)
{
    return c == ' ' || c == '\t' || c == ',' || c == '\r' || c == '\n';
}

// Long junk tokens are shortened in messages so that the box stays readable.
QString shown(QByteArrayView text)
{
    QString s = QString::fromUtf8(text);
    if (s.size() > 20)
        s = s.left(20) + QStringLiteral("...");
    return s;
}

FileResult notANumber(const NumberStream::Token &token, bool labelAllowed)
{
    const QString en = labelAllowed ? QStringLiteral("Line %1: \"%2\" is not a whole number.")
                                    : QStringLiteral("Line %1: \"%2\" is not a whole number from 0 to 255.");
    const QString zh = labelAllowed ? QStringLiteral("第 %1 行：“%2”不是整数。")
                                    : QStringLiteral("第 %1 行：“%2”不是 0 到 255 之间的整数。");
    return FileResult::failure(en.arg(token.line).arg(shown(token.text)), zh.arg(token.line).arg(shown(token.text)));
}

} // namespace

NumberStream::NumberStream(const QByteArray &bytes)
    : m_bytes(bytes)
{
    // A number and its separator take at least two bytes, so this is the most there can be.
    m_tokens.reserve(bytes.size() / 2 + 1);
    int line = 1;
    int start = -1;
    int startLine = 1;
    int i = 0;
    // Text editors on the PC may put a UTF-8 byte order mark in front.
    if (bytes.startsWith("\xEF\xBB\xBF"))
        i = 3;
    for (; i <= bytes.size(); ++i) {
        const bool end = i == bytes.size();
        const char c = end ? ' ' : bytes.at(i);
        if (isSeparator(c)) {
            if (start >= 0) {
                m_tokens.append(Token{QByteArrayView(m_bytes).sliced(start, i - start), startLine});
                start = -1;
            }
            if (c == '\n')
                ++line;
        } else if (start < 0) {
            start = i;
            startLine = line;
        }
    }
    m_lastLine = m_tokens.isEmpty() ? 1 : m_tokens.last().line;
}

bool NumberStream::isWholeNumber(const Token &token, FileResult &fault)
{
    const QByteArrayView t = token.text;
    int i = (t.startsWith('-') || t.startsWith('+')) ? 1 : 0;
    bool ok = i < t.size() && t.size() <= 10;
    for (; ok && i < t.size(); ++i)
        ok = t.at(i) >= '0' && t.at(i) <= '9';
    if (!ok)
        fault = notANumber(token, true);
    return ok;
}

bool NumberStream::toByte(const Token &token, uint8_t &value, FileResult &fault)
{
    const QByteArrayView t = token.text;
    // Plain digits only: "+5", "0x10" or "1e2" would be guesses about what was meant.
    bool ok = !t.isEmpty() && t.size() <= 3;
    int v = 0;
    for (int i = 0; ok && i < t.size(); ++i) {
        ok = t.at(i) >= '0' && t.at(i) <= '9';
        v = v * 10 + (t.at(i) - '0');
    }
    if (!ok || v > 255) {
        fault = notANumber(token, false);
        return false;
    }
    value = uint8_t(v);
    return true;
}

FileResult readWholeFile(const QString &path, qint64 maxBytes, QByteArray &bytes)
{
    const QString native = QDir::toNativeSeparators(path);
    QFile file(path);
    if (QFileInfo(path).isDir())
        return FileResult::failure(QStringLiteral("\"%1\" is a folder, not a file.").arg(native),
                                   QStringLiteral("“%1”是文件夹，不是文件。").arg(native));
    if (!file.open(QIODevice::ReadOnly))
        return FileResult::failure(QStringLiteral("Cannot open \"%1\": %2").arg(native, file.errorString()),
                                   QStringLiteral("无法打开文件“%1”：%2").arg(native, chineseFileReason(file)));
    if (file.size() > maxBytes)
        return FileResult::failure(
            QStringLiteral("\"%1\" is too large (%2 bytes) to be a file of this program.").arg(native).arg(file.size()),
            QStringLiteral("文件“%1”太大（%2 字节），不是本程序的文件。").arg(native).arg(file.size()));
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return FileResult::failure(QStringLiteral("Cannot read \"%1\": %2").arg(native, file.errorString()),
                                   QStringLiteral("无法读取文件“%1”：%2").arg(native, chineseFileReason(file)));
    return FileResult::success();
}

FileResult tooFewNumbers(int wanted, int found, int lastLine)
{
    return FileResult::failure(
        QStringLiteral("The file ends too early: it holds %1 numbers, %2 are needed (end at line %3).")
            .arg(found)
            .arg(wanted)
            .arg(lastLine),
        QStringLiteral("文件不完整：只有 %1 个数，需要 %2 个（在第 %3 行结束）。").arg(found).arg(wanted).arg(lastLine));
}
