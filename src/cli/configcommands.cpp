// orvane-cli export-config and import-config: the configuration as YAML text.

#include "cli/commandline.h"

#include "config/configtext.h"
#include "files/atomicwrite.h"
#include "files/numberstream.h"
#include "image/bandlimits.h"
#include "image/memoryimage.h"
#include "shell/imageinitialisation.h"

#include <memory>

namespace {

// A plan is a few hundred lines; this keeps a wrong pick from filling memory.
constexpr qint64 MaxConfigBytes = 16 * 1024 * 1024;

} // namespace

int CommandLine::exportConfig(const Arguments &args)
{
    auto image = std::make_unique<MemoryImage>();
    if (const int loaded = loadDataFile(args.positional.at(0), *image); loaded != Done)
        return loaded;
    const QByteArray yaml = ConfigText::exportImage(*image);
    const QString output = args.values.value(QStringLiteral("o"));
    if (output.isEmpty()) {
        m_out << QString::fromUtf8(yaml) << Qt::flush;
        return Done;
    }
    const FileResult saved = writeFileReplacing(output, yaml);
    if (!saved.ok) {
        m_err << "orvane-cli: " << saved.message(false) << '\n' << Qt::flush;
        return BadFile;
    }
    return Done;
}

int CommandLine::importConfig(const Arguments &args)
{
    const QString command = QStringLiteral("import-config");
    const QString output = args.values.value(QStringLiteral("o"));
    if (output.isEmpty())
        return usageError(QStringLiteral("import-config needs -o OUT.dat"), command);
    BandLimits limits = BandLimits::startup();
    if (args.values.contains(QLatin1String("bands")) && !parseBandLimits(args.values.value(QStringLiteral("bands")), limits))
        return usageError(QStringLiteral("--bands takes four whole MHz values A_LO,A_HI,B_LO,B_HI"), command);

    const QString plan = args.positional.at(0);
    QByteArray yaml;
    const FileResult read = readWholeFile(plan, MaxConfigBytes, yaml);
    if (!read.ok) {
        m_err << "orvane-cli: " << read.message(false) << '\n' << Qt::flush;
        return BadFile;
    }
    auto image = std::make_unique<MemoryImage>();
    const QString into = args.values.value(QStringLiteral("into"));
    if (into.isEmpty())
        initialiseMemoryImage(*image);
    else if (const int loaded = loadDataFile(into, *image); loaded != Done)
        return loaded;

    const ConfigText::ImportResult result = ConfigText::importInto(yaml, *image, limits, plan);
    if (!result.ok) {
        m_err << result.errorMessage() << '\n'
              << "orvane-cli: " << plan << " was not imported; " << output << " was not written\n"
              << Qt::flush;
        return BadFile;
    }
    if (const int saved = saveDataFile(*image, output); saved != Done)
        return saved;
    m_out << "imported " << plan << " into " << output << '\n' << Qt::flush;
    return Done;
}
