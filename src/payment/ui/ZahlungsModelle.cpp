#include "payment/ui/ZahlungsModelle.h"

#include <QColor>
#include <algorithm>

#include "platform/Dates.h"

namespace tav {

// ---- payments ------------------------------------------------------------------------------

void ZahlungsModell::setZeilen(QList<Zahlung> zeilen) {
    beginResetModel();
    zeilen_ = std::move(zeilen);
    endResetModel();
    sort(spalte_, ordnung_);
}

int ZahlungsModell::zeileVon(int zahlungId) const {
    for (int r = 0; r < zeilen_.size(); ++r)
        if (zeilen_[r].id == zahlungId) return r;
    return -1;
}

int ZahlungsModell::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(zeilen_.size()); }
int ZahlungsModell::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : Anzahl; }

QVariant ZahlungsModell::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= zeilen_.size()) return {};
    const Zahlung& z = zeilen_[index.row()];
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
            case ID: return z.id;
            case IdRechnung: return z.rechnung ? QVariant(z.rechnung) : QVariant();
            case ReNummer: return z.rechnungText;
            case Zimmer: return z.zimmerText;
            case Datum: return dates::shortDate(z.datum);
            case Betrag: return geld::text(z.betrag);
            case Zahlart: return z.zahlart;
            case WasBezahlt: return z.wasBezahlt;
            case Bemerkung: return z.bemerkung;
            case IdBelegung: return z.belegung;
        }
    }
    if (role == Qt::TextAlignmentRole && index.column() == Betrag) return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::UserRole) return z.id;
    return {};
}

QVariant ZahlungsModell::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const QStringList kopf = {QStringLiteral("IDZahlung"), QStringLiteral("IdRechnung"),  QStringLiteral("Re-Nummer"),
                                     QStringLiteral("Zi.Nr."),    QStringLiteral("Datum"),       QStringLiteral("Zahlbetrag"),
                                     QStringLiteral("Zahlart"),   QStringLiteral("Bezahlt als"), QStringLiteral("Bemerkung"),
                                     QStringLiteral("IdBelegung")};
    return section >= 0 && section < kopf.size() ? QVariant(kopf[section]) : QVariant();
}

void ZahlungsModell::sort(int column, Qt::SortOrder order) {
    spalte_ = column;
    ordnung_ = order;
    emit layoutAboutToBeChanged();
    const auto kleiner = [column](const Zahlung& a, const Zahlung& b) {
        switch (column) {
            case ReNummer: return a.rechnungText.localeAwareCompare(b.rechnungText) < 0;
            case Zimmer: return a.zimmerText.localeAwareCompare(b.zimmerText) < 0;
            case Betrag: return a.betrag < b.betrag;
            case Zahlart: return a.zahlart.localeAwareCompare(b.zahlart) < 0;
            case WasBezahlt: return a.wasBezahlt.localeAwareCompare(b.wasBezahlt) < 0;
            case Bemerkung: return a.bemerkung.localeAwareCompare(b.bemerkung) < 0;
            case ID: return a.id < b.id;
            default: return a.datum < b.datum;
        }
    };
    std::stable_sort(zeilen_.begin(), zeilen_.end(),
                     [&](const Zahlung& a, const Zahlung& b) { return order == Qt::AscendingOrder ? kleiner(a, b) : kleiner(b, a); });
    emit layoutChanged();
}

// ---- invoices ------------------------------------------------------------------------------

void RechnungsModell::setBloecke(QList<RechnungsBlock> bloecke) {
    beginResetModel();
    bloecke_ = std::move(bloecke);
    endResetModel();
}

int RechnungsModell::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(bloecke_.size()) * 3; }
int RechnungsModell::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 5; }

QVariant RechnungsModell::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const RechnungsBlock& b = bloecke_[index.row() / 3];
    const int teil = index.row() % 3;
    if (role == Qt::DisplayRole) {
        if (teil == 0) {
            switch (index.column()) {
                case 0: return b.reNummer;
                case 1: return b.eigeneNummer;
                case 2: return dates::longDate(b.datum);
                case 3: return geld::text(b.brutto);
                case 4: return b.adresse;
            }
        } else if (index.column() == 2) {
            return teil == 1 ? QStringLiteral("Summe Zahlungen:") : QStringLiteral("noch zu zahlen:");
        } else if (index.column() == 3) {
            return geld::text(teil == 1 ? b.gezahlt : b.offen());
        }
        return {};
    }
    if (role == Qt::TextAlignmentRole && index.column() == 3) return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::BackgroundRole) return b.bezahlt() ? QColor(0xd8, 0xf0, 0xd8) : QColor(0xff, 0xf4, 0xc8);
    if (role == Qt::UserRole) return b.reNummer;
    return {};
}

QVariant RechnungsModell::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const QStringList kopf = {QStringLiteral("ID"), QStringLiteral("Re-Nummer"), QStringLiteral("Datum"), QStringLiteral("Summe"),
                                     QStringLiteral("Adresse")};
    return section >= 0 && section < kopf.size() ? QVariant(kopf[section]) : QVariant();
}

}  // namespace tav
