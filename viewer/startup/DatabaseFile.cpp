// How a database file is recognised and opened. Every connection of the viewer comes through here.
#include "startup/DataAccess.h"
#include "startup/JetFiles.h"

#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <sqlite3.h>

namespace {

std::atomic<int> busyTimeoutMs{5000};

const QByteArray SqliteMagic("SQLite format 3\0", 16);

bool IsJetHeader(const QByteArray& head)
{
    if (head.size() < 19 || head.left(4) != QByteArray("\0\1\0\0", 4)) return false;
    const QByteArray kind = head.mid(4, 15);
    return kind == "Standard Jet DB" || kind == "Standard ACE DB";
}

} // namespace

void SetBusyTimeout(int milliseconds) { busyTimeoutMs = milliseconds; }
int BusyTimeout() { return busyTimeoutMs; }

DatabaseFormat DetectDatabaseFormat(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists()) return DatabaseFormat::Missing;
    if (info.isDir()) return DatabaseFormat::Folder;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return DatabaseFormat::Unknown;
    const QByteArray head = file.read(32);
    if (head.isEmpty()) return DatabaseFormat::Empty;
    if (head.startsWith(SqliteMagic)) return DatabaseFormat::SQLite;
    if (IsJetHeader(head)) return DatabaseFormat::Jet;
    return DatabaseFormat::Unknown;
}

sqlite3* OpenDatabaseFile(const QString& path, bool create)
{
    QString file = path;
    bool readOnly = false;
    switch (DetectDatabaseFormat(path)) {
    case DatabaseFormat::Missing:
        if (!create) throw DataError(path, QStringLiteral("file not found"));
        break;
    case DatabaseFormat::Folder:
        throw DataError(path, QStringLiteral("a folder, not a database file"));
    case DatabaseFormat::Empty:
        if (!create) throw DataError(path, QStringLiteral("empty file, not a database"));
        break;
    case DatabaseFormat::Jet:
        // Read through a converted copy, never written: a write upgrades the file first (PrepareToWrite).
        file = JetFiles::ConvertedCopy(path);
        readOnly = true;
        break;
    case DatabaseFormat::Unknown:
        if (!QFileInfo(path).isReadable()) throw DataError(path, QStringLiteral("permission denied"));
        throw DataError(path, QStringLiteral("not a database"));
    case DatabaseFormat::SQLite:
        break;
    }

    // Without SQLITE_OPEN_CREATE a missing file is an error, never a new empty database.
    const int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(file).constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString cause = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close(db);
        throw DataError(path, cause);
    }
    sqlite3_busy_timeout(db, busyTimeoutMs);
    // Reading the schema now makes a damaged file or a lock that outlasts the timeout fail here, at the open,
    // where callers expect it.
    char* message = nullptr;
    if (sqlite3_exec(db, "select count(*) from sqlite_master", nullptr, nullptr, &message) != SQLITE_OK) {
        const QString cause = QString::fromUtf8(message ? message : sqlite3_errmsg(db));
        sqlite3_free(message);
        sqlite3_close(db);
        throw DataError(path, cause);
    }
    return db;
}
