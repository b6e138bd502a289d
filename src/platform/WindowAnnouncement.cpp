#include "platform/WindowAnnouncement.h"

#include <QFile>
#include <QLockFile>
#include <QTimer>

#include "platform/Shell.h"

namespace tav {

WindowAnnouncement::WindowAnnouncement(const QString& title, QObject* parent) : QObject(parent), title_(title) {
    lock_ = std::make_unique<QLockFile>(Shell::windowLockPath(title));
    // A lock left behind by a program that died is taken over.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0)) {
        lock_.reset();
        return;
    }
    QFile::remove(Shell::windowRaisePath(title_));
    timer_ = new QTimer(this);
    timer_->setInterval(250);
    connect(timer_, &QTimer::timeout, this, &WindowAnnouncement::poll);
    timer_->start();
}

WindowAnnouncement::~WindowAnnouncement() { release(); }

bool WindowAnnouncement::active() const { return lock_ != nullptr; }

void WindowAnnouncement::release() {
    if (timer_) timer_->stop();
    if (lock_) lock_->unlock();
    lock_.reset();
}

void WindowAnnouncement::poll() {
    if (!lock_) return;
    const QString request = Shell::windowRaisePath(title_);
    if (!QFile::exists(request)) return;
    QFile::remove(request);
    emit raiseRequested();
}

}  // namespace tav
