#pragma once

#include <QAbstractTableModel>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <functional>

#include "invoice/Stammdaten.h"
#include "store/Datenbankfehler.h"

namespace tav {

class Dialogs;

// The rows of a master-data grid as the logic returns them, in the logic's order. A click on a
// column header asks the logic for the other order (sortieren) and shows the rows anew.
class StammModell : public QAbstractTableModel {
    Q_OBJECT
public:
    StammModell(QStringList spalten, QObject* parent) : QAbstractTableModel(parent), spalten_(std::move(spalten)) {}
    void setZeilen(QList<StammZeile> zeilen);
    const QList<StammZeile>& zeilen() const { return zeilen_; }
    int zeileVon(int id) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QStringList spalten_;
    QList<StammZeile> zeilen_;
};

// A VAT choice list (cboMwSt, cboMwStNachfolger): the rates of all keys, highest first; F3
// changes the selected key's rate to the typed one, F2 removes the selected key; leaving it
// with a rate that is not in the list is refused. geaendert runs after F2/F3 changed a key.
class MwStListeFeld : public QComboBox {
    Q_OBJECT
public:
    MwStListeFeld(const QString& name, MwStAuswahl& auswahl, Dialogs& dialogs, std::function<void()> geaendert);
    // Fills the list anew and shows text.
    void fuellen(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int gewaehlteId() const;

    MwStAuswahl& auswahl_;
    Dialogs& dialogs_;
    std::function<void()> geaendert_;
};

// The grid of a master-data window: one row at a time, header clicks sort through the logic.
QTableView* stammGrid(const QString& name, StammModell* modell);

// What a master-data window names when a database call fails.
struct StammTexte {
    QString eintragLesen;      // "Der Artikel konnte nicht gelesen werden."
    QString eintragSpeichern;  // also for "new", which may ask to save the open entry first
    QString eintragLoeschen;
    QString alleLesen;
};

// The grid and the buttons new, save and delete of a master-data window, wired to its logic
// (zeilen, sortieren, sortierung, laden, neu, speichern, loeschen, felder().id): a header click
// sorts, a row click loads the row, each button acts through the logic, and after each the
// grid and the fields are shown anew. A database call that fails shows the German message
// naming the file; the grid and the fields stay as they were. Returns the grid's refill, which
// the window calls when something else changed the rows.
template <class Logik>
std::function<void()> stammVerbinden(QDialog* fenster, Logik& logik, Dialogs& dialogs, StammModell& modell, QTableView* grid,
                                     QPushButton* neu, QPushButton* speichern, QPushButton* loeschen, QWidget* ersteEingabe,
                                     const StammTexte& texte, std::function<void()> anzeigen) {
    const auto geschuetzt = [&dialogs](const QString& was, auto&& tun) { return datenbankGeschuetzt(dialogs, was, tun); };
    const std::function<void()> fuellen = [=, &logik, &modell] {
        QList<StammZeile> zeilen;
        if (!geschuetzt(texte.alleLesen, [&] { zeilen = logik.zeilen(); })) return;
        modell.setZeilen(std::move(zeilen));
        grid->resizeColumnsToContents();
        const int r = modell.zeileVon(logik.felder().id);
        if (r >= 0 && logik.felder().id != 0) grid->selectRow(r);
        loeschen->setEnabled(logik.felder().id != 0);
    };
    QObject::connect(grid->horizontalHeader(), &QHeaderView::sectionClicked, fenster, [=, &logik](int spalte) {
        logik.sortieren(spalte);
        grid->horizontalHeader()->setSortIndicator(spalte, logik.sortierung().absteigend() ? Qt::DescendingOrder : Qt::AscendingOrder);
        fuellen();
    });
    QObject::connect(grid, &QTableView::clicked, fenster, [=, &logik, &modell](const QModelIndex& i) {
        if (!i.isValid()) return;
        geschuetzt(texte.eintragLesen, [&] { logik.laden(modell.zeilen()[i.row()].id); });
        fuellen();
        anzeigen();
    });
    // A button whose action the logic refused (a question answered No, a rule) changes nothing.
    const auto knopf = [=, &logik](QPushButton* b, const QString& was, bool (Logik::*tun)(), QWidget* fokus) {
        QObject::connect(b, &QPushButton::clicked, fenster, [=, &logik] {
            bool getan = false;
            geschuetzt(was, [&] { getan = (logik.*tun)(); });
            if (!getan) return;
            fuellen();
            anzeigen();
            if (fokus) fokus->setFocus();
        });
    };
    knopf(neu, texte.eintragSpeichern, &Logik::neu, ersteEingabe);
    knopf(speichern, texte.eintragSpeichern, &Logik::speichern, nullptr);
    knopf(loeschen, texte.eintragLoeschen, &Logik::loeschen, nullptr);
    return fuellen;
}

}  // namespace tav
