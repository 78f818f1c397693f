#include "alignment/alignmentfiles.h"

#include "alignment/alignmenttable.h"
#include "alignment/alignmenttexts.h"
#include "files/adjustfile.h"
#include "image/document.h"
#include "texts/commontexts.h"

#include <QFileInfo>

namespace AlignmentFiles {

bool open(Document &document, const QString &path, QString *message)
{
    AdjustFile::Table table{};
    const FileResult result = AdjustFile::load(table, path);
    if (!result.ok) {
        *message = result.message();
        return false;
    }
    const QByteArray loaded(reinterpret_cast<const char *>(table.data()), int(table.size()));
    const QString name = QFileInfo(path).fileName();
    document.apply(StepLabel(CommonText::OpenFileStep.text(false).arg(name), CommonText::OpenFileStep.text(true).arg(name)),
                   [&loaded](Document::Contents &c) {
                       c.alignment = loaded;
                       return true;
                   });
    *message = AlignmentText::FileLoaded.text();
    return true;
}

bool save(const Document &document, const QString &path, QString *message)
{
    AdjustFile::Table table{};
    const QByteArray &d = document.alignment();
    for (int i = 0; i < Alignment::Bytes && i < d.size(); ++i)
        table[i] = uint8_t(d.at(i));
    const FileResult result = AdjustFile::save(table, path);
    *message = result.ok ? AlignmentText::FileSaved.text() : result.message();
    return result.ok;
}

} // namespace AlignmentFiles
