#pragma once

#include <QString>
#include <QTemporaryDir>

namespace tav::test {

// A folder that exists for the lifetime of the object.
class TempFolder {
public:
    TempFolder();
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const;

private:
    QTemporaryDir dir_;
};

}  // namespace tav::test
