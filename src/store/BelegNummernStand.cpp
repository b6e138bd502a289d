#include "store/BelegNummernStand.h"

#include "engine/Database.h"

namespace tav::belegnummernstand {

namespace {

// With 1 … L in use, the run after an insert of L + 1 ends at the first used number n above L
// whose successor is free: every number between L + 1 and n has its successor in use. With
// L + 1 free the run stays at L.
const char* const kWeiter =
    "(SELECT CASE WHEN EXISTS (SELECT 1 FROM tblBelegung WHERE BelegNummer = s.Lueckenlos + 1) "
    "THEN (SELECT b.BelegNummer FROM tblBelegung b WHERE b.BelegNummer > s.Lueckenlos AND NOT EXISTS "
    "(SELECT 1 FROM tblBelegung c WHERE c.BelegNummer = b.BelegNummer + 1) ORDER BY b.BelegNummer LIMIT 1) "
    "ELSE s.Lueckenlos END FROM tbBelegNummernStand s)";

// A number n of the run that no booking holds any more ends the run at n - 1.
QString zurueck(const char* alt) {
    return QStringLiteral(
               "UPDATE tbBelegNummernStand SET Lueckenlos = %1.BelegNummer - 1 WHERE %1.BelegNummer >= 1 AND "
               "%1.BelegNummer <= Lueckenlos AND NOT EXISTS (SELECT 1 FROM tblBelegung WHERE BelegNummer = %1.BelegNummer);")
        .arg(QLatin1String(alt));
}

// A new number right after the run lengthens it as far as the numbers go on.
QString weiter() {
    return QStringLiteral("UPDATE tbBelegNummernStand SET Lueckenlos = ") + QLatin1String(kWeiter) +
           QStringLiteral(" WHERE NEW.BelegNummer = Lueckenlos + 1;");
}

}  // namespace

void einrichten(Database& zentral) {
    Transaction t(zentral);
    zentral.executeNative(QStringLiteral("DELETE FROM tbBelegNummernStand"));
    zentral.executeNative(QStringLiteral("INSERT INTO tbBelegNummernStand (Lueckenlos) VALUES (0)"));
    zentral.executeNative(QStringLiteral("UPDATE tbBelegNummernStand SET Lueckenlos = ") + QLatin1String(kWeiter));
    zentral.executeNative(QStringLiteral("CREATE TRIGGER IF NOT EXISTS tav_belegnummer_i AFTER INSERT ON tblBelegung BEGIN ") + weiter() +
                          QStringLiteral(" END"));
    zentral.executeNative(
        QStringLiteral("CREATE TRIGGER IF NOT EXISTS tav_belegnummer_u AFTER UPDATE OF BelegNummer ON tblBelegung BEGIN ") +
        zurueck("OLD") + weiter() + QStringLiteral(" END"));
    zentral.executeNative(QStringLiteral("CREATE TRIGGER IF NOT EXISTS tav_belegnummer_d AFTER DELETE ON tblBelegung BEGIN ") +
                          zurueck("OLD") + QStringLiteral(" END"));
    t.commit();
}

qint64 lueckenlosBis(Database& db) {
    if (!db.hasTableDef(QStringLiteral("tbBelegNummernStand"))) return 0;
    const QVariant n = db.scalar(QStringLiteral("SELECT Max(Lueckenlos) FROM tbBelegNummernStand"));
    return n.isNull() ? 0 : qMax<qint64>(0, n.toLongLong());
}

}  // namespace tav::belegnummernstand
