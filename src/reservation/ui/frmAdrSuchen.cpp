#include "reservation/ui/frmAdrSuchen.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/ui/WindowParts.h"
#include "reservation/ui/TastenFilter.h"
#include "store/Datenbankfehler.h"

namespace tav {

// ---- the grid ----------------------------------------------------------------------------

void AdrTrefferModell::setTreffer(QList<AdrTreffer> treffer) {
    beginResetModel();
    treffer_ = std::move(treffer);
    endResetModel();
}

int AdrTrefferModell::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(treffer_.size()); }

int AdrTrefferModell::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 5; }

QVariant AdrTrefferModell::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= treffer_.size()) return {};
    const AdrTreffer& t = treffer_[index.row()];
    switch (role) {
        case Qt::DisplayRole:
            switch (index.column()) {
                case 1: return t.nachname;
                case 2: return t.vorname;
                case 3: return t.strasse;
                case 4: return t.ort;
                default: return QString();
            }
        case Qt::TextAlignmentRole: return int(Qt::AlignLeft | Qt::AlignVCenter);
        case Qt::UserRole: return t.id;
        default: return {};
    }
}

QVariant AdrTrefferModell::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    static const QStringList kopf = {QString(), QStringLiteral("Nachname"), QStringLiteral("Vorname"), QStringLiteral("Straße"),
                                     QStringLiteral("Ort")};
    return section >= 0 && section < kopf.size() ? QVariant(kopf[section]) : QVariant();
}

// ---- the window --------------------------------------------------------------------------

frmAdrSuchen::frmAdrSuchen(Database& db, Dialogs& dialogs, Fenster& fenster, const QString& suchwort, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), fenster_(fenster), logik_(db, dialogs), modell_(this) {
    setObjectName(QStringLiteral("frmAdrSuchen"));
    setWindowTitle(QStringLiteral("Schnellsuche Adressen"));

    auto* lblSuchwort = new QLabel(QStringLiteral("&Suchwort:"));
    txtSuchwort = new QLineEdit;
    txtSuchwort->setObjectName(QStringLiteral("txtSuchwort"));
    txtSuchwort->setToolTip(
        QStringLiteral("Geben Sie den Anfang des Namens, der Straße oder des Ortes ein. Die Suche beginnt mit dem "
                       "zweiten Zeichen; die Eingabetaste öffnet die Reservierung."));
    lblSuchwort->setBuddy(txtSuchwort);

    const auto box = [](const char* name, const QString& text, const QString& hilfe) {
        auto* c = new QCheckBox(text);
        c->setObjectName(QString::fromUtf8(name));
        c->setToolTip(hilfe);
        return c;
    };
    chNachname = box("chNachname", QStringLiteral("&Nachname"), QStringLiteral("Sucht im Nachnamen."));
    chVorname = box("chVorname", QStringLiteral("&Vorname"), QStringLiteral("Sucht im Vornamen."));
    chStrasse = box("chStrasse", QStringLiteral("S&traße"), QStringLiteral("Sucht in der Straße."));
    chOrt = box("chOrt", QStringLiteral("&Ort"), QStringLiteral("Sucht im Ort."));
    cmdVorgabe = new QPushButton(QStringLiteral("als Vor&gabe speichern"));
    cmdVorgabe->setObjectName(QStringLiteral("cmdVorgabe"));
    cmdVorgabe->setToolTip(QStringLiteral("Speichert die gewählten Suchfelder als Vorgabe für das nächste Öffnen."));

    ctrFlexAdresse = parts::resultGrid(QStringLiteral("ctrFlexAdresse"), &modell_);
    ctrFlexAdresse->setColumnWidth(0, 16);
    ctrFlexAdresse->setColumnWidth(1, 150);
    ctrFlexAdresse->setColumnWidth(2, 120);
    ctrFlexAdresse->setColumnWidth(3, 170);
    ctrFlexAdresse->setToolTip(QStringLiteral("Die gefundenen Adressen. Ein Doppelklick öffnet die Reservierung der Adresse."));

    const auto button = [](const char* name, const QString& text, const QString& hilfe) {
        return parts::button(QString::fromUtf8(name), text, hilfe);
    };
    cmdResOeffnen = button("cmdResOeffnen", QStringLiteral("&Reservierung öffnen"),
                           QStringLiteral("Öffnet die Reservierung der Adresse, deren Anreise weniger als einen Monat zurückliegt oder "
                                          "bevorsteht; bei mehreren Reservierungen die Übersicht der Adresse."));
    cmdNeueRes = button("cmdNeueRes", QStringLiteral("N&eue Reservierung"),
                        QStringLiteral("Legt eine neue Reservierung für diese Adresse an: Anreise heute, Abreise morgen."));
    cmdUebersicht = button("cmdUebersicht", QStringLiteral("Ü&bersicht"),
                           QStringLiteral("Zeigt Reservierungen, Rechnungen und Zahlungen der Adresse."));
    cmdSchliessen = button("cmdSchliessen", QStringLiteral("Schl&ießen"), QStringLiteral("Schließt die Schnellsuche."));
    cmdVorgabe->setAutoDefault(false);

    lblHilfe_ = parts::helpLine();

    auto* suchzeile = new QHBoxLayout;
    suchzeile->addWidget(lblSuchwort);
    suchzeile->addWidget(txtSuchwort, 1);

    auto* gruppe = new QGroupBox(QStringLiteral("Suchen in"));
    auto* felderZeile = new QHBoxLayout(gruppe);
    for (QCheckBox* c : {chNachname, chVorname, chStrasse, chOrt}) felderZeile->addWidget(c);
    felderZeile->addStretch();
    felderZeile->addWidget(cmdVorgabe);

    auto* knoepfe = new QHBoxLayout;
    for (QPushButton* b : {cmdResOeffnen, cmdNeueRes, cmdUebersicht}) knoepfe->addWidget(b);
    knoepfe->addStretch();
    knoepfe->addWidget(cmdSchliessen);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(suchzeile);
    layout->addWidget(gruppe);
    layout->addWidget(ctrFlexAdresse, 1);
    layout->addWidget(lblHilfe_);
    layout->addLayout(knoepfe);
    resize(680, 460);

    SuchFelder vorgabe;
    geschuetzt(QStringLiteral("Die Vorgaben der Suche konnten nicht gelesen werden."), [&] { vorgabe = logik_.vorgaben(); });
    chNachname->setChecked(vorgabe.nachname);
    chVorname->setChecked(vorgabe.vorname);
    chStrasse->setChecked(vorgabe.strasse);
    chOrt->setChecked(vorgabe.ort);

    connect(txtSuchwort, &QLineEdit::textChanged, this, &frmAdrSuchen::suchen);
    connect(txtSuchwort, &QLineEdit::returnPressed, this, &frmAdrSuchen::resOeffnen);
    for (QCheckBox* c : {chNachname, chVorname, chStrasse, chOrt}) connect(c, &QCheckBox::toggled, this, &frmAdrSuchen::suchen);
    connect(cmdVorgabe, &QPushButton::clicked, this, [this] {
        geschuetzt(QStringLiteral("Die Vorgabe konnte nicht gespeichert werden."), [this] { logik_.vorgabenSpeichern(felder()); });
    });
    connect(ctrFlexAdresse, &QTableView::doubleClicked, this, &frmAdrSuchen::resOeffnen);
    connect(cmdResOeffnen, &QPushButton::clicked, this, &frmAdrSuchen::resOeffnen);
    connect(cmdNeueRes, &QPushButton::clicked, this, &frmAdrSuchen::neueRes);
    connect(cmdUebersicht, &QPushButton::clicked, this, [this] {
        const int id = gewaehlteAdresse();
        if (id == 0)
            logik_.keineAdresseGewaehlt();
        else
            uebersicht(id);
    });
    connect(cmdSchliessen, &QPushButton::clicked, this, &QDialog::reject);
    const bool reservierung = fenster_.vorhanden(Ziel::Reservierung);
    const bool konto = fenster_.vorhanden(Ziel::Adresskonto);
    cmdResOeffnen->setEnabled(reservierung || konto);
    cmdNeueRes->setEnabled(reservierung);
    cmdUebersicht->setEnabled(konto);

    new Hilfezeile(this, lblHilfe_);
    lblHilfe_->setText(txtSuchwort->toolTip());
    txtSuchwort->setText(suchwort);
    txtSuchwort->setFocus();
    txtSuchwort->setCursorPosition(int(suchwort.size()));
}

void frmAdrSuchen::oeffnen(Database& db, Dialogs& dialogs, Fenster& fenster, const QString& suchwort, QWidget* parent) {
    frmAdrSuchen suche(db, dialogs, fenster, suchwort, parent);
    suche.exec();
}

template <typename F>
bool frmAdrSuchen::geschuetzt(const QString& was, F&& tun) {
    return datenbankGeschuetzt(dialogs_, was, std::forward<F>(tun));
}

void frmAdrSuchen::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The character typed on the plan stays, and the next key goes after it: focusing the box
    // on opening must not select its text.
    const auto ansEnde = [this] {
        txtSuchwort->setFocus(Qt::OtherFocusReason);
        txtSuchwort->deselect();
        txtSuchwort->end(false);
    };
    ansEnde();
    QTimer::singleShot(0, this, ansEnde);
}

SuchFelder frmAdrSuchen::felder() const {
    return {chNachname->isChecked(), chVorname->isChecked(), chStrasse->isChecked(), chOrt->isChecked()};
}

void frmAdrSuchen::suchen() {
    QList<AdrTreffer> treffer;
    geschuetzt(QStringLiteral("Die Adressen konnten nicht gesucht werden."),
               [&] { treffer = logik_.suchen(txtSuchwort->text(), felder()); });
    modell_.setTreffer(std::move(treffer));
    if (modell_.rowCount() > 0) ctrFlexAdresse->selectRow(0);
}

int frmAdrSuchen::gewaehlteAdresse() const {
    const QModelIndex i = ctrFlexAdresse->currentIndex();
    return i.isValid() ? modell_.data(i, Qt::UserRole).toInt() : 0;
}

void frmAdrSuchen::uebersicht(int adressId) {
    Aufruf a;
    a.adressId = adressId;
    fenster_.oeffnen(Ziel::Adresskonto, a, this);
}

void frmAdrSuchen::resOeffnen() {
    if (!cmdResOeffnen->isEnabled()) return;
    const bool konto = fenster_.vorhanden(Ziel::Adresskonto);
    ResOeffnen ziel;
    geschuetzt(QStringLiteral("Die Reservierungen der Adresse konnten nicht gelesen werden."),
               [&] { ziel = logik_.resOeffnen(gewaehlteAdresse(), konto); });
    if (ziel.ziel == ResOeffnen::Ziel::Reservierung && !fenster_.vorhanden(Ziel::Reservierung)) ziel.ziel = ResOeffnen::Ziel::Uebersicht;
    if (ziel.ziel == ResOeffnen::Ziel::Uebersicht) {
        uebersicht(gewaehlteAdresse());
    } else if (ziel.ziel == ResOeffnen::Ziel::Reservierung) {
        Aufruf a;
        a.buchungId = ziel.buchungId;
        fenster_.oeffnen(Ziel::Reservierung, a, this);
    }
}

void frmAdrSuchen::neueRes() {
    const int id = gewaehlteAdresse();
    if (id == 0) {
        logik_.keineAdresseGewaehlt();
        return;
    }
    Aufruf a;
    a.adressId = id;
    a.neueBuchung = true;
    a.anreise = AdrSuchenLogik::neueAnreise();
    a.abreise = AdrSuchenLogik::neueAbreise();
    fenster_.oeffnen(Ziel::Reservierung, a, this);
}

}  // namespace tav
