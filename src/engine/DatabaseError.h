#pragma once

#include <QString>
#include <stdexcept>
#include <utility>

namespace tav {

// Every failure of the database engine: a German text for the user and, where the
// SQLite library reported it, its result code and the file the statement ran on.
class DatabaseError : public std::runtime_error {
public:
    explicit DatabaseError(const QString& message, int code = 0, QString file = {}, QString reason = {})
        : std::runtime_error(message.toStdString()), message_(message), code_(code), file_(std::move(file)), reason_(std::move(reason)) {}
    // The whole text, with the statement that failed where there was one.
    const QString& message() const { return message_; }
    int code() const { return code_; }
    // Another connection (another workstation, a backup) holds a lock the statement waited for
    // longer than the busy timeout: the same statement can succeed later.
    bool locked() const { return isLockCode(code_); }
    // SQLITE_BUSY or SQLITE_LOCKED, with or without an extended code.
    static bool isLockCode(int code) { return (code & 0xFF) == 5 || (code & 0xFF) == 6; }
    // The database file the failing statement ran on; empty when no statement ran.
    const QString& file() const { return file_; }
    // The text without the statement: what a window shows.
    const QString& reason() const { return reason_.isEmpty() ? message_ : reason_; }

private:
    QString message_;
    int code_;
    QString file_;
    QString reason_;
};

}  // namespace tav
