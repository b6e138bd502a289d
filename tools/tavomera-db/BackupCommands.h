#pragma once

#include <QStringList>
#include <QTextStream>

namespace tav::cli {

// "backup", "backups" and "restore": true when args name one of them, with its exit code in rc.
bool backupCommand(const QStringList& args, QTextStream& out, QTextStream& err, int& rc);

}  // namespace tav::cli
