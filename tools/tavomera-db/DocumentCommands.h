#pragma once

#include <QStringList>
#include <QTextStream>
#include <optional>

namespace tav::cli {

// The commands on stored documents ("nachdruck", "datendateien"); nullopt when the command is
// none of them, else the exit code.
std::optional<int> runDocument(const QStringList& args, QTextStream& out, QTextStream& err);

// True when the command renders a PDF and needs a GUI application object.
bool documentNeedsGui(const QString& command);

extern const char* const kDocumentUsage;

}  // namespace tav::cli
