#pragma once

#include <QStringList>
#include <QTextStream>
#include <optional>

namespace tav::cli {

// The usage lines of the list commands.
extern const char* const kListUsage;

// "liste": a daily list for a day as TSV, optionally with its allgdat.doc. nullopt when the
// arguments name another command; otherwise the exit code.
std::optional<int> listCommand(const QStringList& args, QTextStream& out, QTextStream& err);

}  // namespace tav::cli
