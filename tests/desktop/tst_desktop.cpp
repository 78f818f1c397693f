// What a Linux desktop receives: the launcher, the metainfo and the MIME package pass the
// distribution's validators, the data files are of the program's own type, the icons are the one artwork the window shows too, and cmake --install and
// cpack -G DEB put every file where a desktop finds it, with computed dependencies and
// no udev rule.

#include "shell/appicon.h"

#include <QDir>
#include <QDirIterator>
#include <QCoreApplication>
#include <QIcon>
#include <QMimeDatabase>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QString SourceDir = QStringLiteral(ORVANE_SOURCE_DIR);
const QString BinaryDir = QStringLiteral(ORVANE_BINARY_DIR);
const QString AppId = QStringLiteral("org.orvane.cps");

struct Run
{
    bool started = false;
    int exitCode = -1;
    QString output;
};

// Standard output and error together; a tool that is missing is not a pass.
Run run(const QString &program, const QStringList &arguments,
        const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    Run result;
    result.started = process.waitForStarted(10000);
    if (!result.started)
        return result;
    if (!process.waitForFinished(240000))
        process.kill();
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.output = QString::fromUtf8(process.readAll());
    return result;
}

QString notFound(const QString &program)
{
    return program + QStringLiteral(" did not start; scripts/setup.sh installs it");
}

QString themeFolder()
{
    return SourceDir + QStringLiteral("/data/icons/hicolor");
}

// The PNG sizes the repository carries, from the theme folder itself.
QList<int> pngSizes()
{
    QList<int> sizes;
    const QRegularExpression sized(QStringLiteral("^(\\d+)x\\1$"));
    for (const QString &name : QDir(themeFolder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QRegularExpressionMatch m = sized.match(name);
        if (m.hasMatch())
            sizes << m.captured(1).toInt();
    }
    std::sort(sizes.begin(), sizes.end());
    return sizes;
}

QString pngPath(int size)
{
    return themeFolder() + QStringLiteral("/%1x%1/apps/%2.png").arg(size).arg(AppId);
}

// Every file an install must hold, relative to the root of the installed tree.
QStringList expectedFiles()
{
    QStringList files;
    for (const QString &binary : QStringLiteral(ORVANE_BINARIES).split(QLatin1Char(',')))
        files << QStringLiteral("usr/bin/") + binary;
    files << QStringLiteral("usr/share/applications/%1.desktop").arg(AppId)
          << QStringLiteral("usr/share/metainfo/%1.metainfo.xml").arg(AppId)
          << QStringLiteral("usr/share/mime/packages/%1.xml").arg(AppId)
          << QStringLiteral("usr/share/icons/hicolor/scalable/apps/%1.svg").arg(AppId)
          << QStringLiteral("usr/share/doc/orvane-cps/README.md");
    for (int size : pngSizes())
        files << QStringLiteral("usr/share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(AppId);
    return files;
}

// A rule that widens serial access belongs to the administrator, never to this package.
QStringList udevFiles(const QStringList &files)
{
    QStringList udev;
    for (const QString &f : files) {
        if (f.contains(QLatin1String("udev")))
            udev << f;
    }
    return udev;
}

int differingPixels(QImage a, QImage b)
{
    a = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    b = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (a.size() != b.size())
        return a.width() * a.height();
    int differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            if (qAbs(qRed(p) - qRed(q)) > 24 || qAbs(qGreen(p) - qGreen(q)) > 24
                || qAbs(qBlue(p) - qBlue(q)) > 24 || qAbs(qAlpha(p) - qAlpha(q)) > 24)
                ++differing;
        }
    }
    return differing;
}

QString desktopKey(const QString &desktopFile, const QString &key)
{
    QFile file(desktopFile);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QString prefix = key + QLatin1Char('=');
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size());
    }
    return QString();
}

const QString DataType = QStringLiteral("application/x-orvane-cps-data");
// The child that names the types of its arguments as a desktop that has the package would.
const char MimeProbe[] = "ORVANE_MIME_PROBE";
} // namespace

class TestDesktop : public QObject
{
    Q_OBJECT
private slots:
    void validatorsPass_data();
    void validatorsPass();
    void launcherOpensTheFileTypes();
    void windowIconIsTheLauncherArtwork();
    void installHoldsEveryFile();
    void packageHoldsEveryFile();
};

void TestDesktop::validatorsPass_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    // Lines that fail the check even when the tool exits with 0 (hints and pedantic notes
    // do not).
    QTest::addColumn<QString>("complaint");
    QTest::newRow("launcher") << QStringLiteral("desktop-file-validate")
                              << QStringList{SourceDir + QStringLiteral("/data/%1.desktop").arg(AppId)}
                              << QStringLiteral(": (error|warning): ");
    // update-mime-database passes over what it does not know without a word; the schema
    // holds the package to the elements and values that the database defines.
    QTest::newRow("MIME package") << QStringLiteral("xmllint")
                                  << QStringList{QStringLiteral("--noout"), QStringLiteral("--relaxng"),
                                                 SourceDir + QStringLiteral("/tests/desktop/shared-mime-info.rng"),
                                                 SourceDir + QStringLiteral("/data/%1.xml").arg(AppId)}
                                  << QStringLiteral("(error|fails to validate)");
    QTest::newRow("metainfo") << QStringLiteral("appstreamcli")
                              << QStringList{QStringLiteral("validate"), QStringLiteral("--no-net"),
                                             SourceDir + QStringLiteral("/data/%1.metainfo.xml").arg(AppId)}
                              << QStringLiteral("^[EW]: ");
}

void TestDesktop::validatorsPass()
{
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    QFETCH(QString, complaint);
    const Run r = run(program, arguments);
    QVERIFY2(r.started, qPrintable(notFound(program)));
    QVERIFY2(r.exitCode == 0, qPrintable(r.output));
    const QRegularExpression bad(complaint, QRegularExpression::MultilineOption);
    QVERIFY2(!bad.match(r.output).hasMatch(), qPrintable(r.output));
}

void TestDesktop::launcherOpensTheFileTypes()
{
    const QString launcher = SourceDir + QStringLiteral("/data/%1.desktop").arg(AppId);
    // A file manager hands the launcher one file.
    QCOMPARE(desktopKey(launcher, QStringLiteral("Exec")), QStringLiteral("orvane-cps %f"));
    const QStringList types = desktopKey(launcher, QStringLiteral("MimeType")).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    QVERIFY2(types.contains(DataType), qPrintable(types.join(QLatin1Char(';'))));
    QVERIFY2(types.contains(QStringLiteral("application/x-yaml")), qPrintable(types.join(QLatin1Char(';'))));

    // The package as a desktop compiles it, then a file's type as that desktop finds it:
    // a data file by its name and, without a telling name, by its first bytes.
    QTemporaryDir home;
    QVERIFY(QDir(home.path()).mkpath(QStringLiteral("mime/packages")));
    QVERIFY(QFile::copy(SourceDir + QStringLiteral("/data/%1.xml").arg(AppId),
                        home.filePath(QStringLiteral("mime/packages/%1.xml").arg(AppId))));
    const Run compiled = run(QStringLiteral("update-mime-database"), {home.filePath(QStringLiteral("mime"))});
    QVERIFY2(compiled.started, qPrintable(notFound(QStringLiteral("update-mime-database"))));
    QVERIFY2(compiled.exitCode == 0 && !compiled.output.contains(QLatin1String("Failed")), qPrintable(compiled.output));

    const QString demo = SourceDir + QStringLiteral("/data/demo.dat");
    const QString unnamed = home.filePath(QStringLiteral("plan"));
    QVERIFY(QFile::copy(demo, unnamed));
    const QString config = home.filePath(QStringLiteral("plan.yaml"));
    QFile yaml(config);
    QVERIFY(yaml.open(QIODevice::WriteOnly));
    yaml.write("channels: []\n");
    yaml.close();

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.path());
    environment.insert(QString::fromLatin1(MimeProbe), QStringLiteral("1"));
    const Run probe = run(QCoreApplication::applicationFilePath(), {demo, unnamed, config}, environment);
    QVERIFY2(probe.started && probe.exitCode == 0, qPrintable(probe.output));
    const QStringList found = probe.output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(found.size(), 3);
    QCOMPARE(found.at(0), DataType);
    QCOMPARE(found.at(1), DataType);
    // application/yaml on later shared-mime-info, with the older name as its alias.
    QVERIFY2(QStringList({QStringLiteral("application/x-yaml"), QStringLiteral("application/yaml")}).contains(found.at(2)),
             qPrintable(found.at(2)));
}

void TestDesktop::windowIconIsTheLauncherArtwork()
{
    const QList<int> sizes = pngSizes();
    // What menus, docks and task switchers ask a theme for.
    for (int common : {16, 24, 32, 48, 64, 128, 256})
        QVERIFY2(sizes.contains(common), qPrintable(QStringLiteral("no %1 px icon").arg(common)));

    const QIcon icon = Icons::applicationIcon();
    QList<int> windowSizes;
    for (const QSize &s : icon.availableSizes())
        windowSizes << s.width();
    std::sort(windowSizes.begin(), windowSizes.end());
    QCOMPARE(windowSizes, sizes);

    QTemporaryDir rendered;
    const QString svg = themeFolder() + QStringLiteral("/scalable/apps/%1.svg").arg(AppId);
    for (int size : sizes) {
        const QImage png(pngPath(size));
        QCOMPARE(png.size(), QSize(size, size));
        QCOMPARE(differingPixels(icon.pixmap(QSize(size, size)).toImage(), png), 0);

        // The PNGs are the SVG as it is now, not as it was (scripts/render-icons.sh).
        const QString out = rendered.filePath(QStringLiteral("%1.png").arg(size));
        const Run r = run(QStringLiteral("rsvg-convert"),
                          {QStringLiteral("-w"), QString::number(size), QStringLiteral("-h"),
                           QString::number(size), QStringLiteral("-o"), out, svg});
        QVERIFY2(r.started, qPrintable(notFound(QStringLiteral("rsvg-convert"))));
        QVERIFY2(r.exitCode == 0, qPrintable(r.output));
        // Room for another renderer version's antialiasing, none for another picture.
        const int allowed = size * size / 100;
        const int differing = differingPixels(QImage(out), png);
        QVERIFY2(differing <= allowed,
                 qPrintable(QStringLiteral("%1 px: %2 pixels differ from the SVG; run scripts/render-icons.sh")
                                .arg(size).arg(differing)));
    }
}

void TestDesktop::installHoldsEveryFile()
{
    QTemporaryDir destination;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DESTDIR"), destination.path());
    // A prefix other than the configured one: both it and DESTDIR must be honoured.
    const Run r = run(QStringLiteral(ORVANE_CMAKE),
                      {QStringLiteral("--install"), BinaryDir, QStringLiteral("--prefix"), QStringLiteral("/usr")},
                      environment);
    QVERIFY2(r.started && r.exitCode == 0, qPrintable(r.output));

    QStringList installed;
    QDirIterator it(destination.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    const QDir root(destination.path());
    while (it.hasNext())
        installed << root.relativeFilePath(it.next());
    for (const QString &file : expectedFiles())
        QVERIFY2(installed.contains(file), qPrintable(QStringLiteral("not installed: ") + file));
    for (const QString &file : installed)
        QVERIFY2(file.startsWith(QLatin1String("usr/")), qPrintable(QStringLiteral("outside the prefix: ") + file));
    QCOMPARE(udevFiles(installed), QStringList());

    for (const QString &binary : QStringLiteral(ORVANE_BINARIES).split(QLatin1Char(',')))
        QVERIFY(QFileInfo(root.filePath(QStringLiteral("usr/bin/") + binary)).isExecutable());
    // The launcher starts an installed binary and shows an installed icon.
    const QString launcher = root.filePath(QStringLiteral("usr/share/applications/%1.desktop").arg(AppId));
    const QString command = desktopKey(launcher, QStringLiteral("Exec")).section(QLatin1Char(' '), 0, 0);
    QVERIFY(QFileInfo(root.filePath(QStringLiteral("usr/bin/") + command)).isExecutable());
    QCOMPARE(desktopKey(launcher, QStringLiteral("Icon")), AppId);
    QVERIFY(!desktopKey(launcher, QStringLiteral("Name[zh_CN]")).isEmpty());
    QVERIFY(!desktopKey(launcher, QStringLiteral("Comment[zh_CN]")).isEmpty());
}

void TestDesktop::packageHoldsEveryFile()
{
    QTemporaryDir output;
    const Run built = run(QStringLiteral(ORVANE_CPACK),
                          {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
                           BinaryDir + QStringLiteral("/CPackConfig.cmake"), QStringLiteral("-B"), output.path()});
    QVERIFY2(built.started && built.exitCode == 0, qPrintable(built.output));
    const QStringList debs = QDir(output.path()).entryList({QStringLiteral("*.deb")}, QDir::Files);
    QCOMPARE(debs.size(), 1);
    const QString deb = QDir(output.path()).filePath(debs.first());

    const Run contents = run(QStringLiteral("dpkg-deb"), {QStringLiteral("--contents"), deb});
    QVERIFY2(contents.started, qPrintable(notFound(QStringLiteral("dpkg-deb"))));
    QVERIFY2(contents.exitCode == 0, qPrintable(contents.output));
    // "-rwxr-xr-x root/root 12345 2024-01-01 00:00 ./usr/bin/orvane-cps"
    QStringList files;
    for (const QString &line : contents.output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList columns = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        QVERIFY2(columns.size() >= 6, qPrintable(line));
        QVERIFY2(columns.at(1) == QLatin1String("root/root"), qPrintable(line));
        if (line.startsWith(QLatin1Char('-')))
            files << columns.last().mid(2); // "./"
    }
    for (const QString &file : expectedFiles())
        QVERIFY2(files.contains(file), qPrintable(QStringLiteral("not in the package: ") + file));
    QCOMPARE(udevFiles(files), QStringList());

    const Run fields = run(QStringLiteral("dpkg-deb"), {QStringLiteral("--field"), deb, QStringLiteral("Package"),
                                                       QStringLiteral("Version"), QStringLiteral("Depends")});
    QVERIFY2(fields.exitCode == 0, qPrintable(fields.output));
    QVERIFY2(fields.output.contains(QLatin1String("Package: orvane-cps\n")), qPrintable(fields.output));
    QVERIFY2(fields.output.contains(QStringLiteral("Version: %1\n").arg(QStringLiteral(ORVANE_VERSION))),
             qPrintable(fields.output));
    // Versioned entries for the libraries the binaries link: dpkg-shlibdeps wrote them.
    for (const char *library : {"libc6 (>= ", "libqt6core6 (>= ", "libqt6widgets6 (>= ", "libqt6serialport6 (>= "})
        QVERIFY2(fields.output.contains(QLatin1String(library)), qPrintable(fields.output));
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsSet(MimeProbe)) {
        QCoreApplication app(argc, argv);
        QMimeDatabase types;
        for (const QString &file : QCoreApplication::arguments().mid(1))
            std::printf("%s\n", qPrintable(types.mimeTypeForFile(file).name()));
        return 0;
    }
    QApplication app(argc, argv);
    TestDesktop test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_desktop.moc"
