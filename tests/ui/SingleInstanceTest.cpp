// One copy of the program at a time: a second process is refused while the first runs, the lock
// is free again once the first ends, and the lock left behind by a crashed copy is taken over,
// on a full disk too.
// Copies with runtime folders of their own (other users or sessions) on one install folder are
// refused as well, through the lock in its db folder.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QSysInfo>
#include <QThread>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <iostream>
#include <memory>
#include <string>
#include <unistd.h>

#include "../SmallDisk.h"
#include "SingleInstance.h"

// The second copy, run as "ui_tests --single-instance-child <mode>":
//   hold  - takes the lock, says "acquired" or "refused", keeps it until its input closes;
//   crash - takes the lock and ends at once without releasing it.
// With OX_LOCK_FOLDER set it takes the lock file ornivex6.lock in that folder, with
// OX_LOCK_USER set as that user (by number; the tests run as root).
int RunSingleInstanceChild(const char* mode) {
    const QString folder = qEnvironmentVariable("OX_LOCK_FOLDER");
    if (qEnvironmentVariableIsSet("OX_LOCK_USER")) {
        const auto user = static_cast<uid_t>(qEnvironmentVariableIntValue("OX_LOCK_USER"));
        if (::setgid(user) != 0 || ::setuid(user) != 0) return 2;
    }
    SingleInstance instance = folder.isEmpty()
                                  ? SingleInstance()
                                  : SingleInstance(folder, QStringLiteral("ornivex6.lock"));
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
    explicit SecondCopy(const char* mode, const QString& folder = {}, int user = -1) {
        if (!folder.isEmpty()) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("OX_LOCK_FOLDER"), folder);
            if (user >= 0) env.insert(QStringLiteral("OX_LOCK_USER"), QString::number(user));
            process_.setProcessEnvironment(env);
        }
        process_.start(QCoreApplication::applicationFilePath(),
                       {QStringLiteral("--single-instance-child"), QString::fromLatin1(mode)});
        process_.waitForStarted(10000);
        process_.waitForReadyRead(10000);
        answer_ = QString::fromLatin1(process_.readLine()).trimmed();
    }
    ~SecondCopy() { End(); }
    QString Answer() const { return answer_; }
    // Ends the copy as kill -9 does: nothing of it runs on.
    void Kill() {
        process_.kill();
        process_.waitForFinished(10000);
    }
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
    // The file stays for the next start, which then needs no room for it; its words go.
    EXPECT_EQ(QFileInfo(mine.LockPath()).size(), 0);
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

TEST(SingleInstanceTest, ACopyOnAnotherMachineIsNamedAndNeverTakenOver) {
    // On a folder shared over the network the holder's lock on the file itself may not reach
    // here: only the file's words say that a copy runs there.
    QTemporaryDir shared;
    ASSERT_TRUE(shared.isValid());
    const QString path = shared.filePath(QStringLiteral("ornivex6.lock"));
    {
        QFile words(path);
        ASSERT_TRUE(words.open(QIODevice::WriteOnly));
        words.write("4242\nornivex6\nstajnia-laptop\n");
    }
    SingleInstance mine(shared.path(), QStringLiteral("ornivex6.lock"));
    EXPECT_FALSE(mine.TryAcquire());
    EXPECT_TRUE(mine.HeldByAnother());
    EXPECT_EQ(mine.OtherMachineHolding(), QStringLiteral("stajnia-laptop"));
    // Asked again it is still refused: the words are left as they were.
    EXPECT_FALSE(mine.TryAcquire());
}

TEST(SingleInstanceTest, AGoneCopysLockIsTakenThoughItsProcessNumberIsInUseAgain) {
    // A crashed copy's words name a process number that now belongs to a running program of
    // the same name (here this very test): the process is not the holder, and nothing holds
    // the lock.
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    {
        QFile words(folder.filePath(QStringLiteral("ornivex6.lock")));
        ASSERT_TRUE(words.open(QIODevice::WriteOnly));
        words.write(QByteArray::number(QCoreApplication::applicationPid()) + '\n' +
                    QCoreApplication::applicationName().toUtf8() + '\n' +
                    QSysInfo::machineHostName().toUtf8() + '\n');
    }
    SingleInstance mine(folder.path(), QStringLiteral("ornivex6.lock"));
    EXPECT_TRUE(mine.TryAcquire());
}

// Fills the disk `folder` lies on to the last byte.
void FillDisk(const QString& folder) {
    QFile fill(QDir(folder).filePath(QStringLiteral("wypelnienie.bin")));
    ASSERT_TRUE(fill.open(QIODevice::WriteOnly));
    const QByteArray block(4096, 'x');
    while (fill.write(block) == block.size() && fill.flush()) {
    }
    fill.close();
}

TEST(SingleInstanceTest, OnAFullDiskARunningCopyIsRefusedAndAKilledOnesLockIsTaken) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QString folder = home.filePath(QStringLiteral("db"));
    SmallDisk disk(folder.toStdString(), 256 << 10);
    if (!disk.ok()) GTEST_SKIP() << "no small disk: " << disk.error();
    SecondCopy other("hold", folder);
    ASSERT_EQ(other.Answer(), QStringLiteral("acquired"));
    FillDisk(folder);
    ASSERT_EQ(disk.Free(), 0u);

    SingleInstance mine(folder, QStringLiteral("ornivex6.lock"));
    EXPECT_FALSE(mine.TryAcquire());
    EXPECT_TRUE(mine.HeldByAnother());
    other.Kill();
    EXPECT_TRUE(mine.TryAcquire());
}

TEST(SingleInstanceTest, ALockFileThisUserMayOnlyReadIsASecondCopyOnlyWhileItIsHeld) {
    // As another user's lock file is to this one: it can be read, not written (immutable here,
    // since the tests run as root).
    for (const bool held : {true, false}) {
        SCOPED_TRACE(held ? "held by a running copy" : "held by none");
        QTemporaryDir folder;
        ASSERT_TRUE(folder.isValid());
        std::unique_ptr<SecondCopy> other;
        if (held) {
            other = std::make_unique<SecondCopy>("hold", folder.path());
            ASSERT_EQ(other->Answer(), QStringLiteral("acquired"));
        } else {
            SingleInstance before(folder.path(), QStringLiteral("ornivex6.lock"));
            ASSERT_TRUE(before.TryAcquire());
        }
        const QByteArray file = QFile::encodeName(folder.filePath(QStringLiteral("ornivex6.lock")));
        if (std::system(("chattr +i '" + file + "' 2>/dev/null").constData()) != 0) {
            GTEST_SKIP() << "chattr +i is not available on this file system";
        }
        SingleInstance mine(folder.path(), QStringLiteral("ornivex6.lock"));
        EXPECT_FALSE(mine.TryAcquire());
        EXPECT_EQ(mine.HeldByAnother(), held);
        if (!held) EXPECT_EQ(mine.Error(), EPERM);
        std::system(("chattr -i '" + file + "'").constData());
    }
}

TEST(SingleInstanceTest, AnotherUserTakesTheLockFileOnceTheCopyThatMadeItHasEnded) {
    // The file stays when a copy ends; on an install folder two users share, the next copy
    // may be the other user's.
    if (geteuid() != 0) GTEST_SKIP() << "needs root to start a copy as another user";
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    ASSERT_TRUE(QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                         QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                                         QFileDevice::WriteOther | QFileDevice::ExeOther));
    const mode_t mask = ::umask(022);
    {
        SingleInstance first(folder.path(), QStringLiteral("ornivex6.lock"));
        ASSERT_TRUE(first.TryAcquire());
    }
    ::umask(mask);
    SecondCopy other("hold", folder.path(), 65534);
    EXPECT_EQ(other.Answer(), QStringLiteral("acquired"));
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
    EXPECT_EQ(QFileInfo(dataLock).size(), 0);  // released when it ended
}

TEST(SingleInstanceTest, AProgramKilledOnFullDisksIsNoSecondCopyAtTheNextStart) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QString install = home.filePath("XDG_DATA_HOME/ornivex6");
    const QString db = install + "/db";
    const QString runtime = home.filePath("runtime-1");
    SmallDisk installDisk(install.toStdString(), 16 << 20);
    SmallDisk runtimeDisk(runtime.toStdString(), 64 << 10);
    if (!installDisk.ok() || !runtimeDisk.ok()) GTEST_SKIP() << "no small disk can be mounted here";
    const auto waitFor = [](const QString& path) {
        for (int i = 0; i < 200 && !QFile::exists(path); ++i) QThread::msleep(50);
        return QFile::exists(path);
    };
    {
        ProgramCopy first(home, "runtime-1", false);
        ASSERT_TRUE(waitFor(db + "/ornivex6.lock"));
        ASSERT_TRUE(waitFor(db + "/dodatkowe_informacje.db"));
        QThread::msleep(500);
        FillDisk(install);
        FillDisk(runtime);
        ASSERT_EQ(installDisk.Free(), 0u);
        ASSERT_EQ(runtimeDisk.Free(), 0u);
    }  // killed
    const QString refusal = QStringLiteral("dwóch kopii");
    {
        ProgramCopy second(home, "runtime-1", true);
        ASSERT_TRUE(second.process.waitForFinished(20000));
        const QString errors = QString::fromUtf8(second.process.readAllStandardError());
        EXPECT_EQ(second.process.exitCode(), 1) << errors.toStdString();
        EXPECT_FALSE(errors.contains(refusal)) << errors.toStdString();
        EXPECT_TRUE(errors.contains("Na dysku z folderem danych " + db + " zabrakło miejsca"))
            << errors.toStdString();
    }
    // With room made it starts.
    QFile::remove(install + "/wypelnienie.bin");
    ProgramCopy third(home, "runtime-1", true);
    ASSERT_TRUE(third.process.waitForFinished(20000));
    const QString errors = QString::fromUtf8(third.process.readAllStandardError());
    EXPECT_EQ(third.process.exitCode(), 0) << errors.toStdString();
    EXPECT_FALSE(errors.contains(refusal)) << errors.toStdString();
}

}  // namespace
