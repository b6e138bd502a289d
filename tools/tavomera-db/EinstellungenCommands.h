#pragma once

#include <QStringList>
#include <QTextStream>

namespace tav::cli {

// "feiertage" and "feiertage-import": the exit code, or -1 when command is none of them.
int einstellungenBefehl(const QString& command, const QString& dbPfad, const QStringList& positional, QTextStream& out, QTextStream& err);

}  // namespace tav::cli
