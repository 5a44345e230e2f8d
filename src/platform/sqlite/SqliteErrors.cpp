#include "platform/sqlite/SqliteErrors.h"

#include <sqlite3.h>

namespace platform::sqlitestore {

LSTATUS toWinError(int sqliteCode, Purpose purpose) {
    const LSTATUS ioFailure =
        purpose == Purpose::Writing ? winerror::kCantWrite : winerror::kCantRead;
    switch (sqliteCode) {
        case SQLITE_OK:
        case SQLITE_ROW:
        case SQLITE_DONE:
            return winerror::kSuccess;
        case SQLITE_CONSTRAINT_FOREIGNKEY:
            return kKeyDeleted;
        case SQLITE_NOMEM:
            return winerror::kNotEnoughMemory;
        case SQLITE_CORRUPT:
        case SQLITE_CORRUPT_INDEX:
        case SQLITE_CORRUPT_SEQUENCE:
        case SQLITE_CORRUPT_VTAB:
            return winerror::kRegistryCorrupt;
        case SQLITE_NOTADB:
            return winerror::kBadDb;
        case SQLITE_READONLY_ROLLBACK:
            // An interrupted commit that only someone allowed to write the hive can undo.
            return winerror::kAccessDenied;
        case SQLITE_READONLY:
        case SQLITE_PERM:
        case SQLITE_AUTH:
            return purpose == Purpose::Writing ? winerror::kAccessDenied : ioFailure;
        default:
            break;
    }
    switch (sqliteCode & 0xFF) {
        case SQLITE_CORRUPT:
            return winerror::kRegistryCorrupt;
        case SQLITE_NOTADB:
            return winerror::kBadDb;
        case SQLITE_READONLY:
            return purpose == Purpose::Writing ? winerror::kAccessDenied : ioFailure;
        default:
            return ioFailure;  // busy past the timeout, locked, I/O error, disk full ...
    }
}

}  // namespace platform::sqlitestore
