#pragma once
// Only one copy of the program runs at a time: the first copy holds a lock file in the user's
// runtime folder for as long as it runs. The lock of a copy that ended without releasing it (a
// crash) is recognised by its dead process and taken over.

#include <QString>
#include <memory>

class QLockFile;

class SingleInstance {
public:
    explicit SingleInstance(const QString& name = QStringLiteral("ornivex6"));
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this process now holds the lock (or held it already); false when another
    // running copy holds it.
    bool TryAcquire();
    void Release();
    bool IsHeld() const { return held_; }
    QString LockPath() const { return path_; }

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
    bool held_ = false;
};
