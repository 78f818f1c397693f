#include "shell/plansource.h"

#include "channels/channelcsv.h"
#include "config/configtext.h"
#include "files/datafile.h"
#include "image/memoryimage.h"
#include "shell/imageinitialisation.h"

#include <memory>

namespace PlanSource {

namespace {

constexpr BiText NotAPlan{"%1: line %2, column %3: this is neither a data file, a channel CSV (a header naming "
                          "Location and Frequency) nor a configuration text.",
                          "%1：第 %2 行第 %3 列：既不是数据文件，也不是信道 CSV（表头含 Location 与 Frequency），也不是配置文本。"};
constexpr BiText EmptyFile{"%1: line 1, column 1: the file is empty.", "%1：第 1 行第 1 列：文件为空。"};

Result failure(const QString &en, const QString &zh)
{
    Result r;
    r.errorEn = en;
    r.errorZh = zh;
    return r;
}

// The line and column of the first character that is not blank, 1-based.
struct Position
{
    int line = 1;
    int column = 1;
    QChar first;
};

Position firstCharacter(const QString &text)
{
    Position p;
    for (const QChar c : text) {
        if (c == QLatin1Char('\n')) {
            ++p.line;
            p.column = 1;
        } else if (c.isSpace()) {
            ++p.column;
        } else {
            p.first = c;
            break;
        }
    }
    return p;
}

QString firstLine(const QString &text)
{
    const int end = text.indexOf(QLatin1Char('\n'));
    return (end < 0 ? text : text.left(end)).trimmed();
}

bool isChannelCsvHeader(const QString &line)
{
    const QStringList fields = line.split(QLatin1Char(','));
    auto has = [&](const char *name) {
        for (const QString &f : fields) {
            QString n = f.trimmed();
            if (n.startsWith(QLatin1Char('"')) && n.endsWith(QLatin1Char('"')) && n.size() >= 2)
                n = n.mid(1, n.size() - 2);
            if (n == QLatin1String(name))
                return true;
        }
        return false;
    };
    return has("Location") && has("Frequency");
}

} // namespace

Result read(const QByteArray &bytes, const QString &fileName, MemoryImage &image)
{
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const Position start = firstCharacter(text);
    if (start.first.isNull())
        return failure(EmptyFile.text(false).arg(fileName), EmptyFile.text(true).arg(fileName));

    auto staging = std::make_unique<MemoryImage>();
    Result result;
    if (start.first.isDigit()) {
        const FileResult parsed = DataFile::parse(bytes, *staging);
        if (!parsed.ok)
            return failure(fileName + QStringLiteral(": ") + parsed.message(false),
                           fileName + QStringLiteral("：") + parsed.message(true));
        result.kind = Kind::DataFile;
    } else if (isChannelCsvHeader(firstLine(text))) {
        // Only the channels the file lists are in use; the rest of the image stays empty.
        const ChannelCsv::ImportResult imported = ChannelCsv::importInto(bytes, *staging, AnyBand);
        if (!imported.ok)
            return failure(fileName + QStringLiteral(": ") + imported.errorMessage(false),
                           fileName + QStringLiteral("：") + imported.errorMessage(true));
        result.kind = Kind::ChannelCsv;
    } else if (firstLine(text).contains(QLatin1Char(':')) || start.first == QLatin1Char('#')
               || start.first == QLatin1Char('-')) {
        initialiseMemoryImage(*staging);
        const ConfigText::ImportResult imported = ConfigText::importInto(bytes, *staging, AnyBand, fileName);
        if (!imported.ok)
            return failure(imported.errorMessage(), imported.errorMessage());
        result.kind = Kind::ConfigText;
    } else {
        return failure(NotAPlan.text(false).arg(fileName).arg(start.line).arg(start.column),
                       NotAPlan.text(true).arg(fileName).arg(start.line).arg(start.column));
    }
    image = *staging;
    result.ok = true;
    return result;
}

} // namespace PlanSource
