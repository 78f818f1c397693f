#include "shell/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int Size = 32;

QPixmap canvas()
{
    QPixmap pm(Size, Size);
    pm.fill(Qt::transparent);
    return pm;
}

void drawFolder(QPainter &p)
{
    p.setPen(QPen(QColor(150, 110, 20), 1.5));
    p.setBrush(QColor(240, 200, 90));
    QPainterPath back;
    back.moveTo(3, 8);
    back.lineTo(12, 8);
    back.lineTo(15, 11);
    back.lineTo(28, 11);
    back.lineTo(28, 26);
    back.lineTo(3, 26);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(QColor(250, 220, 120));
    QPainterPath front;
    front.moveTo(3, 26);
    front.lineTo(7, 15);
    front.lineTo(31, 15);
    front.lineTo(28, 26);
    front.closeSubpath();
    p.drawPath(front);
}

void drawDisk(QPainter &p)
{
    p.setPen(QPen(QColor(30, 50, 110), 1.5));
    p.setBrush(QColor(60, 100, 190));
    p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
    p.setBrush(QColor(235, 235, 235));
    p.drawRect(QRectF(9, 5, 14, 9));
    p.setBrush(QColor(40, 40, 40));
    p.drawRect(QRectF(18, 6.5, 3, 6));
    p.setBrush(QColor(250, 250, 250));
    p.drawRect(QRectF(8, 18, 16, 9));
}

void drawSliders(QPainter &p)
{
    p.setPen(QPen(QColor(70, 70, 70), 2));
    for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(6 + i * 10, 5), QPointF(6 + i * 10, 27));
    p.setPen(QPen(QColor(30, 30, 30), 1));
    p.setBrush(QColor(220, 90, 40));
    const int knobs[3] = {18, 9, 21};
    for (int i = 0; i < 3; ++i)
        p.drawRoundedRect(QRectF(2 + i * 10, knobs[i] - 3, 8, 6), 1.5, 1.5);
}

void drawChannelTable(QPainter &p)
{
    p.setPen(QPen(QColor(40, 90, 60), 1.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3, 4, 26, 24));
    p.setBrush(QColor(70, 150, 100));
    p.drawRect(QRectF(3, 4, 26, 6));
    p.setPen(QPen(QColor(120, 160, 130), 1));
    for (int y = 16; y < 28; y += 6)
        p.drawLine(QPointF(3, y), QPointF(29, y));
    p.drawLine(QPointF(11, 10), QPointF(11, 28));
}

void drawKeypad(QPainter &p)
{
    p.setPen(QPen(QColor(50, 50, 50), 1.2));
    p.setBrush(QColor(225, 225, 235));
    p.drawRoundedRect(QRectF(4, 2, 24, 28), 3, 3);
    p.setBrush(QColor(80, 80, 110));
    p.setPen(Qt::NoPen);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c)
            p.drawRoundedRect(QRectF(7.5 + c * 6.5, 5 + r * 6.3, 4.5, 4.2), 1, 1);
}

void drawArrowTransfer(QPainter &p, bool towardsRadio)
{
    // A radio on the left, the computer on the right, and the arrow between them.
    p.setPen(QPen(QColor(40, 40, 40), 1.2));
    p.setBrush(QColor(60, 60, 60));
    p.drawRect(QRectF(2, 12, 9, 16));
    p.drawLine(QPointF(4, 12), QPointF(4, 4));
    p.setBrush(QColor(180, 210, 240));
    p.drawRect(QRectF(20, 10, 10, 8));
    p.drawLine(QPointF(25, 18), QPointF(25, 22));
    p.drawLine(QPointF(21, 22), QPointF(29, 22));
    const QColor arrow = towardsRadio ? QColor(200, 60, 40) : QColor(30, 140, 60);
    p.setPen(Qt::NoPen);
    p.setBrush(arrow);
    QPainterPath a;
    if (towardsRadio) {
        a.moveTo(11, 20);
        a.lineTo(16, 15);
        a.lineTo(16, 18);
        a.lineTo(20, 18);
        a.lineTo(20, 22);
        a.lineTo(16, 22);
        a.lineTo(16, 25);
    } else {
        a.moveTo(21, 20);
        a.lineTo(16, 15);
        a.lineTo(16, 18);
        a.lineTo(12, 18);
        a.lineTo(12, 22);
        a.lineTo(16, 22);
        a.lineTo(16, 25);
    }
    a.closeSubpath();
    p.drawPath(a);
}

void drawExit(QPainter &p)
{
    p.setPen(QPen(QColor(90, 60, 30), 1.5));
    p.setBrush(QColor(170, 120, 70));
    p.drawRect(QRectF(5, 3, 14, 26));
    p.setBrush(QColor(200, 40, 40));
    p.setPen(Qt::NoPen);
    QPainterPath a;
    a.moveTo(30, 16);
    a.lineTo(23, 9);
    a.lineTo(23, 13);
    a.lineTo(14, 13);
    a.lineTo(14, 19);
    a.lineTo(23, 19);
    a.lineTo(23, 23);
    a.closeSubpath();
    p.drawPath(a);
}

} // namespace

namespace Icons {

QIcon toolbarIcon(const QString &key)
{
    QPixmap pm = canvas();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    if (key == QLatin1String("open"))
        drawFolder(p);
    else if (key == QLatin1String("save"))
        drawDisk(p);
    else if (key == QLatin1String("edit_option"))
        drawSliders(p);
    else if (key == QLatin1String("edit_chann"))
        drawChannelTable(p);
    else if (key == QLatin1String("edit_dtmf"))
        drawKeypad(p);
    else if (key == QLatin1String("read"))
        drawArrowTransfer(p, false);
    else if (key == QLatin1String("write"))
        drawArrowTransfer(p, true);
    else if (key == QLatin1String("exit"))
        drawExit(p);
    p.end();
    return QIcon(pm);
}

} // namespace Icons
