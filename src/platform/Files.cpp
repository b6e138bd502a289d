#include "platform/Files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tav::files {

bool copyFile(const QString& src, const QString& dst, bool failIfExists) {
    if (QFileInfo::exists(dst)) {
        if (failIfExists) return false;
        if (!QFile::remove(dst)) return false;
    }
    return QFile::copy(src, dst);
}

bool deleteFile(const QString& path) { return QFile::remove(path); }

bool exists(const QString& path) { return QFileInfo(path).isFile(); }

bool folderExists(const QString& path) { return QFileInfo(path).isDir(); }

bool createFolder(const QString& path) { return QDir().mkpath(path) && folderExists(path); }

bool removeFolder(const QString& path) { return QDir().rmdir(path); }

QStringList findFiles(const QString& folder, const QString& pattern) {
    return QDir(folder).entryList({pattern}, QDir::Files | QDir::Hidden, QDir::Name);
}

QString programFolder() {
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

QString join(const QString& folder, const QString& name) {
    QString n = name;
    n.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (n.startsWith(QLatin1Char('/'))) n.remove(0, 1);
    QString f = folder;
    while (f.endsWith(QLatin1Char('/')) && f.size() > 1) f.chop(1);
    if (f.isEmpty()) return n;
    return f + QLatin1Char('/') + n;
}

}  // namespace tav::files
