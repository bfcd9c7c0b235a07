#include "Icons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>

namespace nv::res {

namespace {

// Every picture is drawn on a 24 by 24 grid with round 2-unit strokes in one ink colour.
constexpr double kGrid = 24.0;

void Arrow(QPainter& p, QPointF from, QPointF to) {
    p.drawLine(from, to);
    const double angle = std::atan2(to.y() - from.y(), to.x() - from.x());
    const double head = 4.5;
    for (double side : {+0.6, -0.6}) {
        const double a = angle + M_PI + side;
        p.drawLine(to, to + QPointF(head * std::cos(a), head * std::sin(a)));
    }
}

void Letter(QPainter& p, const QRectF& box, const QString& letter) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPixelSize(9);
    p.save();
    p.setFont(font);
    p.drawText(box, Qt::AlignCenter, letter);
    p.restore();
}

// A compass ring with the pointed letter of the direction the button faces.
void Compass(QPainter& p, const QString& letter) {
    p.drawEllipse(QPointF(12, 12), 9.5, 9.5);
    Letter(p, QRectF(4, 4, 16, 16), letter);
}

void Star(QPainter& p, QPointF c, double r) {
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 5;
        const double rr = (i % 2 == 0) ? r : r * 0.45;
        const QPointF pt = c + QPointF(rr * std::cos(a), rr * std::sin(a));
        if (i == 0) {
            path.moveTo(pt);
        } else {
            path.lineTo(pt);
        }
    }
    path.closeSubpath();
    p.drawPath(path);
}

// The toolbar's pictures; false for an icon that is not one of them.
bool PaintToolbarPicture(QPainter& p, IconId id, const QColor& ink) {
    switch (id) {
    case IconId::Save: // a floppy disc
        p.drawRoundedRect(QRectF(4, 4, 16, 16), 1.5, 1.5);
        p.drawRect(QRectF(8, 4, 8, 5));
        p.drawRect(QRectF(7, 13, 10, 7));
        break;
    case IconId::Copy: // two sheets
        p.drawRect(QRectF(4, 4, 11, 13));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 8, 11, 13));
        break;
    case IconId::Print: // a printer with paper
        p.drawRect(QRectF(7, 3, 10, 6));
        p.drawRoundedRect(QRectF(3, 9, 18, 8), 1.5, 1.5);
        p.drawRect(QRectF(7, 14, 10, 7));
        break;
    case IconId::Find:
    case IconId::QuickFind: // a magnifying glass
        p.drawEllipse(QPointF(10, 10), 6, 6);
        p.drawLine(QPointF(14.5, 14.5), QPointF(20.5, 20.5));
        break;
    case IconId::FlipHorizontal: // a half filled left, its mirror right
        p.drawLine(QPointF(12, 3), QPointF(12, 21));
        p.setBrush(ink);
        p.drawPolygon(QPolygonF({QPointF(9, 6), QPointF(9, 18), QPointF(3, 18)}));
        p.setBrush(Qt::NoBrush);
        p.drawPolygon(QPolygonF({QPointF(15, 6), QPointF(15, 18), QPointF(21, 18)}));
        break;
    case IconId::FlipVertical:
        p.drawLine(QPointF(3, 12), QPointF(21, 12));
        p.setBrush(ink);
        p.drawPolygon(QPolygonF({QPointF(6, 9), QPointF(18, 9), QPointF(18, 3)}));
        p.setBrush(Qt::NoBrush);
        p.drawPolygon(QPolygonF({QPointF(6, 15), QPointF(18, 15), QPointF(18, 21)}));
        break;
    case IconId::North: // the pole star over the horizon
        p.setBrush(ink);
        Star(p, QPointF(12, 9), 6);
        p.setBrush(Qt::NoBrush);
        p.drawLine(QPointF(3, 20), QPointF(21, 20));
        break;
    case IconId::ResetTime: // a clock face with a turning arrow
        p.drawArc(QRectF(4, 4, 16, 16), 100 * 16, 300 * 16);
        p.drawLine(QPointF(12, 8), QPointF(12, 12));
        p.drawLine(QPointF(12, 12), QPointF(15, 14));
        p.drawLine(QPointF(9.2, 4.3), QPointF(8, 1.5));
        p.drawLine(QPointF(9.2, 4.3), QPointF(6.3, 5.6));
        break;
    case IconId::Settings: { // a cog
        p.drawEllipse(QPointF(12, 12), 3, 3);
        p.drawEllipse(QPointF(12, 12), 6.5, 6.5);
        for (int i = 0; i < 8; ++i) {
            const double a = i * M_PI / 4;
            p.drawLine(QPointF(12 + 6.5 * std::cos(a), 12 + 6.5 * std::sin(a)),
                       QPointF(12 + 9.5 * std::cos(a), 12 + 9.5 * std::sin(a)));
        }
        break;
    }
    case IconId::About: // a question in a ring
        p.drawEllipse(QPointF(12, 12), 9.5, 9.5);
        p.drawArc(QRectF(8.5, 6, 7, 7), -90 * 16, 270 * 16);
        p.drawLine(QPointF(12, 13), QPointF(12, 14.5));
        p.drawPoint(QPointF(12, 18));
        break;
    default:
        return false;
    }
    return true;
}

// The navigation bar's and the top bar's pictures.
void PaintBarPicture(QPainter& p, IconId id, const QColor& ink) {
    switch (id) {
    case IconId::FaceNorth:
        Compass(p, QStringLiteral("N"));
        break;
    case IconId::FaceSouth:
        Compass(p, QStringLiteral("S"));
        break;
    case IconId::FaceEast:
        Compass(p, QStringLiteral("E"));
        break;
    case IconId::FaceWest:
        Compass(p, QStringLiteral("W"));
        break;
    case IconId::TiltUp:
        Arrow(p, QPointF(12, 20), QPointF(12, 4));
        break;
    case IconId::TiltDown:
        Arrow(p, QPointF(12, 4), QPointF(12, 20));
        break;
    case IconId::TurnLeft:
        Arrow(p, QPointF(20, 12), QPointF(4, 12));
        break;
    case IconId::TurnRight:
        Arrow(p, QPointF(4, 12), QPointF(20, 12));
        break;
    case IconId::Marathon: // a dusk-to-dawn arc of stars over the horizon
        p.drawLine(QPointF(2, 20), QPointF(22, 20));
        p.drawArc(QRectF(4, 6, 16, 28), 15 * 16, 150 * 16);
        p.setBrush(ink);
        Star(p, QPointF(6, 11), 2.5);
        Star(p, QPointF(12, 5.5), 2.5);
        Star(p, QPointF(18, 11), 2.5);
        break;
    case IconId::Orbits: // a tilted orbit around the Sun, a body on it
        p.save();
        p.translate(12, 12);
        p.rotate(-25);
        p.drawEllipse(QPointF(0, 0), 10, 5.5);
        p.restore();
        p.setBrush(ink);
        p.drawEllipse(QPointF(12, 12), 2.5, 2.5);
        p.drawEllipse(QPointF(20.2, 8.6), 1.6, 1.6);
        break;
    default:
        break;
    }
}

void Paint(QPainter& p, IconId id, const QColor& ink) {
    QPen pen(ink, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    if (!PaintToolbarPicture(p, id, ink)) PaintBarPicture(p, id, ink);
}

class PaintedIconEngine : public QIconEngine {
public:
    explicit PaintedIconEngine(IconId id) : m_id(id) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        const double side = std::min(rect.width(), rect.height());
        if (side <= 0) return;
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, true);
        painter->translate(rect.x() + (rect.width() - side) / 2.0, rect.y() + (rect.height() - side) / 2.0);
        painter->scale(side / kGrid, side / kGrid);
        const QColor ink = mode == QIcon::Disabled ? QColor(150, 150, 150)
                           : mode == QIcon::Active ? QColor(20, 60, 120)
                                                   : QColor(40, 52, 66);
        Paint(*painter, m_id, ink);
        painter->restore();
    }

    // QIcon asks for the pixmap at the device size of the screen (logical size times density), so
    // every picture is painted afresh at that size rather than scaled from a small bitmap.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pm(size.expandedTo(QSize(1, 1)));
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        paint(&p, QRect(QPoint(0, 0), pm.size()), mode, state);
        return pm;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    QIconEngine* clone() const override { return new PaintedIconEngine(m_id); }
    QString key() const override { return QStringLiteral("NightvanePainted"); }

private:
    IconId m_id;
};

} // namespace

QIcon CommandIcon(IconId id) {
    if (id == IconId::None) return {};
    return QIcon(new PaintedIconEngine(id));
}

} // namespace nv::res
