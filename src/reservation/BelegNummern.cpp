#include "reservation/BelegNummern.h"

#include "engine/Database.h"
#include "engine/JetFormat.h"
#include "store/Nummernstand.h"
#include "store/Parameter.h"

namespace tav {

NummernMuster NummernMuster::aus(const QStringList& f) {
    NummernMuster m;
    m.praefix = f.value(0).trimmed();
    m.datumsformat = f.value(1).trimmed();
    m.alle = f.value(3).trimmed() == QLatin1String("Alle");
    return m;
}

NummernMuster NummernMuster::lesen(Database& db) {
    QStringList f;
    if (const auto row = Parameter(db).read(QStringLiteral("BeNummer")))
        for (int i = 1; i <= 4; ++i) f << row->text(i);
    return aus(f);
}

bool BelegNummern::BelegNummerEigenVergeben(Database& db, const QString& text, int id) {
    Recordset rs = db.openRecordset(QStringLiteral(" SELECT tblBelegung.BelegNummer, ID ") +
                                        QStringLiteral(" From tblBelegung WHERE ((tblBelegung.BelegNummer_eigen= ?) and (ID <> ") +
                                        QString::number(id) + QStringLiteral("))"),
                                    {text});
    return !rs.eof();
}

bool BelegNummern::BelegNummerVergeben(Database& db, qint64 nummer, int id) {
    Recordset rs = db.openRecordset(QStringLiteral(" SELECT tblBelegung.BelegNummer, ID ") +
                                    QStringLiteral(" From tblBelegung WHERE ((tblBelegung.BelegNummer = ") + QString::number(nummer) +
                                    QStringLiteral(") and (ID <> ") + QString::number(id) + QStringLiteral("))"));
    return !rs.eof();
}

qint64 BelegNummern::naechste(Database& db, bool alle) {
    if (!alle) {
        const QVariant hoechste = db.scalar(QStringLiteral("SELECT Max(BelegNummer) FROM tblBelegung WHERE BelegNummer > 0"));
        return hoechste.isNull() ? 1 : hoechste.toLongLong() + 1;
    }
    // The numbers in use, smallest first: the first place where the walk and the numbers part
    // is a gap.
    // Only the numbers are walked, so the index on BelegNummer answers the query alone. The
    // walk starts after the run without gaps that the central file keeps in step.
    const qint64 lueckenlos = nummernstand::lueckenlosBis(db, nummernstand::kBelegNummern);
    Recordset rs = db.openRecordset(QStringLiteral("SELECT distinct BelegNummer ") + QStringLiteral(" From tblBelegung ") +
                                        QStringLiteral(" Where BelegNummer <> NULL and belegnummer > ?  ") +
                                        QStringLiteral(" ORDER BY tblBelegung.BelegNummer"),
                                    {lueckenlos});
    qint64 kandidat = lueckenlos + 1;
    for (; !rs.eof(); rs.moveNext()) {
        const qint64 n = rs.value(QStringLiteral("BelegNummer")).toLongLong();
        if (n > kandidat) break;
        ++kandidat;
    }
    return kandidat;
}

QString BelegNummern::eigene(const NummernMuster& muster, qint64 nummer, const QDate& datum) {
    // Prefix, number and date part are joined by one blank each. Without a prefix the number
    // stands first, with no blank before it: an invisible leading blank would make a number
    // typed by the user ("0005") differ from the stored one, so that the uniqueness test and a
    // search in the booking list would miss it.
    QStringList teile;
    if (!muster.praefix.isEmpty()) teile << muster.praefix;
    teile << jetformat::format(nummer, QStringLiteral("0000")).toString();
    if (!muster.datumsformat.isEmpty()) teile << jetformat::format(datum, muster.datumsformat).toString();
    return teile.join(QLatin1Char(' '));
}

}  // namespace tav
