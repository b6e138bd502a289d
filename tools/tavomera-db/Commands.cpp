#include "Commands.h"

#include "EinstellungenCommands.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocale>
#include <algorithm>
#include <exception>
#include <string>

#include "BackupCommands.h"
#include "BlockCommands.h"
#include "DocumentCommands.h"
#include "Generator.h"
#include "InvoiceCommands.h"
#include "ListCommands.h"
#include "OutputCommands.h"
#include "PaymentCommands.h"
#include "engine/Database.h"
#include "engine/DatabaseError.h"
#include "platform/Dates.h"
#include "store/Beispieldaten.h"
#include "store/Datenbankdateien.h"

namespace tav::cli {

namespace {

const char* const kUsage =
    "Aufruf:\n"
    "  tavomera-db create [--keep] [--instance N] ORDNER\n"
    "      legt die Datenbankdateien eines Programmordners an, die Beispieldatenbank mit\n"
    "      Beispieldaten um den heutigen Tag und die Feiertage 2020 bis 2040\n"
    "  tavomera-db query --db DATEI [--ado] \"SQL\"\n"
    "      führt eine Abfrage im Jet-Dialekt aus und gibt die Zeilen tabulatorgetrennt aus\n"
    "  tavomera-db exec --db DATEI \"SQL\"\n"
    "      führt eine Aktionsabfrage aus und gibt die Zahl der geänderten Zeilen aus\n"
    "  tavomera-db translate --db DATEI [--ado] \"SQL\"\n"
    "      zeigt die SQLite-Fassung einer Jet-Abfrage\n"
    "  tavomera-db generate ORDNER [--rooms N] [--years J] [--seed S] [--until DATUM] [--today DATUM]\n"
    "      füllt die Datenbanken eines Programmordners mit einer erfundenen Hotelgeschichte\n"
    "      (Vorgabe: 70 Zimmer, 10 Jahre bis zum 31.12. des nächsten Jahres, Startwert 1)\n"
    "  tavomera-db feiertage --db DATEI\n"
    "      gibt die Feiertage der Datenbank aus (Schlüssel, Bezeichnung, Datum), nach Datum\n"
    "  tavomera-db feiertage-import --db DATEI QUELLE\n"
    "      übernimmt die Feiertage der Datenbank QUELLE (etwa Feiertag.mdb), deren Tag noch keinen hat\n"
    "  tavomera-db backup ORDNER [--root SICHERUNGEN]\n"
    "      sichert die drei Datenbanken in einen neuen Ordner unter der Sicherungswurzel und\n"
    "      löscht die ältesten Sicherungen über der Anzahl \"AnzSicherung\"\n"
    "  tavomera-db backups ORDNER\n"
    "      listet die Sicherungsordner, die neueste zuerst\n"
    "  tavomera-db restore ORDNER SICHERUNGSORDNER [--ohne-vorherige-sicherung]\n"
    "      sichert die aktuellen Daten und stellt die Datenbanken des Sicherungsordners wieder her\n";

// The usage with the lines of the other command groups.
QString usage() {
    return QString::fromUtf8(kUsage) + QString::fromUtf8(kOutputUsage) + QString::fromUtf8(kZahlungenAufruf) +
           QString::fromUtf8(kInvoiceUsage) + QString::fromUtf8(kDocumentUsage) + QString::fromUtf8(kListUsage) +
           QString::fromUtf8(kBlockAufruf);
}

struct Options {
    QString db;
    QStringList positional;
    bool ado = false;
    bool keep = false;
    int instance = 0;
    generator::Options generate;
};

// A whole number option; false with a message for anything else.
bool number(const QStringList& args, qsizetype& i, qint64& out, QTextStream& err) {
    const QString name = args[i];
    bool ok = false;
    if (++i < args.size()) out = args[i].toLongLong(&ok);
    if (!ok) err << name << " braucht eine ganze Zahl.\n";
    return ok;
}

bool date(const QStringList& args, qsizetype& i, QDate& out, QTextStream& err) {
    const QString name = args[i];
    if (++i < args.size()) {
        out = QDate::fromString(args[i], QStringLiteral("yyyy-MM-dd"));
        if (!out.isValid()) out = dates::parse(args[i]).value_or(QDate());
    }
    if (!out.isValid()) err << name << " braucht ein Datum (TT.MM.JJJJ oder JJJJ-MM-TT).\n";
    return out.isValid();
}

bool parse(const QStringList& args, Options& o, QTextStream& err) {
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--db")) {
            if (++i >= args.size()) {
                err << "--db braucht einen Dateinamen.\n";
                return false;
            }
            o.db = args[i];
        } else if (a == QLatin1String("--ado")) {
            o.ado = true;
        } else if (a == QLatin1String("--keep")) {
            o.keep = true;
        } else if (a == QLatin1String("--instance")) {
            if (++i >= args.size()) {
                err << "--instance braucht eine Zahl.\n";
                return false;
            }
            o.instance = args[i].toInt();
        } else if (a == QLatin1String("--rooms") || a == QLatin1String("--years") || a == QLatin1String("--seed")) {
            qint64 n = 0;
            if (!number(args, i, n, err)) return false;
            if (a == QLatin1String("--rooms"))
                o.generate.rooms = int(std::clamp<qint64>(n, -1, 100000));
            else if (a == QLatin1String("--years"))
                o.generate.years = int(std::clamp<qint64>(n, -1, 100000));
            else
                o.generate.seed = quint64(n);
        } else if (a == QLatin1String("--until")) {
            if (!date(args, i, o.generate.until, err)) return false;
        } else if (a == QLatin1String("--today")) {
            if (!date(args, i, o.generate.today, err)) return false;
        } else if (a.startsWith(QLatin1String("--"))) {
            err << "Unbekannte Option " << a << ".\n";
            return false;
        } else {
            o.positional << a;
        }
    }
    return true;
}

QString cell(const QVariant& v) {
    if (v.isNull() || !v.isValid()) return QStringLiteral("NULL");
    switch (v.typeId()) {
        case QMetaType::QDate: return v.toDate().toString(QStringLiteral("yyyy-MM-dd"));
        case QMetaType::QDateTime: return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        case QMetaType::Double: return QString::number(v.toDouble(), 'g', 15);
        case QMetaType::Bool: return v.toBool() ? QStringLiteral("-1") : QStringLiteral("0");
        case QMetaType::QByteArray: return QString::fromLatin1(v.toByteArray().toHex());
        default: {
            QString s = v.toString();
            s.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
            s.replace(QLatin1Char('\t'), QStringLiteral("\\t"));
            s.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
            s.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
            return s;
        }
    }
}

int query(const Options& o, QTextStream& out) {
    auto db = Database::open(o.db);
    if (o.ado) db->setLikeMode(LikeMode::Ado);
    Recordset rs = db->openRecordset(o.positional.value(1));
    QStringList header;
    for (int i = 0; i < rs.fieldCount(); ++i) header << rs.fieldName(i);
    out << header.join(QLatin1Char('\t')) << '\n';
    for (; !rs.eof(); rs.moveNext()) {
        QStringList row;
        for (int i = 0; i < rs.fieldCount(); ++i) row << cell(rs.value(i));
        out << row.join(QLatin1Char('\t')) << '\n';
    }
    return 0;
}

// The files just made get the contents that are shipped with the program: the sample data in
// the sample database, the holidays and postcodes in the reference database.
void fillShipped(const QStringList& made, int instance) {
    const QString sample = dbfiles::FileNames::forInstance(instance).sample;
    for (const QString& path : made) {
        const QString name = QFileInfo(path).fileName();
        if (name.compare(sample, Qt::CaseInsensitive) == 0) {
            auto db = Database::open(path);
            beispieldaten::anlegen(*db, QDate::currentDate());
        } else if (name.compare(dbfiles::kHolidayFile, Qt::CaseInsensitive) == 0) {
            auto db = Database::open(path);
            beispieldaten::feiertageAnlegen(*db, 2020, 2040);
            beispieldaten::postleitzahlenAnlegen(*db);
        }
    }
}

}  // namespace

int run(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (int rc = 0; zahlungenBefehl(args, out, err, rc)) return rc;
    if (int rc = 0; blockBefehl(args, out, err, rc)) return rc;
    const QString command = args.value(1);
    try {
        if (const auto code = listCommand(args, out, err)) return *code;
    } catch (const DatabaseError& e) {
        err << "Fehler: " << e.message() << '\n';
        return 1;
    }
    if (const std::optional<int> rc = runOutput(args, out, err)) return *rc;
    if (const int rc = invoiceCommands(args, out, err); rc >= 0) return rc;
    if (int rc = 0; backupCommand(args, out, err, rc)) return rc;
    if (const std::optional<int> rc = runDocument(args, out, err)) return *rc;
    Options o;
    if (!parse(args, o, err)) return 2;
    // positional[0] is the command itself
    try {
        if (command == QLatin1String("create")) {
            if (o.positional.size() != 2) {
                err << usage();
                return 2;
            }
            const QStringList made = dbfiles::createInstallation(o.positional[1], o.instance, o.keep);
            fillShipped(made, o.instance);
            for (const QString& f : made) out << QDir::toNativeSeparators(f) << '\n';
            if (made.isEmpty()) out << "Alle Datenbankdateien sind schon vorhanden.\n";
            return 0;
        }
        if (command == QLatin1String("generate")) {
            if (o.positional.size() != 2) {
                err << usage();
                return 2;
            }
            QElapsedTimer timer;
            timer.start();
            const generator::Summary s = generator::generate(o.positional[1], o.generate);
            const QLocale de(QLocale::German, QLocale::Germany);
            out << "Zeitraum " << dates::longDate(s.from) << " bis " << dates::longDate(s.until) << '\n'
                << de.toString(s.rooms) << " Zimmer, " << de.toString(s.addresses) << " Adressen, " << de.toString(s.bookings)
                << " Buchungen (davon " << de.toString(s.waiting) << " in der Warteposition), " << de.toString(s.invoices)
                << " Rechnungen, " << de.toString(s.confirmations) << " Bestätigungen und Angebote, " << de.toString(s.items)
                << " Zusatzposten, " << de.toString(s.payments) << " Zahlungen in " << de.toString(timer.elapsed() / 1000.0, 'f', 1)
                << " s\n";
            return 0;
        }
        if (command == QLatin1String("query") || command == QLatin1String("exec") || command == QLatin1String("translate")) {
            if (o.db.isEmpty() || o.positional.size() != 2) {
                err << usage();
                return 2;
            }
            if (command == QLatin1String("query")) return query(o, out);
            auto db = Database::open(o.db);
            if (o.ado) db->setLikeMode(LikeMode::Ado);
            if (command == QLatin1String("translate"))
                out << db->translate(o.positional[1]) << '\n';
            else
                out << db->execute(o.positional[1]) << '\n';
            return 0;
        }
        if (const int r = einstellungenBefehl(command, o.db, o.positional, out, err); r >= 0) return r;
    } catch (const DatabaseError& e) {
        err << "Fehler: " << e.message() << '\n';
        return 1;
    } catch (const std::exception& e) {
        err << "Fehler: " << e.what() << '\n';
        return 1;
    }
    err << usage();
    return 2;
}

}  // namespace tav::cli
