#pragma once
// A disk of a few megabytes of its own (a tmpfs mounted over a folder), for tests of what a
// full disk does: only a real disk runs out of room in every way a write can meet it. Mounting
// needs root; a test without it skips.

#include <sys/mount.h>
#include <sys/statvfs.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

class SmallDisk {
public:
    // Mounts a disk of `bytes` over `folder`, with what `folder` held copied onto it.
    SmallDisk(const std::filesystem::path& folder, unsigned long long bytes) : folder_(folder) {
        namespace fs = std::filesystem;
        std::error_code ec;
        const fs::path aside = folder.string() + ".before-small-disk";
        fs::remove_all(aside, ec);
        fs::create_directories(folder, ec);
        fs::copy(folder, aside, fs::copy_options::recursive, ec);
        if (ec) {
            error_ = ec.message();
            return;
        }
        const std::string size = "size=" + std::to_string(bytes);
        if (::mount("tmpfs", folder.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, size.c_str()) != 0) {
            error_ = std::strerror(errno);
            fs::remove_all(aside, ec);
            return;
        }
        mounted_ = true;
        fs::copy(aside, folder, fs::copy_options::recursive | fs::copy_options::overwrite_existing, ec);
        fs::remove_all(aside, ec);
        if (ec) error_ = ec.message();
    }
    ~SmallDisk() {
        if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    // Gives the disk a new size (not below what its files take).
    bool Resize(unsigned long long bytes) {
        const std::string size = "size=" + std::to_string(bytes);
        return mounted_ &&
               ::mount("tmpfs", folder_.c_str(), "tmpfs", MS_REMOUNT | MS_NOSUID | MS_NODEV,
                       size.c_str()) == 0;
    }

    // Lets the disk take only `more` new files or folders (whatever room in bytes it has).
    bool LimitFiles(unsigned long long more) {
        struct statvfs info {};
        if (!mounted_ || ::statvfs(folder_.c_str(), &info) != 0) return false;
        const std::string limit = "nr_inodes=" + std::to_string(info.f_files - info.f_ffree + more);
        return ::mount("tmpfs", folder_.c_str(), "tmpfs", MS_REMOUNT | MS_NOSUID | MS_NODEV,
                       limit.c_str()) == 0;
    }

    bool ok() const { return mounted_ && error_.empty(); }
    const std::string& error() const { return error_; }

    // The room left on the disk, in bytes.
    unsigned long long Free() const {
        struct statvfs info {};
        if (::statvfs(folder_.c_str(), &info) != 0) return 0;
        return static_cast<unsigned long long>(info.f_bavail) * info.f_frsize;
    }
    // The room its files take, in bytes.
    unsigned long long Used() const {
        struct statvfs info {};
        if (::statvfs(folder_.c_str(), &info) != 0) return 0;
        return static_cast<unsigned long long>(info.f_blocks - info.f_bfree) * info.f_frsize;
    }

private:
    std::filesystem::path folder_;
    bool mounted_ = false;
    std::string error_;
};
