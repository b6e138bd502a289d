#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace tav {

class Database;
class Dialogs;
class RechnungspostenLogik;

// The check-out extras dialog: five text and amount pairs and the number of printouts. It
// shows and forwards; the values and rules live in RechnungspostenLogik.
class Rechnungsposten : public QDialog {
    Q_OBJECT
public:
    // logik has been opened for the booking (RechnungspostenLogik::oeffnen).
    Rechnungsposten(Database& db, Dialogs& dialogs, RechnungspostenLogik& logik, QWidget* parent = nullptr);

    // Opens the dialog modally for a booking; the result stays in logik.
    static void oeffnen(Database& db, Dialogs& dialogs, RechnungspostenLogik& logik, int buchungId, const QString& titel, int druckAnzahl,
                        QWidget* parent);

    QLineEdit* txtTelefon;
    QLineEdit* txtTelefonBetrag;
    QLineEdit* txtMiniBar;
    QLineEdit* txtMiniBarBetrag;
    QLineEdit* txtGEtränke;
    QLineEdit* txtGetränkeBetrag;
    QLineEdit* txtRestaurant;
    QLineEdit* txtRestaurantBetrag;
    QLineEdit* txtSonstiges;
    QLineEdit* txtSonstigesBetrag;
    QLineEdit* txtAnzahlAusdruck;
    QPushButton* cmdOK;
    QPushButton* cmdWeiter;
    QPushButton* cmdAbbrechen;
    QPushButton* cmdVorgabeSpeichern;

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;
    void reject() override;

private:
    void uebernehmen();
    void anzeigen();
    QLineEdit* text(int i) const;
    QLineEdit* betrag(int i) const;

    Database& db_;
    Dialogs& dialogs_;
    RechnungspostenLogik& logik_;
};

}  // namespace tav
