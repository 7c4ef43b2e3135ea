// The chooser window on a real temporary folder tree, driven by keys the
// way a user at the keyboard (or a pad mapped to keys) drives it.
#include "config/Language.h"
#include "services/files/FilesWindow.h"
#include "services/files/QtFileChooser.h"
#include "support/ScriptedPrompt.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// Lets the file-system model's reader thread deliver; gives up after a
// generous bound so that a fault fails the test instead of hanging it.
template <typename Pred>
bool settle(Pred done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > 20000)
            return false;
        QTest::qWait(10);
    }
    return true;
}

class FilesWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setCurrentLanguage(kLanguageEnglish);
        m_games = m_dir.mkdir(QStringLiteral("Games"));
        m_dir.write(QStringLiteral("Games/alpha.EXE"));
        m_dir.write(QStringLiteral("Games/beta.exe"));
        m_dir.write(QStringLiteral("Games/notes.txt"));
        m_dir.write(QStringLiteral("Games/.hidden.exe"));
        m_dir.write(QStringLiteral("Games/Amiga/kick.rom"));
        m_dir.write(QStringLiteral("Games/Amiga/uae.exe"));
        m_dir.mkdir(QStringLiteral("Games/.config"));
    }

    // Shows the window and waits until its file list has read the folder.
    static void open(Files& w)
    {
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        ASSERT_TRUE(settle([&] { return w.folderLoaded(); }));
    }

    static void key(Files& w, Qt::Key k)
    {
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QTest::keyClick(target, k);
        Q_UNUSED(w);
    }

    // The file list once the model has sorted what it read.
    static void expectFiles(const Files& w, const QStringList& expected)
    {
        settle([&] { return w.shownFiles() == expected; });
        EXPECT_EQ(w.shownFiles(), expected);
    }

    static QString focusName() { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); }

    TempDir m_dir;
    QString m_games;
};

TEST_F(FilesWindowTest, OpenModeShowsCaptionHeadingAndMatchingFilesIgnoringCase)
{
    Files w(FilesMode::File, m_games, {}, QStringLiteral("*.exe"));
    open(w);
    EXPECT_EQ(w.mode(), QStringLiteral("File"));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Open File"));
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("Heading"))->text(), QStringLiteral("Open File    (\"*.exe\")"));
    expectFiles(w, QStringList({"alpha.EXE", "beta.exe"}));
    EXPECT_EQ(w.currentFolder(), m_games);
    EXPECT_EQ(w.fullPathText(), m_games);
    EXPECT_FALSE(w.findChild<QPushButton*>(QStringLiteral("OkBtn2"))->isVisible());
    EXPECT_EQ(w.places().first().path, QStringLiteral("/"));
    const auto* drive = w.findChild<QComboBox*>(QStringLiteral("Drive1"));
    EXPECT_EQ(drive->currentData().toString(), w.places().at(placeIndexFor(w.places(), m_games)).path);
}

TEST_F(FilesWindowTest, KeyboardAloneOpensAFolderAndAcceptsAFile)
{
    ScriptedPrompt prompt;
    Files w(FilesMode::File, m_games, QStringLiteral("Emulator Exe wählen"), QStringLiteral("*.exe"));
    open(w);
    ASSERT_EQ(focusName(), QStringLiteral("Dir1"));
    // Down in the tree: the only sub-folder ("Amiga"; dot folders are hidden).
    key(w, Qt::Key_Down);
    ASSERT_EQ(w.currentFolder(), m_games + QStringLiteral("Amiga/"));
    ASSERT_TRUE(settle([&] { return w.folderLoaded(); }));
    expectFiles(w, QStringList({"uae.exe"}));
    // Return moves to the file list and picks its first file, Return accepts it.
    key(w, Qt::Key_Return);
    EXPECT_EQ(focusName(), QStringLiteral("File1"));
    EXPECT_EQ(w.fullPathText(), m_games + QStringLiteral("Amiga/uae.exe"));
    key(w, Qt::Key_Return);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), m_games + QStringLiteral("Amiga/uae.exe"));
    EXPECT_EQ(w.QDialog::result(), int(QDialog::Accepted));
    EXPECT_EQ(prompt.count(), 0);
}

TEST_F(FilesWindowTest, BackspaceGoesUpTabMovesOnEscapeCancels)
{
    Files w(FilesMode::File, m_games + QStringLiteral("Amiga/kick.rom"), {}, QStringLiteral("*.ROM"));
    open(w);
    EXPECT_EQ(w.fullPathText(), m_games + QStringLiteral("Amiga/kick.rom")); // the given file is offered
    key(w, Qt::Key_Tab);
    EXPECT_EQ(focusName(), QStringLiteral("File1"));
    key(w, Qt::Key_Backspace);
    EXPECT_EQ(w.currentFolder(), m_games);
    ASSERT_TRUE(settle([&] { return w.folderLoaded(); }));
    expectFiles(w, QStringList()); // no *.rom here
    EXPECT_EQ(w.fullPathText(), m_games);     // the file chosen below no longer applies
    key(w, Qt::Key_Tab);
    EXPECT_EQ(focusName(), QStringLiteral("FileName"));
    key(w, Qt::Key_Tab);
    EXPECT_EQ(focusName(), QStringLiteral("KomplettPfadText"));
    key(w, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), QString());
    EXPECT_EQ(w.QDialog::result(), int(QDialog::Rejected));
}

TEST_F(FilesWindowTest, TypedFullPathPointsTheListsAndBadPathsAreRefusedWithAMessage)
{
    ScriptedPrompt prompt;
    Files w(FilesMode::File, m_games, {}, QStringLiteral("*"));
    open(w);
    auto* full = w.findChild<QLineEdit*>(QStringLiteral("KomplettPfadText"));
    full->setFocus();
    full->selectAll();
    QTest::keyClicks(full, m_games + QStringLiteral("Amiga/"));
    EXPECT_EQ(w.currentFolder(), m_games + QStringLiteral("Amiga/"));
    ASSERT_TRUE(settle([&] { return w.folderLoaded(); }));
    expectFiles(w, QStringList({"kick.rom", "uae.exe"}));

    QTest::keyClicks(full, QStringLiteral("missing.rom"));
    QTest::keyClick(full, Qt::Key_Return);
    EXPECT_TRUE(w.isVisible());
    ASSERT_EQ(prompt.count(), 1);
    EXPECT_EQ(prompt.lastText(), "The file \"" + m_games + "Amiga/missing.rom\" was not found.");
    EXPECT_EQ(prompt.lastTitle(), QStringLiteral("Open File"));

    full->selectAll();
    QTest::keyClicks(full, m_dir.path() + QStringLiteral("nowhere/at all/x.rom"));
    QTest::keyClick(full, Qt::Key_Return);
    EXPECT_EQ(prompt.count(), 2);
    EXPECT_TRUE(prompt.lastText().contains(QStringLiteral("was not found")));
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.currentFolder(), m_dir.path()); // as far as the typed path exists

    // A pattern typed as the name becomes the list's pattern.
    full->selectAll();
    QTest::keyClicks(full, m_games + QStringLiteral("Amiga/*.ROM"));
    QTest::keyClick(full, Qt::Key_Return);
    EXPECT_EQ(w.pattern(), QStringLiteral("*.ROM"));
    EXPECT_EQ(w.heading(), QStringLiteral("Open File    (\"*.ROM\")"));
    EXPECT_EQ(w.currentFolder(), m_games + QStringLiteral("Amiga/"));
    expectFiles(w, QStringList({"kick.rom"}));

    full->setFocus();
    full->selectAll();
    QTest::keyClicks(full, QStringLiteral(" \"") + m_games + QStringLiteral("Amiga/kick.rom\" "));
    QTest::keyClick(full, Qt::Key_Return);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), m_games + QStringLiteral("Amiga/kick.rom"));
    EXPECT_EQ(prompt.count(), 2);
}

TEST_F(FilesWindowTest, FolderModeAcceptsTheOpenedFolderWithReturn)
{
    Files w(FilesMode::Dir, m_games + QStringLiteral("no longer here/"), {}, {});
    open(w);
    EXPECT_EQ(w.mode(), QStringLiteral("Dir"));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Open Directory"));
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("Heading"))->text(), QStringLiteral("Open Directory"));
    EXPECT_TRUE(w.findChild<QPushButton*>(QStringLiteral("OkBtn2"))->isVisible());
    EXPECT_FALSE(w.findChild<QPushButton*>(QStringLiteral("Ok"))->isVisible());
    EXPECT_FALSE(w.findChild<QListView*>(QStringLiteral("File1"))->isVisible());
    EXPECT_EQ(w.currentFolder(), m_games); // the nearest folder that exists
    key(w, Qt::Key_Down);
    key(w, Qt::Key_Return);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), m_games + QStringLiteral("Amiga/"));
}

TEST_F(FilesWindowTest, SaveModeOffersTheNameAndReturnsFolderPlusName)
{
    Files w(FilesMode::SaveFile, m_games, {}, QStringLiteral("new game.uae"));
    open(w);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Save File as"));
    expectFiles(w, QStringList({"alpha.EXE", "beta.exe", "notes.txt"}));
    auto* name = w.findChild<QLineEdit*>(QStringLiteral("FileName"));
    EXPECT_EQ(name->text(), QStringLiteral("new game.uae"));
    // The name stays while the user goes to another folder.
    key(w, Qt::Key_Down);
    EXPECT_EQ(w.fullPathText(), m_games + QStringLiteral("Amiga/new game.uae"));
    name->setFocus();
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(w.result(), m_games + QStringLiteral("Amiga/new game.uae"));
}

TEST_F(FilesWindowTest, NamesWithBlanksQuotesDollarAndNewlineComeBackExactly)
{
    const QString odd = m_dir.mkdir(QStringLiteral("we ird $HOME \"q\" 'x'"));
    m_dir.write(QStringLiteral("we ird $HOME \"q\" 'x'/two\nlines $1.rom"));
    Files w(FilesMode::File, odd, {}, QStringLiteral("*.rom"));
    open(w);
    ASSERT_EQ(w.shownFiles().size(), 1);
    key(w, Qt::Key_Return); // to the file list, first file
    key(w, Qt::Key_Return);
    EXPECT_EQ(w.result(), odd + QStringLiteral("two\nlines $1.rom"));
}

TEST_F(FilesWindowTest, VanishedFolderMovesTheListsUpInsteadOfFailing)
{
    ScriptedPrompt prompt;
    const QString doomed = m_dir.mkdir(QStringLiteral("Games/Doomed/inner"));
    Files w(FilesMode::File, doomed, {}, {});
    open(w);
    ASSERT_TRUE(QDir(m_games + QStringLiteral("Doomed")).removeRecursively());
    auto* ok = w.findChild<QPushButton*>(QStringLiteral("Ok"));
    ok->setFocus();
    QTest::keyClick(ok, Qt::Key_Space);
    EXPECT_EQ(w.currentFolder(), m_games);
    EXPECT_TRUE(w.isVisible());
    ASSERT_TRUE(settle([&] { return w.folderLoaded(); }));
    expectFiles(w, QStringList({"alpha.EXE", "beta.exe", "notes.txt"}));
}

TEST_F(FilesWindowTest, UnreadableFolderShowsEmptyWithoutAMessage)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "running as root: folder permissions are not enforced";
    ScriptedPrompt prompt;
    const QString closed = m_dir.mkdir(QStringLiteral("Games/Closed"));
    m_dir.write(QStringLiteral("Games/Closed/secret.exe"));
    ASSERT_TRUE(QFile::setPermissions(closed, QFileDevice::Permissions()));
    {
        Files w(FilesMode::File, closed, {}, {});
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        QTest::qWait(200);
        expectFiles(w, QStringList());
        EXPECT_EQ(prompt.count(), 0);
    }
    QFile::setPermissions(closed, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(FilesWindowTest, RealChooserRunsTheModalWindowAndReturnsTheChoice)
{
    QtFileChooser real;
    setFileChooser(&real);
    // Answer the modal window from inside its own event loop, by keys.
    QTimer::singleShot(0, [] {
        QTimer* poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, poll, [poll] {
            auto* w = qobject_cast<Files*>(QApplication::activeModalWidget());
            if (!w || !w->folderLoaded())
                return;
            poll->deleteLater();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // tree -> file list
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // accept
        });
        poll->start(20);
    });
    EXPECT_EQ(FileOpenDialog(m_games, QStringLiteral("Deamon-Tool"), QStringLiteral("BETA.EXE")),
              m_games + QStringLiteral("beta.exe"));

    QTimer::singleShot(0, [] {
        QTimer* poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, poll, [poll] {
            if (!QApplication::activeModalWidget())
                return;
            poll->deleteLater();
            QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape);
        });
        poll->start(20);
    });
    EXPECT_EQ(FileDirSelectDialog(m_games, QStringLiteral("ROM Verzeichnis wählen")), QString());
    setFileChooser(nullptr);
}

} // namespace
