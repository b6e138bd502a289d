#include "store/BeispielVerschiebung.h"

#include "engine/Database.h"

namespace tav::beispiel {

int verschieben(const QString& beispielPfad, const QDate& heute) {
    auto db = Database::open(beispielPfad);
    const QVariant erster = db->scalar(QStringLiteral("SELECT tblBelegung.Von FROM tblBelegung ORDER BY tblBelegung.ID"));
    if (erster.isNull()) return 0;
    const int d = int(erster.toDate().daysTo(heute));
    if (d == 0) return 0;
    const QString n = QString::number(d);
    Transaction t(*db);
    db->execute(QStringLiteral("UPDATE tblBelegung SET tblBelegung.Von = DateAdd('d',") + n +
                QStringLiteral(",tblBelegung.Von), tblBelegung.Bis = DateAdd('d',") + n + QStringLiteral(",tblBelegung.Bis)"));
    db->execute(QStringLiteral("UPDATE tbZahlung ") + QStringLiteral(" SET tbZahlung.ZahlDatum = DateAdd('d',") + n +
                QStringLiteral(" ,tbZahlung.ZahlDatum)"));
    db->execute(QStringLiteral("UPDATE tbRePosten ") + QStringLiteral(" SET tbRePosten.DatumPo = DateAdd('d',") + n +
                QStringLiteral(" ,tbRePosten.DatumPo)"));
    db->execute(QStringLiteral("UPDATE tbRePosten ") + QStringLiteral(" SET tbRePosten.DatumPoBis = DateAdd('d',") + n +
                QStringLiteral(" ,tbRePosten.DatumPoBis)"));
    db->execute(QStringLiteral("UPDATE tbRechnungen ") + QStringLiteral(" SET tbRechnungen.DatumRe = DateAdd('d',") + n +
                QStringLiteral(" ,tbRechnungen.DatumRe)"));
    t.commit();
    return d;
}

}  // namespace tav::beispiel
