#include "platform/UserName.h"

#include <pwd.h>
#include <unistd.h>

#include <QProcessEnvironment>

namespace tav {

namespace {
QString& pinned() {
    static QString name;
    return name;
}
}  // namespace

QString userName() {
    if (!pinned().isEmpty()) return pinned();
    if (const passwd* pw = getpwuid(geteuid()); pw && pw->pw_name) return QString::fromLocal8Bit(pw->pw_name);
    return QProcessEnvironment::systemEnvironment().value(QStringLiteral("USER"));
}

void setUserNameForTests(const QString& name) { pinned() = name; }

}  // namespace tav
