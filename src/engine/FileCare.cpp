#include "engine/FileCare.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tav::filecare {

namespace {

constexpr qint64 kMinimumAgeSeconds = 10 * 60;

}  // namespace

QStringList removeStaleSuperJournals(const QString& folder, const QDateTime& now) {
    const QDir dir(folder);
    QByteArray journals;
    for (const QFileInfo& j : dir.entryInfoList({QStringLiteral("*-journal")}, QDir::Files)) {
        QFile f(j.absoluteFilePath());
        if (f.open(QIODevice::ReadOnly)) journals += f.readAll();
    }
    QStringList removed;
    for (const QFileInfo& mj : dir.entryInfoList({QStringLiteral("*-mj*")}, QDir::Files)) {
        if (mj.lastModified().secsTo(now) < kMinimumAgeSeconds) continue;
        if (journals.contains(mj.fileName().toUtf8())) continue;  // a journal still needs it for its rollback
        if (QFile::remove(mj.absoluteFilePath())) removed << mj.absoluteFilePath();
    }
    return removed;
}

bool isReadOnly(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) return false;
    // The mode bits, not the current user's right: a privileged user may write anything.
    const auto writeBits = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    if (!(info.permissions() & writeBits)) return true;
    sqlite3* db = nullptr;
    bool readOnly = false;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        readOnly = true;
    } else {
        // Only a write shows whether the journal can be made; the empty transaction changes
        // nothing. A lock held elsewhere is no protection against writing.
        sqlite3_busy_timeout(db, 0);
        const int rc = sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        readOnly = (rc & 0xFF) == SQLITE_READONLY || (rc & 0xFF) == SQLITE_CANTOPEN;
        if (rc == SQLITE_OK) sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    sqlite3_close_v2(db);
    return readOnly;
}

}  // namespace tav::filecare
