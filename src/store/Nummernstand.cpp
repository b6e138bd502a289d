#include "store/Nummernstand.h"

#include "engine/Database.h"

namespace tav::nummernstand {

namespace {

QString text(const Nummernlauf& l, const char* vorlage) {
    return QString::fromLatin1(vorlage)
        .replace(QLatin1String("$T"), QString::fromUtf8(l.tabelle))
        .replace(QLatin1String("$F"), QString::fromUtf8(l.feld))
        .replace(QLatin1String("$S"), QString::fromUtf8(l.stand))
        .replace(QLatin1String("$P"), QString::fromUtf8(l.trigger));
}

// With 1 … L in use, the run after an insert of L + 1 ends at the first used number n above L
// whose successor is free: every number between L + 1 and n has its successor in use. With
// L + 1 free the run stays at L.
const char* const kWeiter =
    "(SELECT CASE WHEN EXISTS (SELECT 1 FROM $T WHERE $F = s.Lueckenlos + 1) "
    "THEN (SELECT b.$F FROM $T b WHERE b.$F > s.Lueckenlos AND NOT EXISTS "
    "(SELECT 1 FROM $T c WHERE c.$F = b.$F + 1) ORDER BY b.$F LIMIT 1) "
    "ELSE s.Lueckenlos END FROM $S s)";

// A number n of the run that no row holds any more ends the run at n - 1.
const char* const kZurueck =
    "UPDATE $S SET Lueckenlos = OLD.$F - 1 WHERE OLD.$F >= 1 AND "
    "OLD.$F <= Lueckenlos AND NOT EXISTS (SELECT 1 FROM $T WHERE $F = OLD.$F);";

// A new number right after the run lengthens it as far as the numbers go on.
QString weiter(const Nummernlauf& l) {
    return text(l, "UPDATE $S SET Lueckenlos = ") + text(l, kWeiter) + text(l, " WHERE NEW.$F = Lueckenlos + 1;");
}

}  // namespace

void einrichten(Database& datei, const Nummernlauf& l) {
    Transaction t(datei);
    datei.executeNative(text(l, "DELETE FROM $S"));
    datei.executeNative(text(l, "INSERT INTO $S (Lueckenlos) VALUES (0)"));
    datei.executeNative(text(l, "UPDATE $S SET Lueckenlos = ") + text(l, kWeiter));
    datei.executeNative(text(l, "CREATE TRIGGER IF NOT EXISTS $P_i AFTER INSERT ON $T BEGIN ") + weiter(l) + QStringLiteral(" END"));
    datei.executeNative(text(l, "CREATE TRIGGER IF NOT EXISTS $P_u AFTER UPDATE OF $F ON $T BEGIN ") + text(l, kZurueck) + weiter(l) +
                        QStringLiteral(" END"));
    datei.executeNative(text(l, "CREATE TRIGGER IF NOT EXISTS $P_d AFTER DELETE ON $T BEGIN ") + text(l, kZurueck) +
                        QStringLiteral(" END"));
    t.commit();
}

qint64 lueckenlosBis(Database& db, const Nummernlauf& l) {
    if (!db.hasTableDef(QString::fromUtf8(l.stand))) return 0;
    const QVariant n = db.scalar(text(l, "SELECT Max(Lueckenlos) FROM $S"));
    return n.isNull() ? 0 : qMax<qint64>(0, n.toLongLong());
}

}  // namespace tav::nummernstand
