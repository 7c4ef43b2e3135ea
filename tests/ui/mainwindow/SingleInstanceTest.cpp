#include "support/TempDir.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

namespace {

QProcess* startArvex(const TempDir& home, QObject* parent)
{
    auto* p = new QProcess(parent);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ARVEX_HOME", home.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    p->setProcessEnvironment(env);
    p->start(QStringLiteral(ARVEX_TEST_BIN_DIR) + "/arvex", {});
    return p;
}

} // namespace

TEST(SingleInstance, ASecondStartHandsOverAndEnds)
{
    TempDir home;
    home.mkdir("Config/Amiga");
    QObject owner;
    QProcess* first = startArvex(home, &owner);
    ASSERT_TRUE(first->waitForStarted(5000));
    // Wait until the first instance has written its settings (it is up).
    QElapsedTimer t;
    t.start();
    while (home.read("Config/arvex.ini").isEmpty() && t.elapsed() < 10000)
        QThread::msleep(50);
    QThread::msleep(300);

    QProcess* second = startArvex(home, &owner);
    ASSERT_TRUE(second->waitForFinished(10000));
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(first->state(), QProcess::Running);

    // Another program folder is another launcher.
    TempDir other;
    QProcess* third = startArvex(other, &owner);
    EXPECT_FALSE(third->waitForFinished(1500));
    third->kill();
    third->waitForFinished();
    first->kill();
    first->waitForFinished();
}
