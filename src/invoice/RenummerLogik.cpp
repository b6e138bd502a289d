#include "invoice/RenummerLogik.h"

#include <QRegularExpression>

#include "engine/JetFormat.h"
#include "platform/Dialogs.h"
#include "reservation/BelegNummern.h"
#include "store/Parameter.h"
#include "store/Variablen.h"

namespace tav {

namespace {
const QString kJa = QStringLiteral("Ja");
const QString kNein = QStringLiteral("Nein");
const QString kAlle = QStringLiteral("Alle");
const QString kFreilassen = QStringLiteral("Freilassen");

qint64 zaehlerWert(const QString& text) {
    bool ok = false;
    const qint64 n = text.trimmed().toLongLong(&ok);
    return ok && n >= 0 ? n : 0;
}
}  // namespace

const QStringList& RenummerLogik::datumsteile() {
    static const QStringList t = {QStringLiteral("yy"),       QStringLiteral("yyyy"),    QStringLiteral("mmm yy"),
                                  QStringLiteral("mmm yyyy"), QStringLiteral("mm yyyy"), QStringLiteral("mm yy"),
                                  QStringLiteral("dd mm yy"), QStringLiteral("ww yy"),   QStringLiteral("ww yyyy")};
    return t;
}

QString RenummerLogik::beispiel(const QString& praefix, const QString& datumsformat, const QString& zaehler, const QDate& heute) {
    QString t =
        QStringLiteral("R ") + praefix + QLatin1Char(' ') + jetformat::format(zaehlerWert(zaehler), QStringLiteral("0000")).toString();
    if (!datumsformat.isEmpty()) t += QLatin1Char(' ') + jetformat::format(heute, datumsformat).toString();
    return t;
}

Nummernformat RenummerLogik::nummer() const {
    Nummernformat f;
    const auto row = Parameter(db_).read(QStringLiteral("ReNummer"));
    if (!row) return f;
    f.praefix = row->text(1);
    f.datumsformat = row->text(2).trimmed();
    f.zaehlerAlle = row->text(4).trimmed() == kAlle;
    f.schluesselAlle = row->text(5).trimmed().isEmpty() || row->text(5).trimmed() == kAlle;
    return f;
}

void RenummerLogik::nummerSpeichern(const Nummernformat& f) {
    const int pos = f.datumsformat.isEmpty() ? 0 : int(datumsteile().indexOf(f.datumsformat)) + 1;
    const QStringList werte = {f.praefix, f.datumsformat, QString::number(pos), f.zaehlerAlle ? kAlle : kFreilassen,
                               f.schluesselAlle ? kAlle : kFreilassen};
    QList<QPair<int, QVariant>> felder;
    for (int i = 0; i < werte.size(); ++i) felder << qMakePair(i + 1, QVariant(werte[i]));
    Parameter(db_).write(QStringLiteral("ReNummer"), felder);
    if (variablen_) variablen_->reNummer = werte;
}

const QList<Anzeigeoption>& RenummerLogik::optionen() {
    static const QList<Anzeigeoption> o = [] {
        QList<Anzeigeoption> l;
        auto drei = [&](const QString& kasten, const QString& satz, const QString& arten) {
            for (QChar a : arten) l << Anzeigeoption{kasten + a, satz + a};
        };
        drei(QStringLiteral("chArtikelBem"), QStringLiteral("Artikel_Bemerkung"), QStringLiteral("ABR"));
        drei(QStringLiteral("ChBemerkungstext"), QStringLiteral("Zimmerbemerkung"), QStringLiteral("ABR"));
        drei(QStringLiteral("chBlockBez"), QStringLiteral("Blockbez"), QStringLiteral("BR"));
        drei(QStringLiteral("chDatumZusatzposten"), QStringLiteral("DatumZusatzposten"), QStringLiteral("ABR"));
        drei(QStringLiteral("chEssen"), QStringLiteral("TextMitFrühstück"), QStringLiteral("ABR"));
        drei(QStringLiteral("chGastname"), QStringLiteral("Gastname"), QStringLiteral("ABR"));
        drei(QStringLiteral("chMitGästezahl"), QStringLiteral("MitGästezahl"), QStringLiteral("ABR"));
        drei(QStringLiteral("chMwSt"), QStringLiteral("Keine_MWST"), QStringLiteral("AB"));
        drei(QStringLiteral("chSaison"), QStringLiteral("Saisonaufteilung"), QStringLiteral("ABR"));
        drei(QStringLiteral("chZahlung"), QStringLiteral("Zahlung"), QStringLiteral("BR"));
        drei(QStringLiteral("chZimmernummer"), QStringLiteral("TextZimmerNummer"), QStringLiteral("BR"));
        drei(QStringLiteral("chZwischensumme"), QStringLiteral("Zwischen"), QStringLiteral("ABR"));
        return l;
    }();
    return o;
}

bool RenummerLogik::option(const QString& satz) const { return Parameter(db_).readYesNo(satz); }

void RenummerLogik::optionSetzen(const QString& satz, bool ja) {
    Parameter(db_).write(satz, {{1, ja ? kJa : kNein}});
    if (variablen_) variablen_->dokumentOptionen.insert(satz, ja);
}

QString RenummerLogik::zahlungsziel(int feld) const {
    const auto row = Parameter(db_).read(QStringLiteral("Zahlungsziele"));
    return row ? row->text(feld) : QString();
}

bool RenummerLogik::zahlungszieleSpeichern(const QList<QPair<int, QString>>& felder, bool anzahlung) {
    static const QRegularExpression ziffern(QStringLiteral("^\\d*$"));
    for (const auto& [feld, text] : felder)
        if (!ziffern.match(text.trimmed()).hasMatch()) {
            dialogs_.message(kNurZiffern);
            return false;
        }
    QList<QPair<int, QVariant>> werte;
    for (const auto& [feld, text] : felder) werte << qMakePair(feld, QVariant(text.trimmed()));
    Parameter p(db_);
    p.write(QStringLiteral("Zahlungsziele"), werte);
    p.write(QStringLiteral("RechnungAnzahlung"), {{1, anzahlung ? kJa : kNein}});
    if (variablen_) {
        while (variablen_->zahlungsziele.size() < 8) variablen_->zahlungsziele << QString();
        for (const auto& [feld, text] : felder) variablen_->zahlungsziele[feld - 1] = text.trimmed();
    }
    return true;
}

bool RenummerLogik::anzahlung() const { return Parameter(db_).readYesNo(QStringLiteral("RechnungAnzahlung")); }

QString RenummerLogik::nachttext(bool mehrere) const {
    const auto row = Parameter(db_).read(mehrere ? QStringLiteral("TextÜbernachtungMZ") : QStringLiteral("TextÜbernachtung"));
    const QString t = row ? row->text(1).trimmed() : QString();
    return t.isEmpty() ? (mehrere ? QStringLiteral("Übernachtungen") : QStringLiteral("Übernachtung")) : t;
}

void RenummerLogik::nachttexteSpeichern(const QString& eine, const QString& mehrere) {
    Parameter p(db_);
    p.write(QStringLiteral("TextÜbernachtung"), {{1, eine.trimmed().isEmpty() ? QStringLiteral("Übernachtung") : eine.trimmed()}});
    p.write(QStringLiteral("TextÜbernachtungMZ"),
            {{1, mehrere.trimmed().isEmpty() ? QStringLiteral("Übernachtungen") : mehrere.trimmed()}});
}

Nummernformat BeNummerLogik::lesen() const {
    Nummernformat f;
    const auto row = Parameter(db_).read(QStringLiteral("BeNummer"));
    if (!row) return f;
    f.praefix = row->text(1);
    f.datumsformat = row->text(2).trimmed();
    f.zaehlerAlle = row->text(4).trimmed() == kAlle;
    return f;
}

void BeNummerLogik::speichern(const Nummernformat& f) {
    const int pos = f.datumsformat.isEmpty() ? 0 : int(RenummerLogik::datumsteile().indexOf(f.datumsformat)) + 1;
    const QStringList werte = {f.praefix, f.datumsformat, QString::number(pos), f.zaehlerAlle ? kAlle : kFreilassen};
    QList<QPair<int, QVariant>> felder;
    for (int i = 0; i < werte.size(); ++i) felder << qMakePair(i + 1, QVariant(werte[i]));
    Parameter(db_).write(QStringLiteral("BeNummer"), felder);
    if (variablen_) variablen_->beNummer = werte;
}

QString BeNummerLogik::beispiel(const QString& praefix, const QString& datumsformat, const QString& zaehler, const QDate& heute) {
    NummernMuster m;
    m.praefix = praefix;
    m.datumsformat = datumsformat;
    return BelegNummern::eigene(m, zaehlerWert(zaehler), heute);
}

}  // namespace tav
