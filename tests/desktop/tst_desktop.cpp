// What a Linux desktop receives: the launcher and the metainfo pass the distribution's
// validators, the icons are the one artwork the window shows too, and cmake --install and
// cpack -G DEB put every file where a desktop finds it, with computed dependencies and
// no udev rule.

#include "shell/appicon.h"

#include <QDir>
#include <QDirIterator>
#include <QIcon>
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
} // namespace

class TestDesktop : public QObject
{
    Q_OBJECT
private slots:
    void validatorsPass_data();
    void validatorsPass();
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
    QVERIFY(QFileInfo(root.filePath(QStringLiteral("usr/bin/") + desktopKey(launcher, QStringLiteral("Exec"))))
                .isExecutable());
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

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
