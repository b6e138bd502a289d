#pragma once

#include <QDialog>

#include "payment/AbrechnenLogik.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace tav {

// The settlement dialog: books the open amount of a document as one payment. Opened from the
// items editor's "Bezahlen"; its "Zahlungsdetails" opens the payments of the document.
class frmAbrechnen : public QDialog {
    Q_OBJECT
public:
    frmAbrechnen(Database& db, Dialogs& dialogs, int reNummer, int belegung, QWidget* parent = nullptr);
    // True when a payment was booked or the dialog was confirmed.
    static bool oeffnen(Database& db, Dialogs& dialogs, int reNummer, int belegung, QWidget* parent);

    AbrechnenLogik& logik() { return logik_; }

    QLineEdit* txtDatumRechnung;
    QComboBox* cboZahlart;
    QLineEdit* txtBetrag;
    QPushButton* cmdOK;
    QPushButton* cmdAbrrechen;
    QPushButton* cmdZahlDetail;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void zahlartenFuellen();
    void betragZeigen();

    Database& db_;
    Dialogs& dialogs_;
    AbrechnenLogik logik_;
};

}  // namespace tav
