#pragma once

#include <QStringList>
#include <QTextStream>
#include <optional>

namespace tav::cli {

// The document output commands of the admin tool ("merge", "musterdaten"); nullopt when the
// command is none of them, else the exit code.
std::optional<int> runOutput(const QStringList& args, QTextStream& out, QTextStream& err);

// True when the command renders documents and needs a GUI application object.
bool outputNeedsGui(const QString& command);

extern const char* const kOutputUsage;

}  // namespace tav::cli
