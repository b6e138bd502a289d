#include "InvoiceCommands.h"

#include <QFileInfo>
#include <exception>

#include "engine/Database.h"
#include "engine/DatabaseError.h"
#include "invoice/clsRechnung.h"
#include "platform/ScriptedDialogs.h"
#include "store/Geld.h"

namespace tav::cli {

const char* const kInvoiceUsage =
    "  tavomera-db documents --db DATEI (--booking ID | --address ID)\n"
    "      listet die Rechnungen, Bestätigungen und Angebote einer Buchung oder einer Adresse\n"
    "  tavomera-db document --db DATEI NUMMER\n"
    "      zeigt ein Dokument (interne Nummer ReNummer) und die Einträge, die es abrechnet\n";

namespace {

QString betrag(double x) { return QString::number(geld::runden(x), 'f', 2); }

QString feld(QString s) {
    s.replace(QLatin1Char('\t'), QStringLiteral("\\t"));
    s.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    return s.isEmpty() ? QStringLiteral("NULL") : s;
}

const QString kKopf = QStringLiteral("ReNummer\tNummer\tArt\tDatum\tAdresse\tName\tBrutto\tMwSt\tZustand\n");

void zeile(QTextStream& out, const DokumentZeile& d) {
    out << d.reNummer << '\t' << feld(d.nummerEigen) << '\t' << feld(d.art) << '\t'
        << (d.datum.isValid() ? d.datum.toString(QStringLiteral("yyyy-MM-dd")) : QStringLiteral("NULL")) << '\t' << d.adressId << '\t'
        << feld(d.name) << '\t' << betrag(d.brutto) << '\t' << betrag(d.mwst) << '\t' << d.zustand << '\n';
}

// A whole number given after an option or as the last argument; false with a message.
bool ganzeZahl(const QString& text, const QString& was, int& out, QTextStream& err) {
    bool ok = false;
    out = text.toInt(&ok);
    if (!ok || out <= 0) err << was << " braucht eine ganze Zahl größer als 0, nicht '" << text << "'.\n";
    return ok && out > 0;
}

std::unique_ptr<Database> oeffnen(const QString& datei, QTextStream& err) {
    if (datei.isEmpty()) {
        err << "--db braucht einen Dateinamen.\n";
        return nullptr;
    }
    if (!QFileInfo::exists(datei)) {
        err << "Die Datenbank " << datei << " wurde nicht gefunden.\n";
        return nullptr;
    }
    return Database::open(datei);
}

}  // namespace

int invoiceCommands(const QStringList& args, QTextStream& out, QTextStream& err) {
    const QString command = args.value(1);
    if (command != QLatin1String("documents") && command != QLatin1String("document")) return -1;
    QString datei, option, wert;
    QStringList frei;
    for (qsizetype i = 2; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--db") || a == QLatin1String("--booking") || a == QLatin1String("--address")) {
            if (++i >= args.size()) {
                err << a << " braucht einen Wert.\n";
                return 2;
            }
            if (a == QLatin1String("--db")) {
                datei = args[i];
            } else {
                if (!option.isEmpty()) {
                    err << "Geben Sie entweder --booking oder --address an.\n";
                    return 2;
                }
                option = a;
                wert = args[i];
            }
        } else if (a.startsWith(QLatin1String("--"))) {
            err << "Unbekannte Option " << a << ".\n";
            return 2;
        } else {
            frei << a;
        }
    }
    try {
        ScriptedDialogs stumm;  // the queries show no message
        if (command == QLatin1String("documents")) {
            int id = 0;
            if (option.isEmpty() || !frei.isEmpty()) {
                err << "Aufruf:\n" << kInvoiceUsage;
                return 2;
            }
            if (!ganzeZahl(wert, option, id, err)) return 2;
            auto db = oeffnen(datei, err);
            if (!db) return 1;
            clsRechnung r(*db, stumm);
            out << kKopf;
            for (const DokumentZeile& d : option == QLatin1String("--booking") ? r.dokumenteDerBuchung(id) : r.dokumenteDerAdresse(id))
                zeile(out, d);
            return 0;
        }
        int nummer = 0;
        if (frei.size() != 1 || !option.isEmpty()) {
            err << "Aufruf:\n" << kInvoiceUsage;
            return 2;
        }
        if (!ganzeZahl(frei.first(), QStringLiteral("NUMMER"), nummer, err)) return 2;
        auto db = oeffnen(datei, err);
        if (!db) return 1;
        clsRechnung r(*db, stumm);
        const std::optional<DokumentZeile> d = r.dokument(nummer);
        if (!d) {
            err << "Ein Dokument mit der Nummer " << nummer << " gibt es nicht.\n";
            return 1;
        }
        out << kKopf;
        zeile(out, *d);
        out << "\nReihenfolge\tBuchung\tPosten\tText\tMenge\tPreis\n";
        Recordset rs = db->openRecordset(
            QStringLiteral("SELECT tbRechnungen_zu_Posten.Reihenfolge, tbRechnungen_zu_Posten.IDBelegung, "
                           "tbRechnungen_zu_Posten.IDPostenRe, tbRePosten.ArtikelPo, tbRePosten.MengePo, tbRePosten.PreisPo "
                           "FROM tbRechnungen_zu_Posten LEFT JOIN tbRePosten ON tbRechnungen_zu_Posten.IDPostenRe = tbRePosten.IDRePosten "
                           "WHERE tbRechnungen_zu_Posten.IDRechnung = ? ORDER BY tbRechnungen_zu_Posten.Reihenfolge"),
            {nummer});
        for (; !rs.eof(); rs.moveNext()) {
            const bool posten = rs.integer(QStringLiteral("IDPostenRe")) != 0;
            out << rs.integer(QStringLiteral("Reihenfolge")) << '\t' << rs.integer(QStringLiteral("IDBelegung")) << '\t'
                << rs.integer(QStringLiteral("IDPostenRe")) << '\t'
                << (posten ? feld(rs.text(QStringLiteral("ArtikelPo"))) : QStringLiteral("Übernachtung")) << '\t'
                << (posten ? QString::number(rs.number(QStringLiteral("MengePo")), 'g', 15) : QStringLiteral("NULL")) << '\t'
                << (posten ? betrag(rs.number(QStringLiteral("PreisPo"))) : QStringLiteral("NULL")) << '\n';
        }
        return 0;
    } catch (const DatabaseError& e) {
        err << "Fehler: " << e.reason() << '\n';
        return 1;
    } catch (const std::exception& e) {
        err << "Fehler: " << e.what() << '\n';
        return 1;
    }
}

}  // namespace tav::cli
