#pragma once

#include <QStringList>
#include <QTextStream>

namespace tav::cli {

// The admin tool's commands; each returns the process exit code and writes errors to err.
int run(const QStringList& args, QTextStream& out, QTextStream& err);

}  // namespace tav::cli
