#include "reservation/ui/Blockfenster.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "engine/Database.h"
#include "platform/Amounts.h"
#include "platform/Files.h"
#include "platform/ui/WindowParts.h"
#include "store/Datenbankfehler.h"

namespace tav {

Blockfenster::Blockfenster(Database& db, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), db_(db), dialogs_(dialogs), logik_(db, dialogs) {
    setObjectName(QStringLiteral("Blockfenster"));
    setWindowTitle(Blockverwaltung::kTitel);

    lblBlock = new QLabel(this);
    lblBlock->setObjectName(QStringLiteral("lblBlock"));
    QFont f = lblBlock->font();
    f.setBold(true);
    lblBlock->setFont(f);

    tblMitglieder = new QTableWidget(0, 5, this);
    tblMitglieder->setObjectName(QStringLiteral("tblMitglieder"));
    tblMitglieder->setHorizontalHeaderLabels(
        {QStringLiteral("Zimmer"), QStringLiteral("Kürzel"), QStringLiteral("Gäste"), QStringLiteral("Preis"), QStringLiteral("Führend")});
    tblMitglieder->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblMitglieder->setSelectionMode(QAbstractItemView::SingleSelection);
    tblMitglieder->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblMitglieder->verticalHeader()->hide();
    tblMitglieder->horizontalHeader()->setStretchLastSection(true);

    lstFreieZimmer = new QListWidget(this);
    lstFreieZimmer->setObjectName(QStringLiteral("lstFreieZimmer"));

    cmdHinzufuegen = parts::button(QStringLiteral("cmdHinzufuegen"), QStringLiteral("Zimmer &hinzufügen"),
                                   QStringLiteral("Nimmt das gewählte freie Zimmer für dieselben Nächte in die Blockbuchung auf."), this);
    cmdEntfernen =
        parts::button(QStringLiteral("cmdEntfernen"), QStringLiteral("Aus dem Block &entfernen"),
                      QStringLiteral("Nimmt die gewählte Reservierung aus der Blockbuchung; die Reservierung bleibt erhalten."), this);
    cmdFuehrend = parts::button(QStringLiteral("cmdFuehrend"), QStringLiteral("Als &führende Reservierung"),
                                QStringLiteral("Die gewählte Reservierung führt die Blockbuchung; die Rechnung beginnt mit ihr."), this);
    cmdSpeichern = parts::button(QStringLiteral("cmdSpeichern"), QStringLiteral("&Speichern"),
                                 QStringLiteral("Schreibt die Blockbuchung mit allen Reservierungen auf einmal."), this);
    cmdAufloesen = parts::button(QStringLiteral("cmdAufloesen"), QStringLiteral("Block &auflösen"),
                                 QStringLiteral("Löst die Blockbuchung auf; die Reservierungen bleiben einzeln erhalten."), this);
    cmdSchliessen =
        parts::button(QStringLiteral("cmdSchliessen"), QStringLiteral("Schli&eßen"), QStringLiteral("Beendet die Blockbuchung."), this);
    lblHilfe = parts::helpLine();

    auto* mitglieder = new QGroupBox(QStringLiteral("Reservierungen der Blockbuchung"), this);
    auto* ml = new QVBoxLayout(mitglieder);
    ml->addWidget(tblMitglieder);
    auto* mk = new QHBoxLayout;
    mk->addWidget(cmdEntfernen);
    mk->addWidget(cmdFuehrend);
    mk->addStretch();
    ml->addLayout(mk);
    auto* frei = new QGroupBox(QStringLiteral("Freie Zimmer für dieselben Nächte"), this);
    auto* fl = new QVBoxLayout(frei);
    fl->addWidget(lstFreieZimmer);
    fl->addWidget(cmdHinzufuegen);
    auto* mitte = new QHBoxLayout;
    mitte->addWidget(mitglieder, 3);
    mitte->addWidget(frei, 2);
    auto* unten = new QHBoxLayout;
    unten->addWidget(cmdAufloesen);
    unten->addStretch();
    unten->addWidget(cmdSpeichern);
    unten->addWidget(cmdSchliessen);
    auto* haupt = new QVBoxLayout(this);
    haupt->addWidget(lblBlock);
    haupt->addLayout(mitte);
    haupt->addLayout(unten);
    haupt->addWidget(lblHilfe);
    resize(760, 420);

    connect(cmdHinzufuegen, &QPushButton::clicked, this, [this] {
        QListWidgetItem* item = lstFreieZimmer->currentItem();
        if (!item) return;
        const int zimmer = item->data(Qt::UserRole).toInt();
        geschuetzt(QStringLiteral("Das Zimmer konnte nicht hinzugefügt werden."), [&] { logik_.zimmerHinzufuegen(zimmer); });
    });
    connect(lstFreieZimmer, &QListWidget::itemDoubleClicked, cmdHinzufuegen, &QPushButton::click);
    connect(cmdEntfernen, &QPushButton::clicked, this, [this] {
        const int i = gewaehltesMitglied();
        geschuetzt(QStringLiteral("Die Reservierung konnte nicht entfernt werden."), [&] { logik_.entfernen(i); });
    });
    connect(cmdFuehrend, &QPushButton::clicked, this, [this] {
        logik_.setMaster(gewaehltesMitglied());
        anzeigen();
    });
    connect(cmdSpeichern, &QPushButton::clicked, this,
            [this] { geschuetzt(QStringLiteral("Die Blockbuchung konnte nicht gespeichert werden."), [&] { logik_.speichern(); }); });
    connect(cmdAufloesen, &QPushButton::clicked, this,
            [this] { geschuetzt(QStringLiteral("Die Blockbuchung konnte nicht aufgelöst werden."), [&] { logik_.aufloesen(); }); });
    connect(cmdSchliessen, &QPushButton::clicked, this, &QWidget::close);
    connect(tblMitglieder, &QTableWidget::itemSelectionChanged, this, [this] {
        const int i = gewaehltesMitglied();
        const bool da = i >= 0;
        cmdEntfernen->setEnabled(da && !logik_.mitglieder()[i].master);
        cmdFuehrend->setEnabled(da && !logik_.mitglieder()[i].master);
    });
    connect(lstFreieZimmer, &QListWidget::currentRowChanged, this, [this](int r) { cmdHinzufuegen->setEnabled(r >= 0); });
    for (QWidget* w : findChildren<QWidget*>())
        if (!w->toolTip().isEmpty()) w->setStatusTip(w->toolTip());
}

template <typename F>
void Blockfenster::geschuetzt(const QString& was, F&& tun) {
    datenbankGeschuetzt(dialogs_, was, std::forward<F>(tun));
    // A failed statement leaves the block as it was shown; the lists are read again.
    datenbankGeschuetzt(dialogs_, QStringLiteral("Die freien Zimmer konnten nicht gelesen werden."), [this] { anzeigen(); });
}

bool Blockfenster::laden(int buchungId) {
    bool ok = false;
    datenbankGeschuetzt(dialogs_, QStringLiteral("Die Blockbuchung konnte nicht gelesen werden."), [&] {
        ok = logik_.laden(buchungId);
        if (ok) anzeigen();
    });
    return ok;
}

void Blockfenster::uebergabeAnzeigen(int buchungId) {
    if (buchungId <= 0 || buchungId == logik_.buchungId() || logik_.geaendert()) return;
    laden(buchungId);
}

int Blockfenster::gewaehltesMitglied() const {
    const QList<QTableWidgetItem*> sel = tblMitglieder->selectedItems();
    return sel.isEmpty() ? -1 : sel.first()->row();
}

void Blockfenster::anzeigen() {
    lblBlock->setText(logik_.ueberschrift());
    const QList<Blockmitglied>& m = logik_.mitglieder();
    tblMitglieder->clearContents();
    tblMitglieder->setRowCount(int(m.size()));
    for (int i = 0; i < m.size(); ++i) {
        const QStringList zellen = {m[i].zimmerLabel, m[i].kuerzel + (m[i].buchungId == 0 ? QStringLiteral(" (neu)") : QString()),
                                    QString::number(m[i].gaeste), amounts::format(m[i].preis),
                                    m[i].master ? QStringLiteral("Ja") : QString()};
        for (int c = 0; c < zellen.size(); ++c) {
            auto* item = new QTableWidgetItem(zellen[c]);
            if (c == 2 || c == 3) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            tblMitglieder->setItem(i, c, item);
        }
    }
    tblMitglieder->resizeColumnsToContents();
    lstFreieZimmer->clear();
    for (const BlockZimmer& z : logik_.freieZimmer()) {
        auto* item = new QListWidgetItem(QStringLiteral("Zimmer ") + z.label + QStringLiteral("  (") + QString::number(z.gaeste) +
                                         QStringLiteral(" Gäste, ") + amounts::format(z.preisProNacht) + QStringLiteral(" je Nacht)"));
        item->setData(Qt::UserRole, z.nummer);
        lstFreieZimmer->addItem(item);
    }
    cmdHinzufuegen->setEnabled(false);
    cmdEntfernen->setEnabled(false);
    cmdFuehrend->setEnabled(false);
    cmdAufloesen->setEnabled(logik_.blocknummer() != 0 || m.size() > 1);
    cmdSpeichern->setEnabled(logik_.geaendert());
}

void Blockfenster::closeEvent(QCloseEvent* event) {
    if (logik_.geaendert()) {
        const Answer a = dialogs_.message(QStringLiteral("Änderungen oder neue Daten speichern?"), Blockverwaltung::kTitel,
                                          Buttons::YesNoCancel, Icon::Question);
        if (a == Answer::Cancel) {
            event->ignore();
            return;
        }
        if (a == Answer::Yes) {
            bool gespeichert = false;
            geschuetzt(QStringLiteral("Die Blockbuchung konnte nicht gespeichert werden."), [&] { gespeichert = logik_.speichern(); });
            if (!gespeichert) {
                event->ignore();
                return;
            }
        }
    }
    event->accept();
}

}  // namespace tav
