// tavomera-handbuch: makes the user manual from the repository.
//   tavomera-handbuch bilder ORDNER [--stichtag JJJJ-MM-TT]
//       starts the program on a fresh sample installation (offscreen, private settings) and
//       saves a picture of the main window and of each window it opens into ORDNER.
//   tavomera-handbuch pdf HANDBUCH.md ZIEL.pdf
//       sets the Markdown text with its pictures as an A4 PDF.

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QProcess>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "Fensterbilder.h"
#include "Handbuchsatz.h"
#include "app/Bildschirmfoto.h"
#include "app/DeutscheQtTexte.h"
#include "app/ProgrammFenster.h"
#include "engine/Database.h"
#include "engine/Recordset.h"
#include "payment/Zahlungen.h"
#include "plan/ui/Planbereich.h"
#include "plan/ui/frmMain.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/SettingsStore.h"
#include "platform/ui/QtDialogs.h"
#include "reservation/CollisionLogik.h"
#include "reservation/ui/frmCollision.h"
#include "startup/ui/Programmsteuerung.h"
#include "store/Beispieldaten.h"
#include "store/Datenbankdateien.h"
#include "store/Variablen.h"

namespace {

using namespace tav;

[[noreturn]] void ende(int code, const QString& text) {
    std::fprintf(code == 0 ? stdout : stderr, "%s\n", text.toLocal8Bit().constData());
    std::fflush(stdout);
    std::fflush(stderr);
    // The program's windows are not closed one by one: closing the main window would ask about
    // a backup.
    std::_Exit(code);
}

int verwendung() {
    std::fprintf(stderr,
                 "Aufruf: tavomera-handbuch bilder ORDNER [--stichtag JJJJ-MM-TT]\n"
                 "        tavomera-handbuch pdf HANDBUCH.md ZIEL.pdf\n");
    return 2;
}

int pdf(int argc, char** argv) {
    if (argc != 4) return verwendung();
    QGuiApplication app(argc, argv);
    QString fehler;
    handbuch::Satzbericht bericht;
    if (!handbuch::pdfSchreiben(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]), &fehler, &bericht)) {
        std::fprintf(stderr, "%s\n", fehler.toLocal8Bit().constData());
        return 1;
    }
    std::fprintf(stdout, "%s: %d Kapitel, %d Bilder\n", argv[3], bericht.kapitel, bericht.bilder);
    return 0;
}

// A booking of the sample data, its room and its nights: the first that arrives on the day.
struct Beispielbuchung {
    int id = 0;
    int zimmer = 0;
    QDate von;
    QDate bis;
    QString kuerzel;
};

Beispielbuchung buchungAm(Database& db, const QDate& tag) {
    Recordset rs = db.openRecordset(
        QStringLiteral("SELECT TOP 1 ID, Zimmernummer, Von, Bis, Kürzel FROM tblBelegung WHERE Von = ? AND Gelöscht = False ORDER BY ID"),
        {tag});
    Beispielbuchung b;
    if (rs.eof()) return b;
    b.id = rs.value(QStringLiteral("ID")).toInt();
    b.zimmer = rs.value(QStringLiteral("Zimmernummer")).toInt();
    b.von = rs.value(QStringLiteral("Von")).toDate();
    b.bis = rs.value(QStringLiteral("Bis")).toDate();
    b.kuerzel = rs.value(QStringLiteral("Kürzel")).toString();
    return b;
}

int bilder(int argc, char** argv) {
    if (argc != 3 && argc != 5) return verwendung();
    const QString ziel = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
    // A fixed day: the same pictures on every run, until a window changes.
    QDate stichtag(2026, 7, 13);
    if (argc == 5) {
        if (QString::fromLocal8Bit(argv[3]) != QStringLiteral("--stichtag")) return verwendung();
        stichtag = QDate::fromString(QString::fromLocal8Bit(argv[4]), QStringLiteral("yyyy-MM-dd"));
        if (!stichtag.isValid()) return verwendung();
    }

    // Own settings and an own program folder: the user's installation is not touched. The
    // folder has the same name on every run, as the locations dialog shows it.
    QDir arbeitsordner(QDir::temp().filePath(QStringLiteral("Tavomera-Handbuch")));
    arbeitsordner.removeRecursively();
    const QString ordner = arbeitsordner.filePath(QStringLiteral("Tavomera"));
    if (!QDir().mkpath(ordner)) ende(1, QStringLiteral("Der Ordner '%1' konnte nicht angelegt werden.").arg(ordner));
    qputenv("XDG_CONFIG_HOME", arbeitsordner.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Clock::install(std::make_shared<FixedClock>(stichtag));

    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QCoreApplication::setApplicationName(QStringLiteral("Tavomera"));
    deutscheQtTexteLaden();

    dbfiles::createInstallation(ordner);
    {
        auto beispiel = Database::open(QDir(ordner).filePath(QStringLiteral("Beispiel.mdb")));
        beispieldaten::anlegen(*beispiel, stichtag);
    }
    SettingsStore settings;
    settings.deleteSection();
    settings.saveSetting(QStringLiteral("Pfad"), QDir(ordner).filePath(QStringLiteral("Beispiel.mdb")));
    settings.saveSetting(QStringLiteral("Zentral"), QDir(ordner).filePath(QStringLiteral("Beispiel.mdb")));

    QtDialogs dialogs;
    ProgrammFenster fenster(variablen(), dialogs);
    Programmsteuerung steuerung(variablen(), dialogs, settings, fenster, ordner, QStringLiteral("Tavomera"));
    steuerung.rechnungenUndZahlungenPruefen = &Zahlungen::beimStartPruefen;
    QTimer::singleShot(0, &steuerung, &Programmsteuerung::starten);

    handbuch::Fensterbilder bilder(ziel);
    const bool bereit = handbuch::Fensterbilder::warten(
        [&] {
            frmMain* f = steuerung.beschaeftigt() ? nullptr : steuerung.hauptfenster();
            return f && f->isVisible() && f->plan() && !QApplication::activeModalWidget();
        },
        60000);
    if (!bereit) ende(1, QStringLiteral("Das Hauptfenster war nach 60 Sekunden nicht bereit."));
    frmMain& haupt = *steuerung.hauptfenster();
    if (auto* mw = qobject_cast<QMainWindow*>(&haupt); mw) mw->showNormal();
    haupt.resize(1280, 480);
    handbuch::Fensterbilder::warten([] { return false; }, 500);
    bilder.speichern(mitTitelleiste(haupt), QStringLiteral("plan"));
    for (const auto& [menue, name] : {std::pair{QStringLiteral("Datei"), QStringLiteral("menue-datei")},
                                      std::pair{QStringLiteral("Bearbeiten"), QStringLiteral("menue-bearbeiten")},
                                      std::pair{QStringLiteral("Datenübersicht"), QStringLiteral("menue-datenuebersicht")}})
        bilder.mitMenue(haupt, menue, name);

    Database& db = *variablen().db;
    const Beispielbuchung b = buchungAm(db, stichtag);
    if (b.id == 0) ende(1, QStringLiteral("In den Beispieldaten reist am Stichtag niemand an."));

    auto oeffne = [&](Ziel z, const Aufruf& a) { return [&fenster, &haupt, z, a] { fenster.oeffnen(z, a, &haupt); }; };
    Aufruf buchung;
    buchung.buchungId = b.id;
    bilder.modal(QStringLiteral("reservierung"), oeffne(Ziel::Reservierung, buchung));

    Aufruf neu;
    neu.neueBuchung = true;
    neu.zimmerNummer = b.zimmer;
    neu.zimmerZeile = b.zimmer;
    neu.anreise = stichtag.addDays(20);
    neu.abreise = stichtag.addDays(23);
    bilder.modal(QStringLiteral("reservierung-neu"), oeffne(Ziel::Reservierung, neu));

    // The collision dialog as a save over the booking of the day shows it.
    bilder.modal(QStringLiteral("kollision"), [&] {
        KollisionsErgebnis ergebnis;
        CollisionLogik pruefung(db, dialogs, ergebnis);
        QtKollisionsDialog dialog(&haupt);
        NeueBuchung nb{QStringLiteral("Neu"), b.von.toString(QStringLiteral("dd.MM.yyyy")), b.bis.toString(QStringLiteral("dd.MM.yyyy")),
                       QString::number(b.zimmer)};
        pruefung.fktTesteÜberschneidungen(b.zimmer, b.von, b.bis, 0, nb, dialog);
    });

    Aufruf suche;
    suche.text = QStringLiteral("M");
    bilder.modal(QStringLiteral("adresssuche"), oeffne(Ziel::Adresssuche, suche));
    bilder.modal(QStringLiteral("buchungsliste"), oeffne(Ziel::Buchungsliste, {}));
    bilder.modal(QStringLiteral("tageslisten"), oeffne(Ziel::Buchungsliste, {}), {}, QStringLiteral("Drucken"));
    Aufruf abreise;
    abreise.anreise = stichtag;
    bilder.modal(QStringLiteral("abreiseliste"), oeffne(Ziel::Abreiseliste, abreise));
    Aufruf zahlung;
    zahlung.buchungId = b.id;
    bilder.modal(QStringLiteral("zahlungen"), oeffne(Ziel::Zahlungen, zahlung));
    bilder.modal(QStringLiteral("saisonzeiten"), oeffne(Ziel::Saisonzeiten, {}));
    Aufruf preise;
    preise.zimmerNummer = b.zimmer;
    bilder.modal(QStringLiteral("saisonpreise"), oeffne(Ziel::Saisonpreise, preise));
    for (const auto& [seite, name] : {std::pair{QStringLiteral("Allgemein"), QStringLiteral("einstellungen")},
                                      std::pair{QStringLiteral("Farben"), QStringLiteral("einstellungen-farben")},
                                      std::pair{QStringLiteral("Zimmer"), QStringLiteral("einstellungen-zimmer")}}) {
        Aufruf a;
        a.text = seite;
        bilder.modal(name, oeffne(Ziel::Einstellungen, a));
    }
    // The own address on documents: the tab "Texte".
    bilder.modal(QStringLiteral("einstellungen-texte"), oeffne(Ziel::Einstellungen, {}), [](QWidget& w) {
        if (auto* reiter = w.findChild<QTabWidget*>())
            for (int i = 0; i < reiter->count(); ++i)
                if (reiter->tabText(i).remove(QLatin1Char('&')) == QStringLiteral("Texte")) reiter->setCurrentIndex(i);
    });
    bilder.modal(QStringLiteral("feiertage"), oeffne(Ziel::Feiertage, {}));
    bilder.modal(QStringLiteral("artikel"), oeffne(Ziel::Artikel, {}));
    bilder.modal(QStringLiteral("mehrwertsteuer"), oeffne(Ziel::Mehrwertsteuer, {}));
    // Windows that other builds of the program add are taken when they are there.
    for (const auto& [z, name] :
         {std::pair{Ziel::Datensicherung, QStringLiteral("datensicherung")}, std::pair{Ziel::Adresskonto, QStringLiteral("adresskonto")},
          std::pair{Ziel::Rechnungen, QStringLiteral("rechnungen")}, std::pair{Ziel::Rechnungsposten, QStringLiteral("rechnungsposten")}}) {
        if (!fenster.vorhanden(z)) continue;
        Aufruf a;
        a.buchungId = b.id;
        a.adressId = db.scalar(QStringLiteral("SELECT GastID FROM tblBelegung WHERE ID = ?"), {b.id}).toInt();
        // The check-out extras are asked for a document; their caption names it.
        if (z == Ziel::Rechnungsposten) a.text = QStringLiteral("Rechnung");
        bilder.modal(name, oeffne(z, a));
    }
    bilder.modal(QStringLiteral("datenbank"), [&] { steuerung.datenbankDialogZeigen(true); });

    // The block program of the family, built beside this tool, shows the block of the booking.
    const QString block = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../tosmek/Tosmek"));
    if (QFileInfo(block).isExecutable()) {
        QProcess p;
        p.start(block, {QString::number(b.id), QDir(ordner).filePath(QStringLiteral("Lokal.mdb")), QStringLiteral("--screenshot"),
                        QDir(ziel).filePath(QStringLiteral("blockbuchung.png"))});
        if (!p.waitForFinished(60000) || p.exitCode() != 0)
            ende(1, QStringLiteral("Das Blockbuchungsprogramm lieferte kein Bild: ") + QString::fromLocal8Bit(p.readAllStandardError()));
    }

    QTextStream out(stdout);
    for (const QString& bild : bilder.bilder()) out << bild << '\n';
    out.flush();
    arbeitsordner.removeRecursively();
    if (!bilder.fehler().isEmpty()) ende(1, bilder.fehler().join(QLatin1Char('\n')));
    ende(0, QStringLiteral("%1 Bilder").arg(bilder.bilder().size()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return verwendung();
    const QString befehl = QString::fromLocal8Bit(argv[1]);
    if (befehl == QStringLiteral("pdf")) return pdf(argc, argv);
    if (befehl == QStringLiteral("bilder")) return bilder(argc, argv);
    return verwendung();
}
