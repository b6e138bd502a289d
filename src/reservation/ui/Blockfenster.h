#pragma once

#include <QWidget>

#include "reservation/Blockverwaltung.h"

class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace tav {

class Database;
class Dialogs;

// The block program's window "Blockbuchung": the members of the block with their rooms, the
// rooms free for the same nights, and the buttons that add, remove, lead, save and dissolve.
// Every rule lives in Blockverwaltung; a failed statement is shown with the file's name and
// the window stays usable.
class Blockfenster : public QWidget {
    Q_OBJECT
public:
    Blockfenster(Database& db, Dialogs& dialogs, QWidget* parent = nullptr);

    // Shows the block of the booking; false when there is nothing to show.
    bool laden(int buchungId);
    // The hand-over row names another booking: it is shown when nothing is unsaved here.
    void uebergabeAnzeigen(int buchungId);

    Blockverwaltung& logik() { return logik_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void anzeigen();
    int gewaehltesMitglied() const;
    template <typename F>
    void geschuetzt(const QString& was, F&& tun);

    Database& db_;
    Dialogs& dialogs_;
    Blockverwaltung logik_;
    QLabel* lblBlock = nullptr;
    QTableWidget* tblMitglieder = nullptr;
    QListWidget* lstFreieZimmer = nullptr;
    QPushButton* cmdHinzufuegen = nullptr;
    QPushButton* cmdEntfernen = nullptr;
    QPushButton* cmdFuehrend = nullptr;
    QPushButton* cmdSpeichern = nullptr;
    QPushButton* cmdAufloesen = nullptr;
    QPushButton* cmdSchliessen = nullptr;
    QLabel* lblHilfe = nullptr;
};

}  // namespace tav
