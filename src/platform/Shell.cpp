#include "platform/Shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace tav {

QString Shell::programPath(const QString& path) {
#ifdef Q_OS_WIN
    return path;
#else
    QString p = path;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (p.endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive)) p.chop(4);
    return p;
#endif
}

bool Shell::programExists(const QString& path) const {
    const QFileInfo info(programPath(path));
    return info.isFile();
}

QString Shell::windowLockPath(const QString& title) {
    return QDir(QDir::tempPath()).filePath(QStringLiteral("Kavurel-") + title + QStringLiteral(".lock"));
}

QString Shell::windowRaisePath(const QString& title) {
    return QDir(QDir::tempPath()).filePath(QStringLiteral("Kavurel-") + title + QStringLiteral(".vorne"));
}

bool Shell::windowExists(const QString& title) const {
    QLockFile lock(windowLockPath(title));
    lock.setStaleLockTime(0);
    if (lock.tryLock(0)) {
        lock.unlock();
        return false;
    }
    return lock.error() == QLockFile::LockFailedError;
}

bool Shell::raiseWindow(const QString& title) {
    // A lock we can take is nobody's: no program announces the window. A lock left behind by
    // a program that died is taken over the same way.
    QLockFile lock(windowLockPath(title));
    lock.setStaleLockTime(0);
    if (lock.tryLock(0)) {
        lock.unlock();
        return false;
    }
    if (lock.error() != QLockFile::LockFailedError) return false;
    QFile anfrage(windowRaisePath(title));
    return anfrage.open(QIODevice::WriteOnly | QIODevice::Truncate);
}

bool SystemShell::openDocument(const QString& path) {
    if (!QFileInfo(path).isFile()) return false;
    const QUrl url = QUrl::fromLocalFile(path);
    if (QDesktopServices::openUrl(url)) return true;
#ifndef Q_OS_WIN
    // Some display plugins (offscreen, minimal) have no desktop services; the desktop's own
    // opener of documents is asked directly then.
    const QString oeffner = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!oeffner.isEmpty()) return QProcess::startDetached(oeffner, {url.toString()});
#endif
    return false;
}

bool SystemShell::startProgram(const QString& path, const QStringList& arguments) {
    const QString program = programPath(path);
    const QFileInfo info(program);
    if (!info.isFile() || !info.isExecutable()) return false;
    return QProcess::startDetached(program, arguments, info.absolutePath());
}

bool ScriptedShell::openDocument(const QString& path) {
    opened_ << path;
    return documents_.contains(path);
}

bool ScriptedShell::startProgram(const QString& path, const QStringList& arguments) {
    const QString program = programPath(path);
    if (!programs_.contains(program) || failing_.contains(program)) return false;
    started_.push_back({program, arguments});
    return true;
}

bool ScriptedShell::raiseWindow(const QString& title) {
    if (!windows_.contains(title)) return false;
    raised_ << title;
    return true;
}

bool ScriptedShell::programExists(const QString& path) const { return programs_.contains(programPath(path)); }

}  // namespace tav
