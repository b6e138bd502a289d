#pragma once

#include <QAbstractTableModel>

#include "payment/Zahlungen.h"

namespace tav {

// The grid "Zahlungen" (ctrflexZahlung): IDZahlung and IdRechnung (hidden), "Re-Nummer",
// "Zi.Nr.", "Datum", "Zahlbetrag", "Zahlart", "Bezahlt als", "Bemerkung", IdBelegung (hidden).
// A click on a column head sorts by it; a second click on the same head turns the order round.
class ZahlungsModell : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Spalte { ID, IdRechnung, ReNummer, Zimmer, Datum, Betrag, Zahlart, WasBezahlt, Bemerkung, IdBelegung, Anzahl };
    using QAbstractTableModel::QAbstractTableModel;
    void setZeilen(QList<Zahlung> zeilen);
    const QList<Zahlung>& zeilen() const { return zeilen_; }
    int zeileVon(int zahlungId) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    QList<Zahlung> zeilen_;
    int spalte_ = Datum;
    Qt::SortOrder ordnung_ = Qt::AscendingOrder;
};

// The grid "Rechnungen" (ctrFlexRechnungen): per invoice a row with "ID", "Re-Nummer", "Datum",
// "Summe" and "Adresse", then "Summe Zahlungen:" and "noch zu zahlen:". Each block is tinted:
// green when paid in full, yellow while an amount is open. Qt::UserRole gives the block's
// invoice number on each of its rows.
class RechnungsModell : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    void setBloecke(QList<RechnungsBlock> bloecke);
    const QList<RechnungsBlock>& bloecke() const { return bloecke_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<RechnungsBlock> bloecke_;
};

}  // namespace tav
