#pragma once

#include <QString>
#include <stdexcept>

namespace tav {

// Every failure of the database engine: a German text for the user and, where the
// SQLite library reported it, its result code.
class DatabaseError : public std::runtime_error {
public:
    explicit DatabaseError(const QString& message, int code = 0)
        : std::runtime_error(message.toStdString()), message_(message), code_(code) {}
    const QString& message() const { return message_; }
    int code() const { return code_; }
    // Another connection (another workstation, a backup) holds a lock the statement waited for
    // longer than the busy timeout: the same statement can succeed later.
    bool locked() const { return (code_ & 0xFF) == 5 /* SQLITE_BUSY */ || (code_ & 0xFF) == 6 /* SQLITE_LOCKED */; }

private:
    QString message_;
    int code_;
};

}  // namespace tav
