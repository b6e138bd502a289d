#include "support/TempFolder.h"

#include <QDir>

namespace tav::test {

TempFolder::TempFolder() : dir_(QDir::tempPath() + QStringLiteral("/tavomera-test-XXXXXX")) {}

QString TempFolder::file(const QString& name) const { return QDir(dir_.path()).filePath(name); }

}  // namespace tav::test
