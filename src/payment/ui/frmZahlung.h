#pragma once

#include <QDialog>

#include "payment/ZahlungLogik.h"
#include "payment/ui/ZahlungsModelle.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QAction;

namespace tav {

// The payments window "Zahlungen und Rechnungen": the payments of a booking, of a block's
// members or of one invoice, the invoices with their open amounts, and the fields of one
// payment. Opened from the plan's booking menu, the reservation form and the settlement
// dialog. A statement that fails (a lock held elsewhere, a read-only file) shows a German
// message naming the file; the window stays open with what was typed.
class frmZahlung : public QDialog {
    Q_OBJECT
public:
    frmZahlung(Database& db, Dialogs& dialogs, const ZahlungKontext& kontext, QWidget* parent = nullptr);
    // The bookings of the context: the booking and, when it belongs to a block booking, all
    // its members.
    static void oeffnen(Database& db, Dialogs& dialogs, int buchungId, QWidget* parent);
    static void oeffnenFuerRechnung(Database& db, Dialogs& dialogs, int reNummer, QWidget* parent);

    ZahlungLogik& logik() { return logik_; }
    ZahlungsModell& zahlungsModell() { return zahlungen_; }
    RechnungsModell& rechnungsModell() { return rechnungen_; }

    QLabel* lblKopf;
    QPushButton* cmdWarnung;
    QLabel* lbStatus;
    QComboBox* cboZimmer;
    QComboBox* cboRechnung;
    QComboBox* cboZahlart;
    QComboBox* cboWasBezahlt;
    QLineEdit* txtZahlDatum;
    QLineEdit* txtPreis;
    QLineEdit* txtBemerkung;
    QTableView* ctrflexZahlung;
    QTableView* ctrFlexRechnungen;
    QPushButton* cmdSpeichern;
    QPushButton* CmdNeueDaten;
    QPushButton* cmdLöschen;
    QPushButton* cmdSchliessen;

protected:
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void anzeigen();  // fields, lists, grids and status from the logic
    void zahlartenFuellen();
    void fokusSetzen();
    void speichern();
    void neu();
    void loeschen();
    template <typename F>
    bool geschuetzt(const QString& was, F&& tun);

    Database& db_;
    Dialogs& dialogs_;
    ZahlungLogik logik_;
    ZahlungsModell zahlungen_;
    RechnungsModell rechnungen_;
    QLabel* lblHilfe_ = nullptr;
    bool anzeigen_ = false;
    bool offen_ = false;
};

}  // namespace tav
