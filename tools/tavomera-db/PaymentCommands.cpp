#include "PaymentCommands.h"

#include "engine/Database.h"
#include "engine/DatabaseError.h"
#include "payment/Zahlungen.h"

namespace tav::cli {

namespace {

// Amounts for scripts: a point and two decimals, exact from the cents.
QString betrag(geld::Cent c) {
    const geld::Cent b = c < 0 ? -c : c;
    return QStringLiteral("%1%2.%3").arg(c < 0 ? QStringLiteral("-") : QString()).arg(b / 100).arg(b % 100, 2, 10, QLatin1Char('0'));
}

QString text(QString s) {
    s.replace(QLatin1Char('\t'), QStringLiteral("\\t"));
    s.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    return s;
}

void ausgeben(const QList<Zahlung>& zahlungen, const QList<RechnungsBlock>& rechnungen, QTextStream& out) {
    out << "IDZahlung\tIdRechnung\tIDBelegung\tZahlDatum\tBetrag\tZahlart\tWasBezahlt\tZahlung_Bem\n";
    geld::Cent summe = 0;
    for (const Zahlung& z : zahlungen) {
        summe += z.betrag;
        out << z.id << '\t' << (z.rechnung ? QString::number(z.rechnung) : QStringLiteral("NULL")) << '\t'
            << (z.belegung ? QString::number(z.belegung) : QStringLiteral("NULL")) << '\t' << z.datum.toString(QStringLiteral("yyyy-MM-dd"))
            << '\t' << betrag(z.betrag) << '\t' << text(z.zahlart) << '\t' << text(z.wasBezahlt) << '\t' << text(z.bemerkung) << '\n';
    }
    out << '\n' << "ReNummer\tReNummer_eigen\tBetragBrutto\tSummeZahlungen\tNochZuZahlen\n";
    geld::Cent offen = 0;
    for (const RechnungsBlock& r : rechnungen) {
        offen += r.offen();
        out << r.reNummer << '\t' << text(r.eigeneNummer) << '\t' << betrag(r.brutto) << '\t' << betrag(r.gezahlt) << '\t'
            << betrag(r.offen()) << '\n';
    }
    out << '\n' << "Zahlungen\t" << betrag(summe) << '\n' << "NochZuZahlen\t" << betrag(offen) << '\n';
}

}  // namespace

bool zahlungenBefehl(const QStringList& args, QTextStream& out, QTextStream& err, int& rc) {
    if (args.value(1) != QLatin1String("zahlungen")) return false;
    QString datei, art;
    int id = 0;
    bool ok = true;
    for (qsizetype i = 2; i < args.size() && ok; ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--db") && i + 1 < args.size()) {
            datei = args[++i];
        } else if ((a == QLatin1String("--buchung") || a == QLatin1String("--rechnung") || a == QLatin1String("--adresse")) &&
                   i + 1 < args.size() && art.isEmpty()) {
            art = a;
            id = args[++i].toInt(&ok);
            if (!ok || id <= 0) {
                err << a << " braucht eine positive ganze Zahl.\n";
                rc = 2;
                return true;
            }
        } else {
            ok = false;
        }
    }
    if (!ok || datei.isEmpty() || art.isEmpty()) {
        err << "Aufruf:\n" << kZahlungenAufruf;
        rc = 2;
        return true;
    }
    try {
        auto db = Database::open(datei);
        Zahlungen z(*db);
        if (art == QLatin1String("--buchung")) {
            if (db->scalar(QStringLiteral("SELECT Count(*) FROM tblBelegung WHERE ID = ?"), {id}).toInt() == 0) {
                err << "Es gibt keine Buchung " << id << ".\n";
                rc = 1;
                return true;
            }
            const QList<int> buchungen = z.blockMitglieder(id);
            ausgeben(z.zahlungenDerBelegungen(buchungen), z.alleRechnungen(buchungen), out);
        } else if (art == QLatin1String("--rechnung")) {
            const QList<RechnungsBlock> block = z.rechnungsBlock(id);
            if (block.isEmpty()) {
                err << "Es gibt keine Rechnung " << id << ".\n";
                rc = 1;
                return true;
            }
            QList<Zahlung> zahlungen;
            for (Recordset rs = db->openRecordset(
                     QStringLiteral("SELECT IDZahlung FROM tbZahlung WHERE IdRechnung = ? ORDER BY ZahlDatum, IDZahlung"), {id});
                 !rs.eof(); rs.moveNext())
                if (auto zahlung = z.zahlung(rs.integer(QStringLiteral("IDZahlung")))) zahlungen << *zahlung;
            ausgeben(zahlungen, block, out);
        } else {
            ausgeben(z.zahlungenDerAdresse(id), z.rechnungenDerAdresse(id), out);
        }
        rc = 0;
    } catch (const DatabaseError& e) {
        err << "Fehler: " << e.message() << '\n';
        rc = 1;
    }
    return true;
}

}  // namespace tav::cli
