#include "settings/ParameterLogik.h"

#include <QLocale>

#include "engine/Database.h"
#include "engine/Recordset.h"
#include "platform/Amounts.h"
#include "platform/Dialogs.h"
#include "store/Einstellungen.h"
#include "store/Fenster.h"
#include "store/Parameter.h"

namespace tav {

namespace {

const QString kRaeume = QStringLiteral("Räumlichkeiten");
const QString kZeit = QStringLiteral("ZeitDarstellung");
const QString kFarben = QStringLiteral("Farben");
const QString kArten = QStringLiteral("Belegungsarten");
const QString kWaesche = QStringLiteral("Wäsche");

const QStringList& standardArten() {
    static const QStringList a = {QStringLiteral("Nicht belegt"), QStringLiteral("Einzel"), QStringLiteral("Doppel")};
    return a;
}

}  // namespace

int ParameterDaten::artenAnzahl() const {
    int n = 0;
    for (int i = 0; i < arten.size(); ++i)
        if (!arten[i].trimmed().isEmpty()) n = i + 1;
    return n;
}

const QStringList& ParameterLogik::textBausteine() {
    static const QStringList t = {QStringLiteral("Absender1"), QStringLiteral("Absender2"),    QStringLiteral("Absender3"),
                                  QStringLiteral("PLZ"),       QStringLiteral("Absender5"),    QStringLiteral("Telefon"),
                                  QStringLiteral("FAX"),       QStringLiteral("EMAIL"),        QStringLiteral("Internet"),
                                  QStringLiteral("Bank"),      QStringLiteral("Steuernummer"), QStringLiteral("Brieftext")};
    return t;
}

ParameterLogik::ParameterLogik(Database& db, Database* beispiel, Dialogs& dialogs, Fenster& fenster)
    : db_(db), beispiel_(beispiel ? *beispiel : db), dialogs_(dialogs), fenster_(fenster), zimmer_(db, dialogs, fenster) {}

void ParameterLogik::laden() {
    Parameter p(db_);
    Parameter b(beispiel_);
    ParameterDaten d;
    d.zimmer = QString::number(zimmer_.anzahl());
    const auto raeume = b.read(kRaeume);
    d.darstellen = QString::number(raeume && !raeume->isNull(2) ? raeume->integer(2) : 10);
    d.hoehe = raeume && !raeume->isNull(3) ? raeume->integer(3) : 320;
    const auto zeit = b.read(kZeit);
    d.tage = QString::number(zeit && !zeit->isNull(1) ? zeit->integer(1) : 35);
    d.wochentag = zeit && !zeit->isNull(2) ? zeit->integer(2) : 2;
    const auto erster = p.read(QStringLiteral("ErsterTag"));
    d.ersterTag = QString::number(erster && !erster->isNull(1) ? erster->integer(1) : 60);

    const auto farben = p.read(kFarben);
    for (int i = 1; i <= 9; ++i) d.farben << (farben && !farben->isNull(i) ? quint32(farben->number(i)) : einstellungen::standardFarbe(i));
    for (int i = 10; i <= 11; ++i)
        d.farben << (farben && !farben->isNull(i) ? quint32(farben->number(i)) : farbe::brighten(d.farben[0], farbe::kWochenendeHeller));
    const auto arten = p.read(kArten);
    for (int i = 1; i <= kMaxArten; ++i) d.arten << (arten ? arten->text(i).trimmed() : (i <= 3 ? standardArten()[i - 1] : QString()));

    for (const QString& t : textBausteine()) d.texte[t] = p.text(t);
    d.druckAnzahl = p.hasText(QStringLiteral("DruckAnzahl")) ? p.text(QStringLiteral("DruckAnzahl")) : QStringLiteral("2");
    d.wordProgramm = p.text(QStringLiteral("WordProgramm")) == QLatin1String("Ja");
    d.mitAdresse = !p.read(QStringLiteral("mitAdresse")) || p.readYesNo(QStringLiteral("mitAdresse"));
    const auto waehrung = p.read(QStringLiteral("Währung"));
    d.waehrung = waehrung ? waehrung->text(1, QStringLiteral("€")) : QStringLiteral("€");
    const auto waesche = p.read(kWaesche);
    // A field that is not set shows what the running program uses for it.
    const QStringList wDefault = {QStringLiteral("Handtücher"), QStringLiteral("7"),     QStringLiteral("Bettwäsche"),
                                  QStringLiteral("3"),          QStringLiteral("1"),     QStringLiteral("0"),
                                  QStringLiteral("0"),          QStringLiteral("false"), QStringLiteral("true")};
    for (int i = 1; i <= 9; ++i) d.waesche << (waesche && !waesche->isNull(i) ? waesche->text(i) : wDefault[i - 1]);
    daten_ = d;
}

bool ParameterLogik::zahlPruefen(const QString& text, int von, int bis, const QString& feld) {
    const QString t = text.trimmed();
    if (amounts::isCount(t) && t.toInt() >= von && t.toInt() <= bis) return true;
    dialogs_.message(QStringLiteral("Bitte geben Sie im Feld '") + feld + QStringLiteral("' eine Zahl zwischen ") + QString::number(von) +
                         QStringLiteral(" und ") + QString::number(bis) + QStringLiteral(" an."),
                     kTitel, Buttons::Ok, Icon::Exclamation);
    return false;
}

bool ParameterLogik::farbePruefen(const QString& text, quint32& farbe) {
    bool ok = false;
    const qulonglong wert = text.trimmed().toULongLong(&ok);
    if (!ok || wert > 0xFFFFFF) {
        dialogs_.message(QStringLiteral("Eine Farbe wird als Zahl zwischen 0 und 16777215 angegeben. Bitte überprüfen Sie die Eingabe."),
                         kTitel, Buttons::Ok, Icon::Exclamation);
        return false;
    }
    farbe = quint32(wert);
    return true;
}

bool ParameterLogik::uebernehmen() {
    ParameterDaten& d = daten_;
    // Every check first: a refused field writes nothing.
    if (!zimmer_.anzahlPruefen(d.zimmer)) return false;
    if (!zahlPruefen(d.darstellen, 1, Zimmerverwaltung::kMaxZimmer + 1, QStringLiteral("Darstellen"))) return false;
    if (!zahlPruefen(d.tage, 7, 365, QStringLiteral("Anzahl der Tage"))) return false;
    if (d.ersterTag.trimmed().isEmpty() || !amounts::isCount(d.ersterTag.trimmed()) || d.ersterTag.trimmed().toInt() > 255) {
        dialogs_.message(
            QStringLiteral("Einstellung für den Farbunterschied des ersten Tages einer Reservierung. Es können Werte zwischen 0 "
                           "(gleiche Farbe) bis 255 (weiss) eingestellt werden."),
            kTitel, Buttons::Ok, Icon::Exclamation);
        return false;
    }
    for (int i : {1, 3}) {
        if (d.waesche.value(i).trimmed().toInt() == 0 || !amounts::isCount(d.waesche.value(i).trimmed())) {
            dialogs_.message(QStringLiteral("Dieses Feld darf nicht leer bzw. '0' sein."), QStringLiteral("Wäsche"), Buttons::Ok,
                             Icon::Exclamation);
            return false;
        }
    }
    if (!amounts::isCount(d.druckAnzahl.trimmed())) {
        dialogs_.message(QStringLiteral("Bitte geben Sie die Anzahl der Ausdrucke als Zahl an."), kTitel, Buttons::Ok, Icon::Exclamation);
        return false;
    }
    if (d.waehrung.trimmed().isEmpty()) {
        dialogs_.message(QStringLiteral("Wie lautet die aktuelle Währung?"), kTitel, Buttons::Ok, Icon::Exclamation);
        return false;
    }
    if (d.artenAnzahl() < 2) {
        dialogs_.message(QStringLiteral("Es muss mindestens eine Reservierungsart geben."), kTitel, Buttons::Ok, Icon::Exclamation);
        return false;
    }
    for (int i = 0; i < d.artenAnzahl(); ++i) {
        if (d.arten[i].trimmed().isEmpty()) {
            dialogs_.message(QStringLiteral("Die Reservierungsart ") + QString::number(i + 1) +
                                 QStringLiteral(" hat keine Bezeichnung. Bitte geben Sie eine Bezeichnung an."),
                             kTitel, Buttons::Ok, Icon::Exclamation);
            return false;
        }
        if (!artNamePruefen(d.arten[i])) return false;
    }

    // The room count changes bookings and asks its own questions; it goes first, so that a
    // "No" there leaves every other row as it was.
    const int raeume = d.zimmer.trimmed().toInt();
    if (raeume != zimmer_.anzahl() && !zimmer_.anzahlSetzen(raeume)) return false;

    {
        Transaction t(db_);
        Parameter p(db_);
        p.write(QStringLiteral("ErsterTag"), {{1, QString::number(d.ersterTag.trimmed().toInt())}});
        QList<QPair<int, QVariant>> farben;
        for (int i = 0; i < d.farben.size(); ++i) farben.append({i + 1, QString::number(d.farben[i])});
        p.write(kFarben, farben);
        artenSchreiben();
        p.write(QStringLiteral("Währung"), {{1, d.waehrung.trimmed()}});
        QList<QPair<int, QVariant>> waesche;
        for (int i = 0; i < d.waesche.size(); ++i) waesche.append({i + 1, d.waesche[i].isNull() ? QVariant() : QVariant(d.waesche[i])});
        p.write(kWaesche, waesche);
        p.saveYesNo(QStringLiteral("mitAdresse"), d.mitAdresse ? 1 : 0);
        // The documents read the sender blocks in the order of their rows: an empty block that
        // is missing stays missing rather than being added behind the others.
        for (const QString& baustein : textBausteine())
            if (p.hasText(baustein) || !d.texte.value(baustein).isEmpty()) p.writeText(baustein, d.texte.value(baustein));
        p.writeText(QStringLiteral("DruckAnzahl"), QString::number(d.druckAnzahl.trimmed().toInt()));
        p.writeText(QStringLiteral("WordProgramm"), d.wordProgramm ? QStringLiteral("Ja") : QStringLiteral("Nein"));
        t.commit();
    }
    {
        // The display rows hold for every working database: they live in the sample database.
        Transaction t(beispiel_);
        Parameter b(beispiel_);
        b.write(kRaeume, {{2, QString::number(d.darstellen.trimmed().toInt())}, {3, QString::number(d.hoehe)}});
        b.write(kZeit, {{1, QString::number(d.tage.trimmed().toInt())}, {2, QString::number(d.wochentag)}});
        t.commit();
    }
    return true;
}

void ParameterLogik::artenSchreiben() {
    Parameter p(db_);
    QList<QPair<int, QVariant>> namen;
    const int n = daten_.artenAnzahl();
    for (int i = 0; i < kMaxArten; ++i) namen.append({i + 1, i < n ? QVariant(daten_.arten[i].trimmed()) : QVariant()});
    p.write(kArten, namen);
    // tbBelegArten holds the same kinds, by BelegungsID (the kind), 0 being the free state.
    db_.execute(QStringLiteral("DELETE FROM tbBelegArten"));
    for (int i = 0; i < kMaxArten; ++i)
        db_.execute(QStringLiteral("INSERT INTO tbBelegArten (BelegungsID, BelegungsArt) VALUES (?, ?)"),
                    {i, i < n ? QVariant(daten_.arten[i].trimmed()) : QVariant()});
}

bool ParameterLogik::ok() {
    if (!uebernehmen()) return false;
    Parameter p(db_);
    if (!p.read(kArten) || !p.read(kFarben)) {
        Transaction t(db_);
        artenSchreiben();
        QList<QPair<int, QVariant>> farben;
        for (int i = 0; i < daten_.farben.size(); ++i) farben.append({i + 1, QString::number(daten_.farben[i])});
        p.write(kFarben, farben);
        t.commit();
    }
    return true;
}

bool ParameterLogik::standard() {
    if (dialogs_.message(QStringLiteral("Sollen die aktuellen Einstellungen gelöscht werden?"), kTitel, Buttons::YesNo, Icon::Question) !=
        Answer::Yes)
        return false;
    daten_.darstellen = QStringLiteral("10");
    daten_.hoehe = 320;
    daten_.tage = QStringLiteral("35");
    daten_.wochentag = 2;
    daten_.ersterTag = QStringLiteral("60");
    for (int i = 1; i <= 9; ++i) daten_.farben[i - 1] = einstellungen::standardFarbe(i);
    daten_.farben[9] = daten_.farben[10] = farbe::brighten(daten_.farben[0], farbe::kWochenendeHeller);
    return true;
}

bool ParameterLogik::artNamePruefen(const QString& name) {
    const auto nein = [this](const QString& text) {
        dialogs_.message(text, QStringLiteral("Neuer Belegungstyp"), Buttons::Ok, Icon::Exclamation);
        return false;
    };
    if (name.contains(QLatin1Char(';'))) return nein(QStringLiteral("Bitte verwenden Sie in der Bezeichnung kein Semikolon ';'."));
    if (name.contains(QLatin1Char('~'))) return nein(QStringLiteral("Bitte verwenden Sie in der Bezeichnung keine Tilde '~'."));
    if (name.contains(QLatin1Char('\''))) return nein(QStringLiteral("Bitte verwenden Sie in der Bezeichnung kein Hochkomma '''."));
    if (name.trimmed().isEmpty()) return nein(QStringLiteral("Die Bezeichnung darf nicht leer sein; es wurde nichts geändert."));
    if (name.trimmed().size() > 15) return nein(QStringLiteral("Die Bezeichnung darf höchstens 15 Zeichen lang sein."));
    return true;
}

namespace {
QString artFrage() {
    return QStringLiteral("Bitte geben Sie eine Bezeichnung an:\n\n") +
           QStringLiteral(
               "Die Bezeichnungen 'eins', 'zwei', 'drei' etc. ermöglichen die Übernahme als Personenzahl in die Reservierung.\n") +
           QStringLiteral("Die Bezeichnung 'Angebot' ermöglicht es, eine Reservierung als Angebot zu verwalten.\n") +
           QStringLiteral("Durch die Bezeichung 'Teilbelegt' werden nicht voll belegte Zimmer in dieser Farbe gekennzeichnet.");
}
}  // namespace

bool ParameterLogik::artHinzufuegen() {
    const int n = daten_.artenAnzahl();
    if (n >= kMaxArten) {
        dialogs_.message(QStringLiteral("Es können höchstens neun Reservierungsarten angelegt werden."), kTitel, Buttons::Ok,
                         Icon::Exclamation);
        return false;
    }
    const QString name = dialogs_.input(artFrage(), QStringLiteral("Neuer Belegungstyp")).trimmed();
    if (!artNamePruefen(name)) return false;
    daten_.arten[n] = name;
    return true;
}

bool ParameterLogik::artUmbenennen(int eintrag) {
    if (eintrag < 1 || eintrag > daten_.artenAnzahl()) return false;
    const QString name = dialogs_.input(artFrage(), QStringLiteral("Neuer Belegungstyp"), daten_.arten[eintrag - 1]).trimmed();
    if (!artNamePruefen(name)) return false;
    daten_.arten[eintrag - 1] = name;
    return true;
}

bool ParameterLogik::artEntfernen() {
    const int n = daten_.artenAnzahl();
    if (n <= 2) {
        dialogs_.message(QStringLiteral("Die erste Reservierungsart kann nicht entfernt werden."), kTitel, Buttons::Ok, Icon::Exclamation);
        return false;
    }
    if (!zimmer_.sicherungAnbieten(QStringLiteral("Dieser Vorgang ändert Reservierungsdaten."),
                                   QStringLiteral("Soll der Vorgang trotzdem durchgeführt werden?")))
        return false;
    // Entry n stands for kind n - 1; its bookings (and any above it) take the first kind.
    const int art = n - 1;
    const QString alt = daten_.arten[n - 1];
    daten_.arten[n - 1].clear();
    try {
        Transaction t(db_, true);
        db_.execute(QStringLiteral("UPDATE tblBelegung SET Belegungsart = 1 WHERE Belegungsart >= ?"), {art});
        artenSchreiben();
        t.commit();
    } catch (...) {
        daten_.arten[n - 1] = alt;
        throw;
    }
    return true;
}

QList<Attribut> ParameterLogik::attribute() const {
    QList<Attribut> liste;
    for (Recordset rs = db_.openRecordset(QStringLiteral("SELECT * FROM tbZusätze ORDER BY Beschriftung")); !rs.eof(); rs.moveNext())
        liste.append({rs.integer(QStringLiteral("ZusatzFeld")), rs.text(QStringLiteral("Beschriftung")),
                      rs.text(QStringLiteral("Bedeutung")), quint32(rs.number(QStringLiteral("Farbe"))),
                      rs.integer(QStringLiteral("Spalte"), 1) == 2 ? 2 : 1});
    return liste;
}

bool ParameterLogik::attributNeuFragen() {
    return dialogs_.message(QStringLiteral("Einen neuen Datensatz anlegen?"), kTitel, Buttons::YesNo, Icon::Question) == Answer::Yes;
}

bool ParameterLogik::attributSpeichern(Attribut& a) {
    const QString text = a.beschriftung.trimmed();
    if (text.isEmpty() || text.size() > 3) {
        dialogs_.message(QStringLiteral("Die Beschriftung hat ein bis drei Zeichen."), kTitel, Buttons::Ok, Icon::Exclamation);
        return false;
    }
    Transaction t(db_, QStringLiteral("tbZusätze"));
    Recordset rs = db_.openRecordset(QStringLiteral("SELECT * FROM tbZusätze WHERE ZusatzFeld = ?"), {a.feld});
    if (rs.eof()) {
        a.feld = db_.scalar(QStringLiteral("SELECT Max(ZusatzFeld) FROM tbZusätze")).toInt() + 1;
        rs.addNew();
        rs.setValue(QStringLiteral("ZusatzFeld"), a.feld);
    } else {
        rs.edit();
    }
    rs.setValue(QStringLiteral("Beschriftung"), text);
    rs.setValue(QStringLiteral("Bedeutung"), a.bedeutung.trimmed().isEmpty() ? QVariant() : QVariant(a.bedeutung.trimmed()));
    rs.setValue(QStringLiteral("Farbe"), qint64(a.farbe));
    rs.setValue(QStringLiteral("Spalte"), a.spalte == 2 ? 2 : 1);
    rs.update();
    t.commit();
    a.beschriftung = text;
    return true;
}

bool ParameterLogik::attributLoeschen(int feld) {
    if (feld <= 0) return false;
    if (dialogs_.message(QStringLiteral("Diesen Datensatz Löschen?"), kTitel, Buttons::YesNo, Icon::Question) != Answer::Yes) return false;
    if (!db_.scalar(QStringLiteral("SELECT Zimmernummer FROM tbZimmernummern WHERE Zusatz1 = ? OR Zusatz2 = ?"), {feld, feld}).isNull()) {
        dialogs_.message(QStringLiteral("Der Datensatz kann nicht gelöscht werden. Er wird noch verwendet."), kTitel, Buttons::Ok,
                         Icon::Exclamation);
        return false;
    }
    db_.execute(QStringLiteral("DELETE FROM tbZusätze WHERE ZusatzFeld = ?"), {feld});
    return true;
}

QString ParameterLogik::mwstSatz() const {
    if (!db_.hasTableDef(QStringLiteral("tbSteuerschluessel"))) return {};
    const QVariant satz = db_.scalar(QStringLiteral("SELECT Steuersatz FROM tbSteuerschluessel WHERE Standard = True"));
    return satz.isNull() ? QString() : QLocale(QLocale::German, QLocale::Germany).toString(satz.toDouble()) + QStringLiteral(" %");
}

QStringList ParameterLogik::kategorien() const {
    QStringList liste;
    for (Recordset rs = db_.openRecordset(QStringLiteral("SELECT blKategorie FROM tbKategorie ORDER BY blKategorie")); !rs.eof();
         rs.moveNext())
        liste << rs.text(QStringLiteral("blKategorie"));
    return liste;
}

bool ParameterLogik::kategorieHinzufuegen(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return false;
    if (!db_.scalar(QStringLiteral("SELECT blKategorie FROM tbKategorie WHERE blKategorie = ?"), {t}).isNull()) return false;
    db_.execute(QStringLiteral("INSERT INTO tbKategorie (blKategorie) VALUES (?)"), {t});
    return true;
}

bool ParameterLogik::kategorieLoeschen(const QString& text) {
    if (text.trimmed().isEmpty()) return false;
    if (dialogs_.message(QStringLiteral("Soll dieser Eintrag aus der Liste entfernt werden?"), QStringLiteral("Listeneinträge löschen"),
                         Buttons::YesNo, Icon::Question) != Answer::Yes)
        return false;
    db_.execute(QStringLiteral("DELETE FROM tbKategorie WHERE blKategorie = ?"), {text.trimmed()});
    return true;
}

}  // namespace tav
