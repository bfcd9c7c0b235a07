#include "AppIcons.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

namespace nv::res {

namespace {

// Both icons are drawn on a 256-unit grid: a rounded square of night sky.
constexpr double kGrid = 256.0;

void NightBackground(QPainter& p) {
    QLinearGradient sky(0, 0, 0, kGrid);
    sky.setColorAt(0.0, QColor(6, 10, 38));
    sky.setColorAt(1.0, QColor(28, 46, 112));
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRoundedRect(QRectF(8, 8, 240, 240), 44, 44);
}

void Dot(QPainter& p, QPointF c, double r, const QColor& colour) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(c, r, r);
}

void PaintSkyChart(QPainter& p) {
    NightBackground(p);
    // A crescent Moon: a pale disc with a sky-coloured disc taken out of it.
    QPainterPath moon;
    moon.addEllipse(QPointF(180, 70), 34, 34);
    QPainterPath bite;
    bite.addEllipse(QPointF(197, 58), 30, 30);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(246, 236, 180));
    p.drawPath(moon.subtracted(bite));
    // A constellation: stars joined by faint lines.
    const QPointF stars[] = {{44, 84}, {78, 70}, {110, 96}, {142, 104}, {152, 146}, {112, 150}};
    p.setPen(QPen(QColor(150, 170, 230), 3.0, Qt::SolidLine, Qt::RoundCap));
    for (std::size_t i = 0; i + 1 < std::size(stars); ++i) p.drawLine(stars[i], stars[i + 1]);
    p.drawLine(stars[5], stars[2]);
    for (std::size_t i = 0; i < std::size(stars); ++i) Dot(p, stars[i], i % 2 ? 7.5 : 9.5, Qt::white);
    for (const QPointF s : {QPointF(36, 150), QPointF(206, 130), QPointF(96, 34), QPointF(222, 176)})
        Dot(p, s, 4, QColor(200, 210, 255));
    // The horizon: dark ground below a gentle curve, clipped to the rounded square.
    QPainterPath ground;
    ground.moveTo(8, 196);
    ground.quadTo(128, 168, 248, 196);
    ground.lineTo(248, 248);
    ground.lineTo(8, 248);
    ground.closeSubpath();
    QPainterPath frame;
    frame.addRoundedRect(QRectF(8, 8, 240, 240), 44, 44);
    p.setBrush(QColor(18, 52, 30));
    p.drawPath(ground.intersected(frame));
}

void PaintOrbitViewer(QPainter& p) {
    NightBackground(p);
    const QPointF sun(128, 128);
    // Orbits seen from a little above the plane, with an asteroid or two on each.
    p.save();
    p.translate(sun);
    p.rotate(-18.0);
    for (const auto& [a, b, t0] :
         {std::tuple{58.0, 22.0, 0.9}, std::tuple{84.0, 32.0, 3.6}, std::tuple{108.0, 42.0, 5.4}}) {
        p.setPen(QPen(QColor(130, 170, 240), 3.5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(0, 0), a, b);
        for (const double t : {t0, t0 + 2.4})
            Dot(p, QPointF(a * std::cos(t), b * std::sin(t)), 6.5, Qt::white);
    }
    p.restore();
    QRadialGradient glow(sun, 30);
    glow.setColorAt(0.0, QColor(255, 250, 210));
    glow.setColorAt(0.6, QColor(255, 200, 60));
    glow.setColorAt(1.0, QColor(255, 140, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(sun, 30, 30);
}

} // namespace

QImage AppIconImage(AppIconId id, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / kGrid, size / kGrid);
    if (id == AppIconId::NightvaneGl)
        PaintSkyChart(p);
    else
        PaintOrbitViewer(p);
    p.end();
    return image;
}

QIcon AppIcon(AppIconId id) {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(AppIconImage(id, size)));
    return icon;
}

} // namespace nv::res
