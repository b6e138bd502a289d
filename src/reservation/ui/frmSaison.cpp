#include "reservation/ui/frmSaison.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/Dates.h"
#include "platform/ui/WindowParts.h"
#include "reservation/clsSaisonpreis.h"
#include "reservation/ui/TastenFilter.h"
#include "store/Datenbankfehler.h"

namespace tav {

// ---- the grid ----------------------------------------------------------------------------

void SaisonModell::setSaisons(QList<Saison> saisons) {
    beginResetModel();
    saisons_ = std::move(saisons);
    endResetModel();
    sort(spalte_, ordnung_);
}

int SaisonModell::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(saisons_.size()); }

int SaisonModell::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 3; }

QVariant SaisonModell::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= saisons_.size()) return {};
    const Saison& s = saisons_[index.row()];
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
            case 0: return s.name;
            case 1: return dates::longDate(s.start);
            case 2: return dates::longDate(s.ende);
        }
    }
    if (role == Qt::UserRole) return s.id;
    return {};
}

QVariant SaisonModell::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const QStringList kopf = {QStringLiteral("Saison"), QStringLiteral("Beginn"), QStringLiteral("Ende")};
    return section >= 0 && section < kopf.size() ? QVariant(kopf[section]) : QVariant();
}

void SaisonModell::sort(int column, Qt::SortOrder order) {
    spalte_ = column;
    ordnung_ = order;
    emit layoutAboutToBeChanged();
    std::stable_sort(saisons_.begin(), saisons_.end(), [column, order](const Saison& a, const Saison& b) {
        const auto schluessel = [column](const Saison& s) {
            return column == 0 ? std::tuple(s.name, s.start) : column == 1 ? std::tuple(QString(), s.start) : std::tuple(QString(), s.ende);
        };
        return order == Qt::AscendingOrder ? schluessel(a) < schluessel(b) : schluessel(b) < schluessel(a);
    });
    emit layoutChanged();
}

// ---- the window --------------------------------------------------------------------------

frmSaison::frmSaison(Database& db, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), logik_(db, dialogs), modell_(this) {
    setObjectName(QStringLiteral("frmSaison"));
    setWindowTitle(QStringLiteral("Saisonzeiten"));

    ctrflexzustand = parts::resultGrid(QStringLiteral("ctrflexzustand"), &modell_);
    ctrflexzustand->setSortingEnabled(true);
    ctrflexzustand->horizontalHeader()->setSortIndicator(1, Qt::AscendingOrder);
    ctrflexzustand->setColumnWidth(0, 150);
    ctrflexzustand->setColumnWidth(1, 100);
    ctrflexzustand->setToolTip(
        QStringLiteral("Klicken Sie auf eine Saison, um sie zu bearbeiten. Ein Klick auf eine Spaltenüberschrift "
                       "sortiert nach dieser Spalte."));

    txtName = new QComboBox;
    txtName->setObjectName(QStringLiteral("txtName"));
    txtName->setEditable(true);
    txtName->setInsertPolicy(QComboBox::NoInsert);
    txtName->addItems(clsSaisonpreis::kSaisons);
    txtName->setCurrentIndex(-1);
    txtName->setToolTip(QStringLiteral("Wählen Sie die Art der Saison aus der Liste."));
    txtVon = new QLineEdit;
    txtVon->setObjectName(QStringLiteral("txtVon"));
    txtVon->setToolTip(QStringLiteral("Der erste Tag der Saison (TT.MM.JJJJ)."));
    txtBis = new QLineEdit;
    txtBis->setObjectName(QStringLiteral("txtBis"));
    txtBis->setToolTip(QStringLiteral("Das Ende der Saison: der erste Tag der folgenden Saison (TT.MM.JJJJ)."));
    for (QLineEdit* e : {txtVon, txtBis}) {
        e->setMaxLength(10);
        new TastenFilter(e, [](QChar c, const QString&) { return SaisonLogik::datumTasteErlaubt(c); });
        e->installEventFilter(this);
    }
    txtName->lineEdit()->installEventFilter(this);
    txtID = new QLineEdit;
    txtID->setObjectName(QStringLiteral("txtID"));
    txtID->setVisible(false);

    const auto button = [](const char* name, const QString& text, const QString& hilfe) {
        return parts::button(QString::fromUtf8(name), text, hilfe);
    };
    CmdNeueDaten =
        button("CmdNeueDaten", QStringLiteral("&Neue Saison"),
               QStringLiteral("Leert die Felder für eine neue Saison; als Beginn wird das Ende der letzten Saison vorgeschlagen."));
    cmdSpeichern = button("cmdSpeichern", QStringLiteral("&Speichern"), QStringLiteral("Speichert die Saison."));
    cmdLöschen = button("cmdLöschen", QStringLiteral("&Löschen"), QStringLiteral("Löscht die ausgewählte Saison."));
    cmdSchliessen = button("cmdSchliessen", QStringLiteral("Schl&ießen"), QStringLiteral("Schließt die Saisonzeiten."));

    lblHilfe_ =
        parts::helpLine(QStringLiteral("Eine Saison umfasst die Nächte vom Beginn bis zum Tag vor dem Ende; das Ende einer Saison ist "
                                       "der Beginn der nächsten."));

    auto* felder = new QFormLayout;
    const auto zeile = [felder](const QString& text, QWidget* feld) { parts::captionedRow(felder, text, feld); };
    zeile(QStringLiteral("Saisonbe&zeichnung:"), txtName);
    zeile(QStringLiteral("Saison&beginn:"), txtVon);
    zeile(QStringLiteral("Saison&ende:"), txtBis);

    auto* knoepfe = new QVBoxLayout;
    for (QPushButton* b : {CmdNeueDaten, cmdSpeichern, cmdLöschen}) knoepfe->addWidget(b);
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
    layout->addLayout(oben, 1);
    layout->addWidget(lblHilfe_);
    layout->addWidget(txtID);
    resize(760, 360);

    connect(txtName, &QComboBox::currentTextChanged, this, [this](const QString& t) {
        if (!anzeigen_) logik_.setName(t);
    });
    connect(txtVon, &QLineEdit::textEdited, this, [this](const QString& t) { logik_.setVon(t); });
    connect(txtBis, &QLineEdit::textEdited, this, [this](const QString& t) { logik_.setBis(t); });
    connect(ctrflexzustand, &QTableView::clicked, this, [this](const QModelIndex& i) {
        if (!i.isValid()) return;
        bool geladen = false;
        if (!geschuetzt(QStringLiteral("Die Saison konnte nicht gelesen werden."),
                        [&] { geladen = logik_.laden(modell_.saisons()[i.row()]); }))
            return;
        if (!geladen) fuellen();
        anzeigen();
    });
    connect(CmdNeueDaten, &QPushButton::clicked, this, [this] {
        bool neu = false;
        geschuetzt(QStringLiteral("Das Ende der letzten Saison konnte nicht gelesen werden."), [&] { neu = logik_.neu(); });
        if (neu) {
            fuellen();
            anzeigen();
            txtName->setFocus();
        }
    });
    connect(cmdSpeichern, &QPushButton::clicked, this, [this] {
        bool gespeichert = false;
        geschuetzt(QStringLiteral("Die Saison konnte nicht gespeichert werden."), [&] { gespeichert = logik_.speichern(); });
        if (gespeichert) {
            fuellen();
            anzeigen();
        }
    });
    connect(cmdLöschen, &QPushButton::clicked, this, [this] {
        if (modell_.rowCount() == 0) return;
        bool geloescht = false;
        geschuetzt(QStringLiteral("Die Saison konnte nicht gelöscht werden."), [&] { geloescht = logik_.loeschen(); });
        if (geloescht) {
            fuellen();
            anzeigen();
        }
    });
    connect(cmdSchliessen, &QPushButton::clicked, this, &QDialog::close);

    new Hilfezeile(this, lblHilfe_);
    fuellen();
    anzeigen();
}

void frmSaison::oeffnen(Database& db, Dialogs& dialogs, QWidget* parent) {
    frmSaison fenster(db, dialogs, parent);
    fenster.exec();
}

template <typename F>
bool frmSaison::geschuetzt(const QString& was, F&& tun) {
    return datenbankGeschuetzt(dialogs_, was, std::forward<F>(tun));
}

void frmSaison::fuellen() {
    QList<Saison> saisons;
    if (!geschuetzt(QStringLiteral("Die Saisonzeiten konnten nicht gelesen werden."), [&] { saisons = logik_.alle(); })) return;
    modell_.setSaisons(std::move(saisons));
    const int id = logik_.felder().id;
    for (int r = 0; r < modell_.rowCount(); ++r)
        if (modell_.saisons()[r].id == id && id != 0) ctrflexzustand->selectRow(r);
}

void frmSaison::anzeigen() {
    anzeigen_ = true;
    const SaisonFelder& f = logik_.felder();
    txtName->setCurrentText(f.name);
    txtVon->setText(f.von);
    txtBis->setText(f.bis);
    txtID->setText(QString::number(f.id));
    anzeigen_ = false;
}

bool frmSaison::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        if (watched == txtName->lineEdit()) {
            if (!logik_.namePruefen()) {
                txtName->setCurrentText(QString());
                logik_.setName(QString());
            }
        } else if (watched == txtVon || watched == txtBis) {
            logik_.datumPruefen(static_cast<QLineEdit*>(watched)->text());
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmSaison::reject() {
    // A save that fails on closing keeps the window open with the changes.
    bool zu = false;
    geschuetzt(QStringLiteral("Die Saison konnte nicht gespeichert werden."), [&] { zu = logik_.schliessen(); });
    if (zu) QDialog::reject();
}

}  // namespace tav
