#include "BlockCommands.h"

#include "engine/Database.h"
#include "engine/DatabaseError.h"
#include "engine/Recordset.h"
#include "payment/AdressKonto.h"
#include "store/mdBlockbuchung.h"

namespace tav::cli {

namespace {

// Amounts for scripts: a point and two decimals, exact from the cents.
QString betrag(geld::Cent c) {
    const geld::Cent b = c < 0 ? -c : c;
    return QStringLiteral("%1%2.%3").arg(c < 0 ? QStringLiteral("-") : QString()).arg(b / 100).arg(b % 100, 2, 10, QLatin1Char('0'));
}

}  // namespace

bool blockBefehl(const QStringList& args, QTextStream& out, QTextStream& err, int& rc) {
    const QString befehl = args.value(1);
    if (befehl != QLatin1String("block") && befehl != QLatin1String("konto")) return false;
    const QString schalter = befehl == QLatin1String("block") ? QStringLiteral("--buchung") : QStringLiteral("--adresse");
    QString datei;
    int id = 0;
    bool ok = true;
    for (qsizetype i = 2; i < args.size() && ok; ++i) {
        if (args[i] == QLatin1String("--db") && i + 1 < args.size()) {
            datei = args[++i];
        } else if (args[i] == schalter && i + 1 < args.size()) {
            id = args[++i].toInt(&ok);
            if (!ok || id <= 0) {
                err << schalter << " braucht eine positive ganze Zahl.\n";
                rc = 2;
                return true;
            }
        } else {
            ok = false;
        }
    }
    if (!ok || datei.isEmpty() || id == 0) {
        err << "Aufruf:\n" << kBlockAufruf;
        rc = 2;
        return true;
    }
    try {
        auto db = Database::open(datei);
        if (befehl == QLatin1String("block")) {
            const int block = mdBlockbuchung::BlocknummerDerBelegung(*db, id);
            if (block == 0) {
                err << "Die Buchung " << id << " gehört zu keiner Blockbuchung.\n";
                rc = 1;
                return true;
            }
            out << "IDBlockbuchung\tIDBelegung\tMaster\tZimmernummer\tVon\tBis\tKürzel\tPreis\n";
            for (int mitglied : mdBlockbuchung::mitglieder(*db, block)) {
                Recordset rs = db->openRecordset(
                    QStringLiteral(
                        "SELECT tblBelegung.Zimmernummer, tblBelegung.Von, tblBelegung.Bis, tblBelegung.Kürzel, tblBelegung.Preis, "
                        "tbBlockbuchung.Master FROM tblBelegung INNER JOIN tbBlockbuchung ON tblBelegung.ID = "
                        "tbBlockbuchung.IDBelegung WHERE tblBelegung.ID = ?"),
                    {mitglied});
                if (rs.eof()) continue;
                out << block << '\t' << mitglied << '\t' << (rs.yes(QStringLiteral("Master")) ? -1 : 0) << '\t'
                    << rs.integer(QStringLiteral("Zimmernummer")) << '\t'
                    << rs.value(QStringLiteral("Von")).toDate().toString(QStringLiteral("yyyy-MM-dd")) << '\t'
                    << rs.value(QStringLiteral("Bis")).toDate().toString(QStringLiteral("yyyy-MM-dd")) << '\t'
                    << rs.text(QStringLiteral("Kürzel")) << '\t' << betrag(geld::cent(rs.number(QStringLiteral("Preis")))) << '\n';
            }
            rc = 0;
            return true;
        }
        AdressKonto konto(*db, id);
        if (konto.anschrift().isEmpty()) {
            err << "Es gibt keine Adresse " << id << ".\n";
            rc = 1;
            return true;
        }
        const AdressKonto::Rechnungen r = konto.rechnungen();
        out << "Reservierungen\t" << betrag(AdressKonto::summe(konto.reservierungen(false))) << '\n'
            << "Rechnungen\t" << betrag(r.summe) << '\n'
            << "Zahlungen\t" << betrag(r.gezahlt) << '\n'
            << "Differenz\t" << betrag(r.differenz()) << '\n'
            << "ZahlungenFuerRechnungen\t" << betrag(AdressKonto::summe(konto.zahlungenMitRechnung())) << '\n'
            << "ZahlungenOhneRechnung\t" << betrag(AdressKonto::summe(konto.zahlungenOhneRechnung())) << '\n'
            << "NichtAbgerechnet\t" << betrag(AdressKonto::summe(konto.offenePosten())) << '\n';
        rc = 0;
    } catch (const DatabaseError& e) {
        err << e.message() << '\n';
        rc = 1;
    }
    return true;
}

}  // namespace tav::cli
