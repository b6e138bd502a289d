#pragma once

#include <QColor>
#include <QList>
#include <QWidget>
#include <optional>

#include "plan/PlanModel.h"

class QComboBox;

namespace tav {

class Zimmerliste;

// The chart of the plan, painted in one piece: the room labels with the two attribute
// columns, month and day headers with the full date of the start weekday, the cells with their
// colours and borders, and the floating short-name label over the booking under the mouse.
// Mouse events go to the model; what the chart cannot do itself leaves as signals.
class Plantafel : public QWidget {
    Q_OBJECT
public:
    // Regions of the chart that have their own context menu.
    enum class Bereich { Nichts, Zellen, Zimmer, Zusatzspalten, Datum, Hintergrund };

    // zusatzspalten: 0 none, 1 only column 2, 2 only column 1, 3 both.
    Plantafel(PlanModel& model, int zusatzspalten, QWidget* parent = nullptr);

    const PlanGeometrie& geometrie() const { return geo_; }
    Bereich bereichBei(QPoint p) const;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    // The columns widen to the width the chart is given; never narrower than their own width.
    void resizeEvent(QResizeEvent* e) override;

public:
    // The cell's centre in widget pixels (for tests and the floating label).
    QPoint zellMitte(int zeile, int spalte) const;
    // The floating short-name label; empty text hides it.
    const QString& kuerzel() const { return kuerzel_; }
    QRect kuerzelRechteck() const;
    // Evaluates the cell last under the mouse again, so that the status fields (the paid
    // indicator among them) show what a window just changed.
    void statusErneuern();

    // Labels on each booking's first cell, shown while the window is printed.
    void setDruckBeschriftungen(const QList<PlanModel::DruckBeschriftung>& labels);

    QComboBox* zimmerUeberschrift() const { return lstUeberschrift2_; }

    static QColor farbe(quint32 bbggrr, const QPalette& palette);

signals:
    void mausStatus(const tav::MausStatus& status);
    void neueReservierung(const tav::Uebergabe& uebergabe);
    void buchungKontext(const tav::KontextBuchung& buchung, QPoint globalPos);
    void bereichKontext(tav::Plantafel::Bereich bereich, QPoint globalPos);
    // The mouse left the chart or moved over a part without a cell.
    void mausWeg();
    // A click could not read the database: the message to show (the chart shows no boxes itself).
    void datenbankFehler(const QString& text);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;
    bool event(QEvent* e) override;

private:
    std::optional<QPoint> zelle(QPoint p) const;
    void loslassen(QMouseEvent* e);
    void zeichneKoepfe(QPainter& p);
    void zeichneZeilen(QPainter& p);
    void zeichneZellen(QPainter& p);
    void zeichneKuerzel(QPainter& p);

    PlanModel& model_;
    PlanGeometrie geo_;
    bool spalte1_ = false, spalte2_ = false;
    int labelBreite_ = 0, zusatzBreite_ = 0;
    QString kuerzel_;
    QPoint kuerzelZelle_;
    QList<PlanModel::DruckBeschriftung> druck_;
    QComboBox* lstUeberschrift2_ = nullptr;
};

}  // namespace tav
