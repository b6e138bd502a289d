#pragma once

#include <QDialog>
#include <QMap>

#include "invoice/RenummerLogik.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace tav {

// The booking number format: prefix, date part, example and reuse of freed numbers.
class frmBeNummer : public QDialog {
    Q_OBJECT
public:
    frmBeNummer(Database& db, Dialogs& dialogs, Variablen* variablen, QWidget* parent = nullptr);
    static void oeffnen(Database& db, Dialogs& dialogs, Variablen* variablen, QWidget* parent);

    QLineEdit* txtVor;
    QComboBox* cboDatum;
    QLineEdit* txtBeNummer;
    QLineEdit* txtBeNummerBeispiel;
    QRadioButton* opFreieAlle;
    QRadioButton* opFreieFrei;
    QPushButton* cmdSpeichern;
    QPushButton* cmdSchliessen;

private:
    void beispielZeigen();
    Dialogs& dialogs_;
    BeNummerLogik logik_;
};

// The document settings: number format, display options of the three document kinds, payment
// targets and the words for nights, on four tabs.
class frmRenummer : public QDialog {
    Q_OBJECT
public:
    frmRenummer(Database& db, Dialogs& dialogs, Variablen* variablen, QWidget* parent = nullptr);
    static void oeffnen(Database& db, Dialogs& dialogs, Variablen* variablen, QWidget* parent);

    RenummerLogik& logik() { return logik_; }
    // Saves the tab's unsaved changes after "Änderungen speichern?"; false when the user stays.
    bool aenderungenSichern();

    QTabWidget* tabs;
    // numbers
    QLineEdit* txtVor;
    QComboBox* cboDatum;
    QLineEdit* txtRenummer;
    QLineEdit* txtRenummerBeispiel;
    QRadioButton* opFreieAlle;
    QRadioButton* opFreieFrei;
    QRadioButton* opFreieAngebotAlle;
    QRadioButton* opFreieAngebotFrei;
    QPushButton* cmdSpeichern;
    QPushButton* cmdBeNummer;
    QPushButton* cmdSchliessen;
    // display
    QMap<QString, QCheckBox*> optionen;  // by box name
    // payment
    QLineEdit* txtZahlungszielAllgvR;
    QLineEdit* txtZahlungszielAllgnR;
    QLineEdit* txtAnzahlungvR;
    QLineEdit* txtAnzahlungnR;
    QLineEdit* txtAnzProzentvR;
    QLineEdit* txtAnzProzentnR;
    QLineEdit* txtZahlungszielSkonto;
    QCheckBox* chZahlungsziele;
    QPushButton* cmdZahlspeichern;
    // texts
    QLineEdit* txtTextFuerUebernachtung;
    QLineEdit* txtTextFuerUebernachtungMZ;
    QPushButton* Command3;

protected:
    void reject() override;

private:
    QWidget* nummernSeite();
    QWidget* anzeigeSeite();
    QWidget* zahlungSeite();
    QWidget* texteSeite();
    void laden();
    void beispielZeigen();
    bool nummerSpeichern();
    bool zahlungSpeichern();
    bool texteSpeichern();

    Database& db_;
    Dialogs& dialogs_;
    Variablen* variablen_;
    RenummerLogik logik_;
    int seite_ = 0;
    bool geaendert_ = false;
    bool laden_ = false;
};

}  // namespace tav
