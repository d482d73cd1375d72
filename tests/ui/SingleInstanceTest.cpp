// One copy of the program at a time: a second process is refused while the first runs, the lock
// is free again once the first ends, and the lock left behind by a crashed copy is taken over.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <cstdio>
#include <cstring>
#include <iostream>
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

TEST(SingleInstanceTest, LockOfACrashedCopyIsTakenOver) {
    SecondCopy crashed("crash");
    ASSERT_EQ(crashed.Answer(), QStringLiteral("acquired"));
    crashed.End();
    SingleInstance mine;
    ASSERT_TRUE(QFile::exists(mine.LockPath()));  // left behind
    EXPECT_TRUE(mine.TryAcquire());
}

}  // namespace
