// One copy of the program at a time: a second process is refused while the first runs, the lock
// is free again once the first ends, and the lock left behind by a crashed copy is taken over.
// Copies with runtime folders of their own (other users or sessions) on one install folder are
// refused as well, through the lock in its db folder.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>
#include <unistd.h>

#include "SingleInstance.h"

// The second copy, run as "ui_tests --single-instance-child <mode>":
//   hold  - takes the lock, says "acquired" or "refused", keeps it until its input closes;
//   crash - takes the lock and ends at once without releasing it.
int RunSingleInstanceChild(const char* mode) {
    SingleInstance instance;
    const bool acquired = instance.TryAcquire();
    std::printf("%s\n", acquired ? "acquired" : "refused");
    std::fflush(stdout);
    if (!acquired) return 1;
    if (std::strcmp(mode, "crash") == 0) _exit(0);  // no unlocking, as after a crash
    std::string line;
    while (std::getline(std::cin, line)) {
    }
    return 0;
}

namespace {

class SecondCopy {
public:
    explicit SecondCopy(const char* mode) {
        process_.start(QCoreApplication::applicationFilePath(),
                       {QStringLiteral("--single-instance-child"), QString::fromLatin1(mode)});
        process_.waitForStarted(10000);
        process_.waitForReadyRead(10000);
        answer_ = QString::fromLatin1(process_.readLine()).trimmed();
    }
    ~SecondCopy() { End(); }
    QString Answer() const { return answer_; }
    int End() {
        if (process_.state() != QProcess::NotRunning) {
            process_.closeWriteChannel();
            process_.waitForFinished(10000);
        }
        return process_.exitCode();
    }

private:
    QProcess process_;
    QString answer_;
};

TEST(SingleInstanceTest, SecondProcessIsRefusedWhileTheFirstRuns) {
    SingleInstance first;
    ASSERT_TRUE(first.TryAcquire());
    SecondCopy second("hold");
    EXPECT_EQ(second.Answer(), QStringLiteral("refused"));
    EXPECT_EQ(second.End(), 1);
    EXPECT_TRUE(first.IsHeld());
}

TEST(SingleInstanceTest, LockIsFreeAgainWhenTheOtherCopyEnds) {
    SecondCopy other("hold");
    ASSERT_EQ(other.Answer(), QStringLiteral("acquired"));
    SingleInstance mine;
    EXPECT_FALSE(mine.TryAcquire());
    other.End();
    EXPECT_TRUE(mine.TryAcquire());
    mine.Release();
    EXPECT_FALSE(QFile::exists(mine.LockPath()));
}

TEST(SingleInstanceTest, ARunningCopysLockIsNeverTakenOverHoweverLongItRuns) {
    SecondCopy other("hold");
    ASSERT_EQ(other.Answer(), QStringLiteral("acquired"));
    SingleInstance mine;
    // The other copy has run for an hour.
    QFile lock(mine.LockPath());
    ASSERT_TRUE(lock.open(QIODevice::ReadWrite));
    ASSERT_TRUE(lock.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                 QFileDevice::FileModificationTime));
    lock.close();
    EXPECT_FALSE(mine.TryAcquire());
    EXPECT_TRUE(mine.OtherMachineHolding().isEmpty());  // this machine's copy
}

TEST(SingleInstanceTest, ARunningCopysLockOnASharedFolderIsNeverTakenOver) {
    // On a folder shared over the network the holder's lock on the file itself does not reach
    // here: only the file's words say that the copy runs. A running copy of this program on
    // this machine, whose lock file is an hour old.
    SecondCopy other("hold");
    ASSERT_EQ(other.Answer(), QStringLiteral("acquired"));
    QTemporaryDir shared;
    ASSERT_TRUE(shared.isValid());
    QFile held(SingleInstance().LockPath());
    ASSERT_TRUE(held.open(QIODevice::ReadOnly));
    const QString path = shared.filePath(QStringLiteral("ornivex6.lock"));
    {
        QFile copy(path);
        ASSERT_TRUE(copy.open(QIODevice::WriteOnly));
        copy.write(held.readAll());
        ASSERT_TRUE(copy.flush());  // the time set below must not be moved on by a late write
        ASSERT_TRUE(copy.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                     QFileDevice::FileModificationTime));
    }
    SingleInstance mine(shared.path(), QStringLiteral("ornivex6.lock"));
    EXPECT_FALSE(mine.TryAcquire());
    EXPECT_TRUE(mine.HeldByAnother());
}

TEST(SingleInstanceTest, AFolderThatCannotBeWrittenIsNoOtherCopy) {
    // A folder under a file cannot be made, let alone written.
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    QFile file(home.filePath(QStringLiteral("plik")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    SingleInstance mine(home.filePath(QStringLiteral("plik/db")), QStringLiteral("ornivex6.lock"));
    EXPECT_FALSE(mine.TryAcquire());
    EXPECT_FALSE(mine.HeldByAnother());
}

TEST(SingleInstanceTest, LockOfACrashedCopyIsTakenOver) {
    SecondCopy crashed("crash");
    ASSERT_EQ(crashed.Answer(), QStringLiteral("acquired"));
    crashed.End();
    SingleInstance mine;
    ASSERT_TRUE(QFile::exists(mine.LockPath()));  // left behind
    EXPECT_TRUE(mine.TryAcquire());
}

// The real program, started on a shared install folder with a runtime folder of its own.
class ProgramCopy {
public:
    ProgramCopy(const QTemporaryDir& home, const QString& runtime, bool seams) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"}) {
            const QString folder = home.filePath(QString::fromLatin1(name));
            QDir().mkpath(folder);
            env.insert(QString::fromLatin1(name), folder);
        }
        const QString runtimeFolder = home.filePath(runtime);
        QDir().mkpath(runtimeFolder);
        QFile::setPermissions(runtimeFolder,
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeFolder);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("ORNIVEX_NO_STARTUP_PAUSE"), QStringLiteral("1"));
        if (seams) env.insert(QStringLiteral("ORNIVEX_TEST_SEAMS"), QStringLiteral("1"));
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(OX_PROGRAM_PATH), {});
        process.waitForStarted(10000);
    }
    ~ProgramCopy() {
        process.kill();
        process.waitForFinished(10000);
    }
    QProcess process;
};

TEST(SingleInstanceTest, ACopyOnTheSameDataIsRefusedWhateverItsRuntimeFolder) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QString dataLock = home.filePath("XDG_DATA_HOME/ornivex6/db/ornivex6.lock");
    const QString refusal = QStringLiteral("Nie można uruchomić jednocześnie dwóch kopii programu");
    const auto waitFor = [](const QString& path) {
        for (int i = 0; i < 200 && !QFile::exists(path); ++i) QThread::msleep(50);
        return QFile::exists(path);
    };

    auto first = std::make_unique<ProgramCopy>(home, "runtime-1", false);
    ASSERT_TRUE(waitFor(dataLock));
    {
        ProgramCopy second(home, "runtime-2", true);
        ASSERT_TRUE(second.process.waitForFinished(20000));
        EXPECT_EQ(second.process.exitCode(), 0);
        EXPECT_TRUE(QString::fromUtf8(second.process.readAllStandardError()).contains(refusal));
    }
    EXPECT_EQ(first->process.state(), QProcess::Running);

    // The first copy crashes: the lock it leaves behind does not keep the next copy from
    // starting, whatever its runtime folder.
    first->process.kill();
    first->process.waitForFinished(10000);
    first.reset();
    ASSERT_TRUE(QFile::exists(dataLock));
    ProgramCopy third(home, "runtime-3", true);
    ASSERT_TRUE(third.process.waitForFinished(20000));
    EXPECT_EQ(third.process.exitCode(), 0);
    const QString errors = QString::fromUtf8(third.process.readAllStandardError());
    EXPECT_FALSE(errors.contains(refusal)) << errors.toStdString();
    EXPECT_FALSE(QFile::exists(dataLock));  // released when it ended
}

}  // namespace
