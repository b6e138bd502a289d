#pragma once

#include <QStringList>
#include <QTextStream>

namespace tav::cli {

// The document commands ("documents", "document"): the exit code, or -1 when args[1] is none
// of them.
int invoiceCommands(const QStringList& args, QTextStream& out, QTextStream& err);

extern const char* const kInvoiceUsage;

}  // namespace tav::cli
