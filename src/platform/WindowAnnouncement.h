#pragma once

#include <QObject>
#include <QString>
#include <memory>

class QLockFile;
class QTimer;

namespace tav {

// The side of a family program whose window others look for by its title (see
// Shell::raiseWindow): while the object lives it holds the lock file of the title, and it
// signals raiseRequested() when another program asks for the window to come forward.
class WindowAnnouncement : public QObject {
    Q_OBJECT
public:
    // False from active() when another program already announces the title.
    explicit WindowAnnouncement(const QString& title, QObject* parent = nullptr);
    ~WindowAnnouncement() override;

    bool active() const;
    // Gives the title up (the window closed); the program may still be running.
    void release();

signals:
    void raiseRequested();

private:
    void poll();

    QString title_;
    std::unique_ptr<QLockFile> lock_;
    QTimer* timer_ = nullptr;
};

}  // namespace tav
