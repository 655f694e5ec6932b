#include "daily_report/drawnicon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>

namespace {

const QColor kInk(44, 62, 80);
const QColor kPaper(250, 250, 245);
const QColor kAccent(41, 128, 185);
const QColor kGrey(160, 160, 160);

// A triangle pointing left (-1) or right (1) with its tip at x.
QPainterPath triangle(qreal x, int direction)
{
    QPainterPath path;
    path.moveTo(x, 12);
    path.lineTo(x - 7 * direction, 6);
    path.lineTo(x - 7 * direction, 18);
    path.closeSubpath();
    return path;
}

// An arc of a circle around the middle with an arrow head at its end.
void circularArrow(QPainter &p, int startAngle, int spanAngle)
{
    const QRectF circle(5, 5, 14, 14);
    p.drawArc(circle, startAngle * 16, spanAngle * 16);
    QPainterPath arc;
    arc.arcMoveTo(circle, startAngle + spanAngle);
    const QPointF tip = arc.currentPosition();
    const int side = spanAngle > 0 ? 1 : -1;
    p.drawLine(tip, tip + QPointF(-3 * side, -3));
    p.drawLine(tip, tip + QPointF(3 * side, -1));
}

// Draws the picture on a 24 by 24 grid in ink (and accent), or all in grey.
void draw(QPainter &p, Picture picture, bool enabled)
{
    const QColor ink = enabled ? kInk : kGrey;
    const QColor accent = enabled ? kAccent : kGrey;
    p.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kPaper);
    const auto page = [&](const QRectF &r) {
        QPainterPath path;
        path.moveTo(r.left(), r.top());
        path.lineTo(r.right() - 4, r.top());
        path.lineTo(r.right(), r.top() + 4);
        path.lineTo(r.right(), r.bottom());
        path.lineTo(r.left(), r.bottom());
        path.closeSubpath();
        p.drawPath(path);
    };
    const auto lines = [&](qreal left, qreal right, qreal top, int count) {
        for (int i = 0; i < count; ++i)
            p.drawLine(QPointF(left, top + 3 * i), QPointF(right, top + 3 * i));
    };
    switch (picture) {
    case Picture::Page:
        page(QRectF(5, 3, 14, 18));
        p.setPen(QPen(accent, 2));
        p.drawLine(QPointF(12, 9), QPointF(12, 17));
        p.drawLine(QPointF(8, 13), QPointF(16, 13));
        break;
    case Picture::Pencil:
        p.translate(12, 12);
        p.rotate(45);
        p.setBrush(accent);
        p.drawRect(QRectF(-2.5, -10, 5, 15));
        p.setBrush(ink);
        p.drawPolygon(QPolygonF({QPointF(-2.5, 5), QPointF(2.5, 5), QPointF(0, 10)}));
        break;
    case Picture::Magnifier:
        p.drawEllipse(QRectF(4, 4, 11, 11));
        p.setPen(QPen(ink, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(14, 14), QPointF(20, 20));
        break;
    case Picture::Printer:
        page(QRectF(7, 3, 10, 7));
        p.setBrush(accent);
        p.drawRoundedRect(QRectF(3, 9, 18, 8), 2, 2);
        p.setBrush(kPaper);
        p.drawRect(QRectF(7, 14, 10, 7));
        break;
    case Picture::Sheet:
        page(QRectF(5, 3, 14, 18));
        lines(8, 16, 9, 4);
        break;
    case Picture::Undo:
        p.setBrush(Qt::NoBrush);
        circularArrow(p, 0, 270);
        break;
    case Picture::Refresh:
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(accent, 2, Qt::SolidLine, Qt::RoundCap));
        circularArrow(p, 180, -270);
        break;
    case Picture::List:
        page(QRectF(5, 3, 14, 18));
        p.setBrush(accent);
        for (int i = 0; i < 4; ++i)
            p.drawEllipse(QPointF(8.5, 8 + 3.5 * i), 0.8, 0.8);
        lines(11, 16, 8, 4);
        break;
    case Picture::Star: {
        QPolygonF star;
        for (int i = 0; i < 10; ++i) {
            const qreal radius = i % 2 ? 3.8 : 9;
            const qreal angle = (i * 36 - 90) * M_PI / 180;
            star << QPointF(12 + radius * std::cos(angle), 12.5 + radius * std::sin(angle));
        }
        p.setBrush(accent);
        p.drawPolygon(star);
        break;
    }
    case Picture::Bin:
        p.drawLine(QPointF(4, 6), QPointF(20, 6));
        p.drawLine(QPointF(10, 3.5), QPointF(14, 3.5));
        p.drawRect(QRectF(6, 6, 12, 15));
        p.drawLine(QPointF(10, 9), QPointF(10, 18));
        p.drawLine(QPointF(14, 9), QPointF(14, 18));
        break;
    case Picture::First:
    case Picture::Last: {
        const int direction = picture == Picture::Last ? 1 : -1;
        p.setBrush(ink);
        p.drawPath(triangle(12 + 6 * direction, direction));
        p.drawPath(triangle(12 - 0.5 * direction, direction));
        p.drawLine(QPointF(12 + 7.5 * direction, 6), QPointF(12 + 7.5 * direction, 18));
        break;
    }
    case Picture::Previous:
    case Picture::Next: {
        const int direction = picture == Picture::Next ? 1 : -1;
        p.setBrush(ink);
        p.drawPath(triangle(12 + 7 * direction, direction));
        p.drawPath(triangle(12, direction));
        break;
    }
    case Picture::Disk:
        p.setBrush(accent);
        p.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
        p.setBrush(kPaper);
        p.drawRect(QRectF(7, 3, 10, 6));
        p.drawRect(QRectF(6, 13, 12, 8));
        break;
    case Picture::Door:
        p.drawRect(QRectF(5, 3, 10, 18));
        p.setPen(QPen(accent, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(11, 12), QPointF(21, 12));
        p.drawLine(QPointF(18, 9), QPointF(21, 12));
        p.drawLine(QPointF(18, 15), QPointF(21, 12));
        break;
    case Picture::Folder: {
        QPainterPath folder;
        folder.moveTo(3, 6);
        folder.lineTo(9, 6);
        folder.lineTo(11, 8);
        folder.lineTo(21, 8);
        folder.lineTo(21, 19);
        folder.lineTo(3, 19);
        folder.closeSubpath();
        p.setBrush(enabled ? QColor(241, 196, 15) : kGrey);
        p.drawPath(folder);
        break;
    }
    }
}

class DrawnIconEngine : public QIconEngine
{
public:
    explicit DrawnIconEngine(Picture picture) : m_picture(picture) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        const qreal side = std::min(rect.width(), rect.height());
        painter->translate(rect.center() - QPointF(side / 2, side / 2) + QPointF(0.5, 0.5));
        painter->scale(side / 24, side / 24);
        draw(*painter, m_picture, mode != QIcon::Disabled);
        painter->restore();
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }
    QIconEngine *clone() const override { return new DrawnIconEngine(m_picture); }

private:
    Picture m_picture;
};

} // namespace

QIcon DrawnIcon(Picture picture)
{
    return QIcon(new DrawnIconEngine(picture));
}
