#include "settings/ui/frmFeiertag.h"

#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "platform/Dates.h"
#include "platform/ui/WindowParts.h"
#include "settings/ui/Hilfebereich.h"
#include "store/Datenbankfehler.h"

namespace tav {

void FeiertagModell::setFeiertage(QList<Feiertag> liste) {
    beginResetModel();
    liste_ = std::move(liste);
    endResetModel();
}

int FeiertagModell::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(liste_.size()); }
int FeiertagModell::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 3; }

QVariant FeiertagModell::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= liste_.size() || role != Qt::DisplayRole) return {};
    const Feiertag& f = liste_[index.row()];
    switch (index.column()) {
        case 0: return f.id;
        case 1: return f.name;
        case 2: return dates::longDate(f.datum);
    }
    return {};
}

QVariant FeiertagModell::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const QStringList kopf = {QStringLiteral("IDFeiertage"), QStringLiteral("Feiertag"), QStringLiteral("Datum")};
    return kopf.value(section);
}

frmFeiertag::frmFeiertag(Database& db, Dialogs& dialogs, const QString& quelle, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), logik_(db, dialogs), modell_(this), quelle_(quelle) {
    setObjectName(QStringLiteral("frmFeiertag"));
    setWindowTitle(FeiertagLogik::kTitel);

    ctrflexzustand = parts::resultGrid(QStringLiteral("ctrflexzustand"), &modell_);
    ctrflexzustand->setColumnHidden(0, true);
    ctrflexzustand->setColumnWidth(1, 220);
    ctrflexzustand->setToolTip(
        QStringLiteral("Klicken Sie auf einen Feiertag, um ihn zu bearbeiten. Ein Klick auf eine "
                       "Spaltenüberschrift sortiert nach dieser Spalte."));
    txtName = new QLineEdit;
    txtName->setObjectName(QStringLiteral("txtName"));
    txtName->setToolTip(QStringLiteral("Bezeichnung des Feiertags."));
    txtKurzbezeichnung = new QLineEdit;
    txtKurzbezeichnung->setObjectName(QStringLiteral("txtKurzbezeichnung"));
    txtKurzbezeichnung->setMaxLength(10);
    txtKurzbezeichnung->setToolTip(QStringLiteral("Datum des Feiertags."));
    txtKurzbezeichnung->installEventFilter(this);

    CmdNeueDaten = parts::button(QStringLiteral("CmdNeueDaten"), QStringLiteral("&Neuer Feiertag"),
                                 QStringLiteral("Leert die Felder für einen neuen Feiertag."));
    cmdSpeichern = parts::button(QStringLiteral("cmdSpeichern"), QStringLiteral("&Speichern"), QStringLiteral("Speichert den Feiertag."));
    cmdLöschen =
        parts::button(QStringLiteral("cmdLöschen"), QStringLiteral("&Löschen"), QStringLiteral("Löscht den ausgewählten Feiertag."));
    cmdImport = parts::button(QStringLiteral("cmdImport"), QStringLiteral("&Feiertage importieren"),
                              QStringLiteral("Übernimmt die Feiertage aus der Datenbank 'Feiertag.mdb' des Programmordners; "
                                             "Tage, die schon einen Feiertag haben, bleiben unverändert."));
    cmdSchliessen = parts::button(QStringLiteral("cmdSchliessen"), QStringLiteral("Schl&ießen"), QStringLiteral("Schließt die Feiertage."));

    menue = new QMenuBar(this);
    menue->setObjectName(QStringLiteral("mnuFeiertag"));
    QMenu* datei = menue->addMenu(QStringLiteral("&Datei"));
    datei->addAction(QStringLiteral("&Neuer Feiertag"), this, &frmFeiertag::neu);
    datei->addAction(QStringLiteral("&Speichern"), this, &frmFeiertag::speichern);
    datei->addAction(QStringLiteral("&Löschen"), this, &frmFeiertag::loeschen);
    datei->addAction(QStringLiteral("&Feiertage importieren"), this, &frmFeiertag::importieren);
    datei->addSeparator();
    datei->addAction(QStringLiteral("Schl&ießen"), this, &QDialog::close);

    lblHilfe_ = parts::helpLine(QStringLiteral("Die Feiertage erscheinen im Belegungsplan in der Farbe des Wochenendes."));
    auto* felder = new QFormLayout;
    parts::captionedRow(felder, QStringLiteral("&Bezeichnung"), txtName);
    parts::captionedRow(felder, QStringLiteral("&Datum"), txtKurzbezeichnung);
    auto* knoepfe = new QVBoxLayout;
    for (QPushButton* b : {CmdNeueDaten, cmdSpeichern, cmdLöschen, cmdImport}) knoepfe->addWidget(b);
    knoepfe->addStretch();
    knoepfe->addWidget(cmdSchliessen);
    auto* rechts = new QVBoxLayout;
    rechts->addLayout(felder);
    rechts->addStretch();
    auto* oben = new QHBoxLayout;
    oben->addWidget(ctrflexzustand, 3);
    oben->addLayout(rechts, 2);
    oben->addLayout(knoepfe);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menue);
    layout->addLayout(oben, 1);
    layout->addWidget(lblHilfe_);
    resize(780, 440);

    connect(txtName, &QLineEdit::textEdited, this, [this](const QString& t) { logik_.setName(t); });
    connect(txtKurzbezeichnung, &QLineEdit::textEdited, this, [this](const QString& t) { logik_.setDatum(t); });
    connect(ctrflexzustand->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int spalte) {
        const auto nach = spalte == 1 ? FeiertagLogik::Sortierung::Bezeichnung : FeiertagLogik::Sortierung::Datum;
        absteigend_ = nach == sortierung_ ? !absteigend_ : false;
        sortierung_ = nach;
        fuellen();
    });
    connect(ctrflexzustand, &QTableView::clicked, this, [this](const QModelIndex& i) {
        if (!i.isValid()) return;
        bool geladen = false;
        geschuetzt(QStringLiteral("Der Feiertag konnte nicht gespeichert werden."),
                   [&] { geladen = logik_.laden(modell_.feiertage()[i.row()]); });
        if (geladen) anzeigen();
        fuellen();
    });
    connect(CmdNeueDaten, &QPushButton::clicked, this, &frmFeiertag::neu);
    connect(cmdSpeichern, &QPushButton::clicked, this, &frmFeiertag::speichern);
    connect(cmdLöschen, &QPushButton::clicked, this, &frmFeiertag::loeschen);
    connect(cmdImport, &QPushButton::clicked, this, &frmFeiertag::importieren);
    connect(cmdSchliessen, &QPushButton::clicked, this, &QDialog::close);

    new Hilfebereich(this, lblHilfe_);
    fuellen();
    anzeigen();
}

void frmFeiertag::oeffnen(Database& db, Dialogs& dialogs, const QString& quelle, QWidget* parent) {
    frmFeiertag fenster(db, dialogs, quelle, parent);
    fenster.exec();
}

template <typename F>
bool frmFeiertag::geschuetzt(const QString& was, F&& tun) {
    return datenbankGeschuetzt(dialogs_, was, std::forward<F>(tun));
}

void frmFeiertag::fuellen() {
    QList<Feiertag> liste;
    if (!geschuetzt(QStringLiteral("Die Feiertage konnten nicht gelesen werden."), [&] { liste = logik_.alle(sortierung_, absteigend_); }))
        return;
    modell_.setFeiertage(std::move(liste));
    ctrflexzustand->horizontalHeader()->setSortIndicatorShown(true);
    ctrflexzustand->horizontalHeader()->setSortIndicator(sortierung_ == FeiertagLogik::Sortierung::Bezeichnung ? 1 : 2,
                                                         absteigend_ ? Qt::DescendingOrder : Qt::AscendingOrder);
    const int id = logik_.felder().id;
    for (int r = 0; r < modell_.rowCount(); ++r)
        if (id != 0 && modell_.feiertage()[r].id == id) ctrflexzustand->selectRow(r);
}

void frmFeiertag::anzeigen() {
    txtName->setText(logik_.felder().name);
    txtKurzbezeichnung->setText(logik_.felder().datum);
}

void frmFeiertag::neu() {
    geschuetzt(QStringLiteral("Der Feiertag konnte nicht gespeichert werden."), [&] { logik_.neu(); });
    fuellen();
    anzeigen();
    txtName->setFocus();
}

void frmFeiertag::speichern() {
    bool ok = false;
    geschuetzt(QStringLiteral("Der Feiertag konnte nicht gespeichert werden."), [&] { ok = logik_.speichern(); });
    if (!ok) return;
    fuellen();
    anzeigen();
}

void frmFeiertag::loeschen() {
    if (modell_.rowCount() == 0) return;
    bool ok = false;
    geschuetzt(QStringLiteral("Der Feiertag konnte nicht gelöscht werden."), [&] { ok = logik_.loeschen(); });
    if (!ok) return;
    fuellen();
    anzeigen();
    txtName->setFocus();
}

void frmFeiertag::importieren() {
    int anzahl = -1;
    geschuetzt(QStringLiteral("Die Feiertage konnten nicht importiert werden."), [&] { anzahl = logik_.importieren(quelle_); });
    if (anzahl >= 0) fuellen();
}

bool frmFeiertag::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtKurzbezeichnung && event->type() == QEvent::FocusOut) logik_.datumPruefen(txtKurzbezeichnung->text());
    return QDialog::eventFilter(watched, event);
}

void frmFeiertag::reject() {
    bool zu = false;
    geschuetzt(QStringLiteral("Der Feiertag konnte nicht gespeichert werden."), [&] { zu = logik_.schliessen(); });
    if (zu) QDialog::reject();
}

}  // namespace tav
