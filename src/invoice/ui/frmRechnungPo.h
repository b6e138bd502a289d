#pragma once

#include <QAbstractTableModel>
#include <QDialog>
#include <functional>

#include "invoice/RechnungPoLogik.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QTableView;

namespace tav {

class Fenster;
struct Variablen;
class Shell;

// The entries of the editor as a virtual model: the rows live in the logic class.
class PostenModell : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit PostenModell(const RechnungPoLogik& logik, QObject* parent = nullptr) : QAbstractTableModel(parent), logik_(logik) {}
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void neuLaden();

private:
    const RechnungPoLogik& logik_;
};

// A choice list of the logic (addresses) for a combo box, without copying thousands of
// entries into it: the text is shown, the key is the item's data.
class WahlModell : public QAbstractListModel {
    Q_OBJECT
public:
    explicit WahlModell(const QList<RechnungPoLogik::Wahl>& wahl, QObject* parent = nullptr) : QAbstractListModel(parent), wahl_(wahl) {}
    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(wahl_.size()); }
    QVariant data(const QModelIndex& index, int role) const override;
    void neuLaden() {
        beginResetModel();
        endResetModel();
    }

private:
    const QList<RechnungPoLogik::Wahl>& wahl_;
};

// The items editor: the bookings of a guest (and of its block) with their extra items, turned
// into invoices, confirmations and offers.
class frmRechnungPo : public QDialog {
    Q_OBJECT
public:
    // What the output of a document gives back: the PDF (empty after a message) and the
    // totals of its item table.
    struct Ausgedruckt {
        QString pdf;
        double netto = 0, mwst = 0, brutto = 0, zahlungen = 0;
    };
    struct Umgebung {
        Fenster* fenster = nullptr;  // the settlement and payments windows
        Shell* shell = nullptr;      // the address and evaluation programs, the finished PDF
        QString programmordner;
        bool nurZusatzposten = false;    // a block member whose room is billed through its block
        Variablen* variablen = nullptr;  // the program's copy of the settings the document settings change
        // Writes the data files of a document and merges it (ohneVerpflegung: no board text).
        std::function<Ausgedruckt(int reNummer, Dokumentart art, bool ohneVerpflegung)> ausgabe;
    };

    frmRechnungPo(Database& db, Dialogs& dialogs, Umgebung umgebung, int buchungId, RechnungPoLogik::Modus modus,
                  QWidget* parent = nullptr);
    static void oeffnen(Database& db, Dialogs& dialogs, Umgebung umgebung, int buchungId, RechnungPoLogik::Modus modus, QWidget* parent);

    RechnungPoLogik& logik() { return logik_; }
    // The row shown in the item fields; -1 for none.
    int aktuelleZeile() const { return aktuell_; }
    void zeileWaehlen(int zeile);
    // The PDF of the last document written.
    QString letztesPdf() const { return letztesPdf_; }

    QTableView* ctrPosten;
    QComboBox* cboArtikel;
    QLineEdit* txtMenge;
    QLineEdit* txtPreis;
    QLineEdit* txtPreisGesamt;
    QComboBox* cboMwSt;
    QLineEdit* txtBemerkung;
    QLineEdit* txtDatum;
    QLineEdit* txtDatBis;
    QCheckBox* chKeinDatum;
    QLineEdit* txtGaeste;
    QComboBox* cboAbgerechnet;
    QPushButton* cmdSpeichern;
    QPushButton* CmdNeueDaten;
    QPushButton* cmdLoeschen;
    QPushButton* cmdArtikelSpeichern;
    QPushButton* cmdArtikel;

    QComboBox* cboGastNeu = nullptr;
    QPushButton* cmdAdressZU;
    QPushButton* cmdAktualisieren;
    QPushButton* cmdADressverw;

    QLineEdit* txtRenummer;
    QLineEdit* txtReNummer_Eigen;
    QLineEdit* txtDatumRechnung;
    QComboBox* cboZahlart;
    QLineEdit* txtReText;
    QComboBox* cboRabattText;
    QComboBox* cboRabatt_betrag;
    QCheckBox* chAnzahlung;
    QRadioButton* opBerechnung[3];
    QCheckBox* chFruestueckUnterdruecken;
    QRadioButton* opAnzeigeBuchung;
    QRadioButton* opAnzeigeBlock;

    QPushButton* cmdDrucken;
    QPushButton* cmdEinzelRechnung;
    QPushButton* cmdAngebot;
    QPushButton* cmdBezahlen;
    QPushButton* cmdZahlDetails;
    QPushButton* cmdZahlungStorno;
    QLabel* lblSummen;

    QAction* mnuStatus;
    QAction* mnuTeilen;
    QAction* mnuKeineTeilung;
    QAction* mnuBezAendern;
    QAction* mnuSpalten;
    QAction* mnuEinstellungen;
    QAction* mnuAuswertung;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;

private:
    void aufbauen();
    void verbinden();
    void listenFuellen();
    void neuLaden();
    void spaltenZeigen();
    void felderZeigen();
    void felderLeeren();
    bool speichern();
    // Unsaved changes: asks and saves; false when the user stays.
    bool aenderungenSichern();
    PostenEingabe eingabe() const;
    RechnungPoLogik::Belegdaten belegdaten() const;
    QList<PoZeile> auswahl() const;
    const PoZeile* zeile() const;
    void belegErstellen(Dokumentart art);
    void nummerFaerben();
    void bezahltFaerben();
    void vorgabeFragen(QWidget* feld);
    bool geschuetzt(const QString& was, const std::function<void()>& tun);
    void alleAdressen();

    Database& db_;
    Dialogs& dialogs_;
    Umgebung u_;
    RechnungPoLogik logik_;
    PostenModell* modell_;
    WahlModell* adressModell_;
    QMenuBar* menue_;
    int aktuell_ = -1;
    bool geaendert_ = false;
    bool adresseGeaendert_ = false;  // another invoice address chosen but not assigned
    bool fuellen_ = false;
    QString letztesPdf_;
};

}  // namespace tav
