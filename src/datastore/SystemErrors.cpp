#include "SystemErrors.h"

#include <sqlite3.h>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

std::string SystemErrorReason(int error) {
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return "na dysku zabrakło miejsca";
    case EACCES:
    case EPERM:
        return "brak uprawnień";
    case EROFS:
        return "dysk jest tylko do odczytu";
    case EIO:
    case ENXIO:
    case ENODEV:
        return "dysk zgłosił błąd odczytu lub zapisu";
    case EUCLEAN:
    case EBADMSG:
        return "plik na dysku jest uszkodzony";
    case ENOENT:
        return "nie ma takiego pliku ani folderu";
    case ENOTDIR:
        return "część ścieżki nie jest folderem";
    case EISDIR:
        return "w tym miejscu jest folder, a nie plik";
    case ENAMETOOLONG:
        return "nazwa pliku jest za długa";
    case EBUSY:
    case ETXTBSY:
        return "plik jest używany przez inny program";
    case ENOMEM:
        return "zabrakło pamięci";
    default:
        return "błąd systemu o kodzie " + std::to_string(error);
    }
}

bool IsDiskFullError(int error) { return error == ENOSPC || error == EDQUOT; }

namespace {

// The failures in which SQLite met a system call that failed: its error number is the cause.
// In any other the number may be left over from a call SQLite expected to fail.
bool FromTheSystem(int code, int systemError) {
    if (systemError == 0) return false;
    switch (code & 0xff) {
    case SQLITE_FULL:
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return true;
    default:
        return false;
    }
}

}  // namespace

std::string SqliteErrorReason(int code, int systemError) {
    if (FromTheSystem(code, systemError)) return SystemErrorReason(systemError);
    switch (code & 0xff) {
    case SQLITE_FULL:
        return SystemErrorReason(ENOSPC);
    case SQLITE_READONLY:
        return "plik jest tylko do odczytu";
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return SystemErrorReason(EACCES);
    case SQLITE_IOERR:
        return SystemErrorReason(EIO);
    case SQLITE_CANTOPEN:
        return "pliku nie da się otworzyć";
    case SQLITE_CORRUPT:
        return "plik bazy danych jest uszkodzony";
    case SQLITE_NOTADB:
        return "to nie jest plik bazy danych";
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return "plik jest używany przez inny program";
    case SQLITE_NOMEM:
        return SystemErrorReason(ENOMEM);
    default:
        return "błąd bazy danych o kodzie " + std::to_string(code);
    }
}

bool IsSqliteDiskFull(int code, int systemError) {
    return (code & 0xff) == SQLITE_FULL ||
           (FromTheSystem(code, systemError) && IsDiskFullError(systemError));
}

int SqliteSystemError(int code, int systemError) {
    if (FromTheSystem(code, systemError)) return systemError;
    return (code & 0xff) == SQLITE_FULL ? ENOSPC : 0;
}

int WhyFileCannotBeMade(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return errno == EEXIST ? 0 : errno;
    ::close(fd);
    ::unlink(path.c_str());
    return 0;
}
