// The Debian package made by cpack from this build: its name, its Depends
// from the shared libraries, its file list against an install, and the
// extracted program answering --help and --version without a display.
#include "install/InstallSupport.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

class PackageTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new TempDir;
        if (!haveProgram(QStringLiteral("dpkg-deb")) || !haveProgram(QStringLiteral("dpkg-shlibdeps")))
            return;
        s_arch = runProgram(QStringLiteral("dpkg"), {QStringLiteral("--print-architecture")}).out.trimmed();
        s_cpack = runProgram(QStringLiteral(ARVEX_CPACK),
                             {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
                              buildFolder() + QStringLiteral("/CPackConfig.cmake"), QStringLiteral("-B"),
                              s_dir->file(QStringLiteral("packages"))},
                             QProcessEnvironment::systemEnvironment(), buildFolder());
        s_deb = s_dir->file(QStringLiteral("packages/arvex_%1_%2.deb").arg(QStringLiteral(ARVEX_VERSION), s_arch));
    }
    static void TearDownTestSuite()
    {
        delete s_dir;
        s_dir = nullptr;
    }
    void SetUp() override
    {
        if (!haveProgram(QStringLiteral("dpkg-deb")) || !haveProgram(QStringLiteral("dpkg-shlibdeps")))
            GTEST_SKIP() << "dpkg-deb / dpkg-shlibdeps (package dpkg-dev) missing";
        ASSERT_EQ(s_cpack.exitCode, 0) << s_cpack.out.toStdString() << s_cpack.err.toStdString();
        ASSERT_TRUE(QFileInfo(s_deb).isFile())
            << "no " << s_deb.toStdString() << " in " << listTree(s_dir->file("packages")).join(u' ').toStdString();
    }
    static QString field(const QString& name)
    {
        return runProgram(QStringLiteral("dpkg-deb"), {QStringLiteral("-f"), s_deb, name}).out.trimmed();
    }

    static inline TempDir* s_dir = nullptr;
    static inline QString s_arch;
    static inline QString s_deb;
    static inline RunResult s_cpack;
};

TEST_F(PackageTest, ControlFieldsNameThePackageAndItsLibraryDependencies)
{
    EXPECT_EQ(field(QStringLiteral("Package")), QStringLiteral("arvex"));
    EXPECT_EQ(field(QStringLiteral("Version")), QStringLiteral(ARVEX_VERSION));
    EXPECT_EQ(field(QStringLiteral("Architecture")), s_arch);
    // Worked out from the programs' shared libraries, with their versions.
    const QStringList depends = field(QStringLiteral("Depends")).split(QStringLiteral(", "));
    for (const char* library : {"libc6", "libqt6core6", "libqt6widgets6", "libsdl2-2.0-0", "libcurl4"}) {
        const QString name = QString::fromLatin1(library);
        EXPECT_TRUE(std::any_of(depends.begin(), depends.end(),
                                [&](const QString& d) { return d == name || d.startsWith(name + u' '); }))
            << library << " not in " << depends.join(u',').toStdString();
    }
    const QString description = field(QStringLiteral("Description"));
    EXPECT_NE(description.section(u'\n', 0, 0).trimmed(), description.section(u'\n', 1, 1).trimmed());
}

TEST_F(PackageTest, PackageHoldsWhatAnInstallToUsrHolds)
{
    const RunResult contents = runProgram(QStringLiteral("dpkg-deb"), {QStringLiteral("-c"), s_deb});
    ASSERT_EQ(contents.exitCode, 0);
    QStringList packaged;
    static const QRegularExpression line(QStringLiteral("^([-l])\\S+\\s+\\S+\\s+\\d+\\s+\\S+\\s+\\S+\\s+\\./usr/(.*?)(?: -> .*)?$"));
    for (const QString& l : contents.out.split(u'\n', Qt::SkipEmptyParts)) {
        const auto m = line.match(l);
        if (m.hasMatch())
            packaged << m.captured(2);
    }
    packaged.sort();
    EXPECT_EQ(packaged, expectedInstallList());
}

TEST_F(PackageTest, ExtractedProgramAnswersHelpAndVersionWithoutADisplay)
{
    const QString root = s_dir->file(QStringLiteral("extracted here"));
    const RunResult x = runProgram(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), s_deb, root});
    ASSERT_EQ(x.exitCode, 0) << x.err.toStdString();
    const QString arvex = root + QStringLiteral("/usr/bin/arvex");
    const RunResult version = runProgram(arvex, {QStringLiteral("--version")}, noDisplayEnvironment("C.UTF-8"));
    EXPECT_EQ(version.exitCode, 0) << version.err.toStdString();
    EXPECT_EQ(version.out, QStringLiteral("arvex " ARVEX_VERSION "\n"));
    const RunResult help = runProgram(arvex, {QStringLiteral("--help")}, noDisplayEnvironment("C.UTF-8"));
    EXPECT_EQ(help.exitCode, 0) << help.err.toStdString();
    EXPECT_TRUE(help.out.startsWith(QStringLiteral("Usage: arvex"))) << help.out.toStdString();
    // Stripped for the package, the programs are no larger than the built ones.
    EXPECT_LE(QFileInfo(arvex).size(), QFileInfo(buildFolder() + QStringLiteral("/bin/arvex")).size());
}

TEST_F(PackageTest, ReadmeInstallSectionNamesThisPackageAndRealPaths)
{
    QFile readme(sourceFolder() + QStringLiteral("/README.md"));
    ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(readme.readAll());
    const qsizetype start = text.indexOf(QStringLiteral("\n## Install\n"));
    ASSERT_GE(start, 0);
    const QString section = text.mid(start, text.indexOf(QStringLiteral("\n## "), start + 5) - start);
    EXPECT_TRUE(section.contains(QStringLiteral("cpack -G DEB")));
    EXPECT_TRUE(section.contains(QStringLiteral("cmake --install build --prefix ~/.local")));
    // The package file it names is the one cpack makes here (on amd64).
    if (s_arch == QLatin1String("amd64")) {
        EXPECT_TRUE(section.contains(QStringLiteral("build/") + QFileInfo(s_deb).fileName()));
    }
    // Every installed path it names is in the package.
    const QStringList packaged = expectedInstallList();
    static const QRegularExpression path(QStringLiteral("`((?:bin|share|libexec)/[^`]*)`"));
    int named = 0;
    for (auto it = path.globalMatch(section); it.hasNext();) {
        const QString p = it.next().captured(1);
        ++named;
        EXPECT_TRUE(std::any_of(packaged.begin(), packaged.end(),
                                [&](const QString& f) { return f == p || f.startsWith(p.endsWith(u'/') ? p : p + u'/'); }))
            << p.toStdString();
    }
    EXPECT_GE(named, 8);
    EXPECT_TRUE(section.contains(QStringLiteral("cp -rL /usr/share/arvex/demo")));
}

} // namespace
