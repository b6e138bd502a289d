#include "invoice/RechnungspostenLogik.h"

#include "platform/Amounts.h"
#include "store/Parameter.h"

namespace tav {

namespace {
const QString kSatz = QStringLiteral("Rechnungsposten");
}

double Zusatzposten::summe() const {
    double s = 0;
    for (const QString& b : betraege) s += amounts::parse(b).value_or(0.0);
    return s;
}

const std::array<QString, 10>& RechnungspostenLogik::vorgaben() {
    static const std::array<QString, 10> v = {QStringLiteral("Telefon"),    QStringLiteral("0,00"),     QStringLiteral("Mini-Bar"),
                                              QStringLiteral("0,00"),       QStringLiteral("Getränke"), QStringLiteral("0,00"),
                                              QStringLiteral("Restaurant"), QStringLiteral("0,00"),     QStringLiteral("Sonstiges"),
                                              QStringLiteral("0,00")};
    return v;
}

void RechnungspostenLogik::leeren() {
    buchung_ = -1;
    ergebnis_ = Ergebnis::Offen;
}

void RechnungspostenLogik::oeffnen(Database& db, int buchungId, const QString& titel, int druckAnzahl) {
    titel_ = titel;
    ergebnis_ = Ergebnis::Offen;
    if (buchungId == buchung_) return;
    Parameter p(db);
    std::optional<ParameterRow> row = p.read(kSatz);
    if (!row) {
        QList<QPair<int, QVariant>> felder;
        for (int i = 0; i < 10; ++i) felder << qMakePair(i + 1, QVariant(vorgaben()[size_t(i)]));
        p.write(kSatz, felder);
        row = p.read(kSatz);
    }
    for (int i = 0; i < Zusatzposten::kAnzahl; ++i) {
        werte_.texte[size_t(i)] = row ? row->text(2 * i + 1) : vorgaben()[size_t(2 * i)];
        werte_.betraege[size_t(i)] = betragFormatieren(row ? row->text(2 * i + 2) : vorgaben()[size_t(2 * i + 1)]);
        if (werte_.betraege[size_t(i)].isEmpty()) werte_.betraege[size_t(i)] = QStringLiteral("0,00");
    }
    werte_.ausdrucke = druckAnzahl;
    buchung_ = buchungId;
}

QString RechnungspostenLogik::betragFormatieren(const QString& text) {
    if (text.trimmed().isEmpty()) return {};
    return amounts::format(amounts::parse(text).value_or(0.0));
}

void RechnungspostenLogik::ok() {
    for (QString& b : werte_.betraege) {
        b = betragFormatieren(b);
        if (b.isEmpty()) b = QStringLiteral("0,00");
    }
    ergebnis_ = Ergebnis::Ok;
}

void RechnungspostenLogik::weiter() {
    for (QString& b : werte_.betraege) b = QStringLiteral("0,00");
    ok();
}

void RechnungspostenLogik::vorgabeSpeichern(Database& db) const {
    QList<QPair<int, QVariant>> felder;
    for (int i = 0; i < Zusatzposten::kAnzahl; ++i) {
        felder << qMakePair(2 * i + 1, QVariant(werte_.texte[size_t(i)]));
        felder << qMakePair(2 * i + 2, QVariant(betragFormatieren(werte_.betraege[size_t(i)])));
    }
    Parameter(db).write(kSatz, felder);
}

RechnungspostenLogik& rechnungsposten() {
    static RechnungspostenLogik logik;
    return logik;
}

}  // namespace tav
