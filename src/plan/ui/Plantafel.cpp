#include "plan/ui/Plantafel.h"

#include <QComboBox>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include "engine/JetDate.h"
#include "platform/Dates.h"
#include "store/Datenbankfehler.h"
#include "store/Parameter.h"
#include "store/Zimmerliste.h"

namespace tav {

namespace {
constexpr int kKopfZeile = 16;     // height of one header line in pixels
constexpr int kLabelTwips = 1350;  // room label column: wide enough for the heading "Zimmer" and its list
constexpr int kZusatzTwips = 300;  // one attribute column
constexpr int kAbstand = 4;        // between the room columns and the cells

// "ddd, dd.mmm.yyyy" and "ddd, dd.mmm.yy" with German names.
QString vollesDatum(QDate d, bool langesJahr) {
    return dates::weekdayShort(d) + QStringLiteral(", ") + QStringLiteral("%1").arg(d.day(), 2, 10, QLatin1Char('0')) + QLatin1Char('.') +
           dates::monthShort(d.month()) + QLatin1Char('.') +
           (langesJahr ? QString::number(d.year()) : QStringLiteral("%1").arg(d.year() % 100, 2, 10, QLatin1Char('0')));
}
}  // namespace

QColor Plantafel::farbe(quint32 bbggrr, const QPalette& palette) {
    if (bbggrr & 0x80000000u) return palette.color(QPalette::Button);  // a system colour
    return QColor(farbe::red(bbggrr), farbe::green(bbggrr), farbe::blue(bbggrr));
}

Plantafel::Plantafel(PlanModel& model, int zusatzspalten, QWidget* parent) : QWidget(parent), model_(model) {
    setObjectName(QStringLiteral("PlanView"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    spalte1_ = zusatzspalten == 2 || zusatzspalten == 3;
    spalte2_ = zusatzspalten == 1 || zusatzspalten == 3;
    labelBreite_ = PlanGeometrie::px(kLabelTwips);
    zusatzBreite_ = PlanGeometrie::px(kZusatzTwips);
    geo_.links = labelBreite_ + (spalte1_ ? zusatzBreite_ : 0) + (spalte2_ ? zusatzBreite_ : 0) + kAbstand;
    geo_.oben = 3 * kKopfZeile;
    geo_.zeilenHoehe = model_.einstellungen().zeilenHoehe;
    geo_.tage = model_.tage();
    // Rows that can show something: never more than the rooms and the waiting row.
    geo_.zeilen = qMin(model_.bildschirmZeilen(), model_.raeume() + 1);

    lstUeberschrift2_ = new QComboBox(this);
    lstUeberschrift2_->setObjectName(QStringLiteral("lstÜberschrift2"));
    lstUeberschrift2_->setGeometry(0, geo_.oben - 24, geo_.links - kAbstand, 22);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize Plantafel::sizeHint() const {
    PlanGeometrie g = geo_;
    g.spaltenBreite = PlanGeometrie::kSpaltenBreite;
    return QSize(g.spaltenX(g.tage + 1) + kAbstand, g.zeilenY(g.zeilen + 1) + 2 * kKopfZeile + 2);
}

void Plantafel::resizeEvent(QResizeEvent* e) {
    const int frei = width() - kAbstand - geo_.links;
    geo_.spaltenBreite = qMax(PlanGeometrie::kSpaltenBreite, frei * PlanGeometrie::kTwipsProPixel / qMax(1, geo_.tage));
    QWidget::resizeEvent(e);
}

QPoint Plantafel::zellMitte(int zeile, int spalte) const { return geo_.zellRechteck(zeile, spalte).center(); }

std::optional<QPoint> Plantafel::zelle(QPoint p) const {
    auto c = geo_.zelleBei(p);
    if (!c || model_.zimmerDerZeile(c->y()) == 0) return std::nullopt;
    return c;
}

Plantafel::Bereich Plantafel::bereichBei(QPoint p) const {
    const int unten = geo_.zeilenY(geo_.zeilen + 1);
    if (p.y() < geo_.oben || (p.y() >= unten && p.y() < unten + 2 * kKopfZeile))
        return p.x() >= geo_.links ? Bereich::Datum : Bereich::Nichts;
    if (p.y() < unten) {
        const int zeile = geo_.zelleBei(QPoint(geo_.links, p.y())) ? geo_.zelleBei(QPoint(geo_.links, p.y()))->y() : 0;
        const bool zeileDa = model_.zimmerDerZeile(zeile) != 0;
        if (p.x() < labelBreite_) return zeileDa ? Bereich::Zimmer : Bereich::Hintergrund;
        if (p.x() < geo_.links - kAbstand) return zeileDa ? Bereich::Zusatzspalten : Bereich::Hintergrund;
        if (zelle(p)) return Bereich::Zellen;
    }
    return Bereich::Hintergrund;
}

void Plantafel::setDruckBeschriftungen(const QList<PlanModel::DruckBeschriftung>& labels) {
    druck_ = labels;
    kuerzel_.clear();
    update();
}

QRect Plantafel::kuerzelRechteck() const {
    if (kuerzel_.isEmpty()) return {};
    const QFontMetrics fm(font());
    const int x = geo_.spaltenX(kuerzelZelle_.x());
    const int y = geo_.zeilenY(kuerzelZelle_.y());
    QRect r(x, y, fm.horizontalAdvance(kuerzel_) + 8, geo_.zeilenPixel());
    if (r.right() > width() - 1) r.moveRight(width() - 1);
    return r;
}

// ---- painting ---------------------------------------------------------------------------

void Plantafel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    zeichneKoepfe(p);
    zeichneZeilen(p);
    zeichneZellen(p);
    zeichneKuerzel(p);
}

void Plantafel::zeichneKoepfe(QPainter& p) {
    const int D = model_.tage();
    const int unten = geo_.zeilenY(geo_.zeilen + 1);
    const int rechts = geo_.spaltenX(D + 1);
    const QColor text = palette().color(QPalette::WindowText);
    QFont klein = font();
    klein.setPointSizeF(font().pointSizeF() * 0.85);
    QFont fett = klein;
    fett.setBold(true);

    // Months ("mmmm") over their first column.
    p.setFont(fett);
    for (int c = 1; c <= D; ++c) {
        const QDate d = model_.tagDerSpalte(c);
        if (c != 1 && d.day() != 1) continue;
        int ende = c + 1;
        while (ende <= D && model_.tagDerSpalte(ende).day() != 1) ++ende;
        const QRect r(geo_.spaltenX(c) + 2, 0, geo_.spaltenX(ende) - geo_.spaltenX(c) - 2, kKopfZeile);
        p.setPen(text);
        p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, dates::monthName(d.month()));
        if (c != 1) {
            p.setPen(palette().color(QPalette::Mid));
            p.drawLine(geo_.spaltenX(c), 0, geo_.spaltenX(c), kKopfZeile - 1);
        }
    }

    // The start weekday carries the full date above and below the chart, with its line.
    const int wt = model_.einstellungen().startWochentag;
    for (int c = 1; c <= D; ++c) {
        const QDate d = model_.tagDerSpalte(c);
        if (jetdate::weekday(d) != wt) continue;
        const int x = geo_.spaltenX(c);
        p.setPen(QPen(palette().color(QPalette::Dark), 1));
        p.drawLine(x - 1, kKopfZeile, x - 1, unten + kKopfZeile);
        p.setPen(text);
        p.setFont(klein);
        const int breite = qMin(rechts, x + 7 * PlanGeometrie::px(PlanGeometrie::kSpaltenBreite)) - x;
        // A date cut off at the right edge would only mislead: it is left out.
        const QFontMetrics fm(klein);
        if (fm.horizontalAdvance(vollesDatum(d, true)) <= breite - 2)
            p.drawText(QRect(x + 2, kKopfZeile, breite - 2, kKopfZeile), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                       vollesDatum(d, true));
        if (fm.horizontalAdvance(vollesDatum(d, false)) <= breite - 2)
            p.drawText(QRect(x + 2, unten + kKopfZeile, breite - 2, kKopfZeile), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                       vollesDatum(d, false));
    }

    // Day numbers above and below each column.
    for (int c = 1; c <= D; ++c) {
        const QDate d = model_.tagDerSpalte(c);
        const bool rot = d.dayOfWeek() == Qt::Sunday || model_.feiertage().contains(d);
        p.setFont(d.dayOfWeek() >= Qt::Saturday ? fett : klein);
        p.setPen(rot ? QColor(190, 0, 0) : text);
        const QString tag = QString::number(d.day());
        const int x = geo_.spaltenX(c);
        const int w = geo_.spaltenX(c + 1) - x;
        p.drawText(QRect(x, 2 * kKopfZeile, w, kKopfZeile), Qt::AlignCenter, tag);
        p.drawText(QRect(x, unten, w, kKopfZeile), Qt::AlignCenter, tag);
    }
    p.setFont(font());
}

void Plantafel::zeichneZeilen(QPainter& p) {
    const QColor button = palette().color(QPalette::Button);
    const QColor rand = palette().color(QPalette::Mid);
    const int zellHoehe = PlanGeometrie::px(geo_.zeilenHoehe - 60);
    for (int r = 1; r <= geo_.zeilen; ++r) {
        const int zimmer = model_.zimmerDerZeile(r);
        if (zimmer == 0) continue;
        const int y = geo_.zeilenY(r);
        const int h = geo_.zeilenY(r + 1) - y;
        const QRect label(0, y, labelBreite_ - 2, h - 1);
        const bool warten = model_.istWarteZeile(r);
        p.fillRect(label, warten ? button.darker(108) : button);
        p.setPen(rand);
        p.drawRect(label.adjusted(0, 0, -1, -1));
        QFont f = font();
        f.setItalic(warten);
        p.setFont(f);
        p.setPen(palette().color(QPalette::ButtonText));
        p.drawText(label.adjusted(4, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, model_.zeilenLabel(r));
        p.setFont(font());

        // The attribute boxes of the room (none for the waiting row's own attributes either).
        int x = labelBreite_;
        const Zimmer* z = model_.raeumeListe().byNumber(zimmer);
        for (int spalte = 1; spalte <= 2; ++spalte) {
            if ((spalte == 1 && !spalte1_) || (spalte == 2 && !spalte2_)) continue;
            const QRect box(x, y, zusatzBreite_ - 1, zellHoehe);
            const quint32 f = z ? (spalte == 1 ? z->farbe1 : z->farbe2) : farbe::kMenuBar;
            p.fillRect(box, farbe(f, palette()));
            p.setPen(rand);
            p.drawRect(box.adjusted(0, 0, -1, -1));
            if (z) {
                p.setPen(palette().color(QPalette::ButtonText));
                p.drawText(box, Qt::AlignCenter, spalte == 1 ? z->text1 : z->text2);
            }
            x += zusatzBreite_;
        }
    }
}

void Plantafel::zeichneZellen(QPainter& p) {
    const QColor auswahl = farbe(PlanModel::kAuswahlFarbe, palette());
    const QPen durchgezogen(QColor(90, 90, 90), 1, Qt::SolidLine);
    const QPen gepunktet(Qt::black, 1, Qt::DotLine);
    for (int r = 1; r <= geo_.zeilen; ++r) {
        if (model_.zimmerDerZeile(r) == 0) continue;
        for (int c = 1; c <= model_.tage(); ++c) {
            const Zelle& z = model_.zelle(r, c);
            const QRect box = geo_.zellRechteck(r, c).adjusted(0, 0, -1, 0);
            p.fillRect(box, z.markiert ? auswahl : farbe(z.farbe, palette()));
            p.setPen(z.gepunktet ? gepunktet : durchgezogen);
            p.drawRect(box.adjusted(0, 0, -1, -1));
        }
    }
    if (druck_.isEmpty()) return;
    QFont f = font();
    f.setPointSizeF(font().pointSizeF() * 0.8);
    p.setFont(f);
    const QFontMetrics fm(f);
    for (const auto& b : druck_) {
        const QRect zelle = geo_.zellRechteck(b.zeile, b.spalte);
        const QRect r(zelle.left() + 1, zelle.top() + 1, fm.horizontalAdvance(b.text) + 4, zelle.height() - 2);
        p.fillRect(r, QColor(255, 255, 255, 200));
        p.setPen(Qt::black);
        p.drawText(r, Qt::AlignCenter, b.text);
    }
    p.setFont(font());
}

void Plantafel::zeichneKuerzel(QPainter& p) {
    if (kuerzel_.isEmpty()) return;
    const QRect r = kuerzelRechteck();
    p.fillRect(r, QColor(255, 255, 225));
    p.setPen(Qt::black);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    p.drawText(r, Qt::AlignCenter, kuerzel_);
}

// ---- the mouse ----------------------------------------------------------------------------

void Plantafel::mouseMoveEvent(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    const auto c = zelle(pos);
    if (!c) {
        if (!kuerzel_.isEmpty()) {
            kuerzel_.clear();
            update();
        }
        kuerzelZelle_ = QPoint();
        emit mausWeg();
        return;
    }
    if ((e->buttons() & Qt::LeftButton) && model_.auswahlLaeuft()) model_.ziehen(c->y(), c->x());
    const auto status = model_.mausBewegung(c->y(), c->x());
    if (!status) return;  // an evaluation is still running
    kuerzel_ = status->kuerzel;
    kuerzelZelle_ = *c;
    emit mausStatus(*status);
    update();
}

void Plantafel::statusErneuern() {
    if (kuerzelZelle_.isNull()) return;
    const auto status = model_.mausBewegung(kuerzelZelle_.y(), kuerzelZelle_.x());
    if (!status) return;
    kuerzel_ = status->kuerzel;
    emit mausStatus(*status);
    update();
}

void Plantafel::mousePressEvent(QMouseEvent* e) {
    setFocus(Qt::MouseFocusReason);
    const auto c = zelle(e->position().toPoint());
    if (!c) return;
    model_.druecken(c->y(), c->x(), e->button() == Qt::LeftButton);
    update();
}

void Plantafel::mouseReleaseEvent(QMouseEvent* e) {
    try {
        loslassen(e);
    } catch (const DatabaseError& fehler) {
        update();
        emit datenbankFehler(datenbankFehlertext(QStringLiteral("Die Reservierung unter der Maus konnte nicht gelesen werden."), fehler));
    }
}

void Plantafel::loslassen(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    const auto c = zelle(pos);
    if (e->button() == Qt::LeftButton) {
        if (!c) {
            model_.auswahlAufheben();
            update();
            return;
        }
        const auto u = model_.loslassen(c->y(), c->x());
        update();
        if (u) emit neueReservierung(*u);
        return;
    }
    if (e->button() != Qt::RightButton) return;
    if (c) {
        if (const auto k = model_.rechtsLoslassen(c->y(), c->x())) emit buchungKontext(*k, e->globalPosition().toPoint());
        update();
        return;
    }
    const Bereich b = bereichBei(pos);
    if (b != Bereich::Nichts) emit bereichKontext(b, e->globalPosition().toPoint());
}

void Plantafel::leaveEvent(QEvent* e) {
    if (!kuerzel_.isEmpty()) {
        kuerzel_.clear();
        update();
    }
    emit mausWeg();
    QWidget::leaveEvent(e);
}

bool Plantafel::event(QEvent* e) {
    if (e->type() == QEvent::ToolTip) {
        auto* h = static_cast<QHelpEvent*>(e);
        const QPoint pos = h->pos();
        const Bereich b = bereichBei(pos);
        QString tip;
        const auto zeile = geo_.zelleBei(QPoint(geo_.links, pos.y()));
        if (zeile && (b == Bereich::Zimmer || b == Bereich::Zusatzspalten)) {
            if (b == Bereich::Zimmer) {
                tip = model_.zeilenTooltip(zeile->y());
            } else if (const Zimmer* z = model_.raeumeListe().byNumber(model_.zimmerDerZeile(zeile->y()))) {
                const bool ersteSpalte = spalte1_ && pos.x() < labelBreite_ + zusatzBreite_;
                tip = ersteSpalte ? z->bedeutung1 : z->bedeutung2;
            }
        }
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(h->globalPos(), tip, this);
        return true;
    }
    return QWidget::event(e);
}

}  // namespace tav
