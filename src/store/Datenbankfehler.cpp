#include "store/Datenbankfehler.h"

#include <QFileInfo>

namespace tav {

QString datenbankFehlertext(const QString& was, const DatabaseError& fehler) {
    QString text = was;
    if (!fehler.file().isEmpty()) text += QStringLiteral("\nDatenbank: ") + QFileInfo(fehler.file()).fileName();
    return text + QLatin1Char('\n') + fehler.reason();
}

}  // namespace tav
