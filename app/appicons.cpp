// Hand-drawn pictures for the window icon and the toolbar buttons.
#include "appicons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>

#include "resource.h"

namespace app {
namespace {

constexpr int kButtonWidth = 16;
constexpr int kButtonHeight = 15;

// Points of n nodes on a circle of radius r around (cx, cy), the first at the top.
QList<QPointF> circlePoints(int n, double cx, double cy, double r)
{
    QList<QPointF> pts;
    for (int k = 0; k < n; ++k) {
        const double a = k * 2.0 * M_PI / n - M_PI / 2.0;
        pts.append(QPointF(cx + r * std::cos(a), cy + r * std::sin(a)));
    }
    return pts;
}

void drawPage(QPainter& p, const QRect& r)
{
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    QPolygon page;
    page << r.topLeft() << QPoint(r.right() - 3, r.top()) << QPoint(r.right(), r.top() + 3)
         << r.bottomRight() << r.bottomLeft();
    p.drawPolygon(page);
    p.drawLine(r.right() - 3, r.top(), r.right() - 3, r.top() + 3);
    p.drawLine(r.right() - 3, r.top() + 3, r.right(), r.top() + 3);
}

void drawNew(QPainter& p) { drawPage(p, QRect(3, 1, 9, 12)); }

void drawOpen(QPainter& p)
{
    p.setPen(Qt::black);
    p.setBrush(QColor(0xFF, 0xD7, 0x4A));
    p.drawRect(1, 4, 12, 8);
    p.setBrush(QColor(0xE0, 0xB0, 0x20));
    QPolygon flap;
    flap << QPoint(3, 7) << QPoint(15, 7) << QPoint(13, 12) << QPoint(1, 12);
    p.drawPolygon(flap);
    p.drawLine(9, 1, 12, 1);
    p.drawLine(12, 1, 14, 3);
}

void drawSave(QPainter& p)
{
    p.setPen(Qt::black);
    p.setBrush(QColor(0x20, 0x40, 0x90));
    p.drawRect(1, 1, 13, 12);
    p.setBrush(Qt::white);
    p.drawRect(4, 1, 7, 5);
    p.setBrush(QColor(0xC0, 0xC0, 0xC0));
    p.drawRect(4, 9, 7, 4);
}

void drawCut(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.2));
    p.drawLine(QPointF(4, 1), QPointF(10, 10));
    p.drawLine(QPointF(11, 1), QPointF(5, 10));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x10, 0x10, 0x80), 1.2));
    p.drawEllipse(QPointF(4, 11.5), 2.5, 2.5);
    p.drawEllipse(QPointF(11, 11.5), 2.5, 2.5);
}

void drawCopy(QPainter& p)
{
    drawPage(p, QRect(1, 1, 8, 9));
    drawPage(p, QRect(6, 4, 8, 10));
}

void drawPaste(QPainter& p)
{
    p.setPen(Qt::black);
    p.setBrush(QColor(0xA0, 0x70, 0x30));
    p.drawRect(1, 2, 10, 12);
    p.setBrush(QColor(0x80, 0x80, 0x80));
    p.drawRect(4, 1, 4, 2);
    drawPage(p, QRect(6, 5, 8, 9));
}

void drawPrint(QPainter& p)
{
    drawPage(p, QRect(4, 0, 8, 6));
    p.setPen(Qt::black);
    p.setBrush(QColor(0xC0, 0xC0, 0xC0));
    p.drawRect(1, 6, 14, 5);
    p.setBrush(Qt::white);
    p.drawRect(4, 10, 8, 4);
    p.setPen(QColor(0x00, 0xA0, 0x00));
    p.drawPoint(13, 8);
}

void drawQuestion(QPainter& p, const QRect& r, const QColor& fill)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::black);
    p.setBrush(fill);
    p.drawEllipse(r);
    QFont f = p.font();
    f.setPixelSize(r.height() - 2);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(r, Qt::AlignCenter, QStringLiteral("?"));
}

void drawAbout(QPainter& p) { drawQuestion(p, QRect(1, 0, 14, 14), QColor(0x20, 0x60, 0xC0)); }

void drawContextHelp(QPainter& p)
{
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    QPolygon arrow;
    arrow << QPoint(1, 1) << QPoint(1, 11) << QPoint(4, 8) << QPoint(6, 12) << QPoint(8, 11)
          << QPoint(6, 7) << QPoint(9, 7);
    p.drawPolygon(arrow);
    drawQuestion(p, QRect(8, 4, 8, 10), QColor(0x20, 0x60, 0xC0));
}

// Nodes joined in the order given, as a closed blue polygon with a red gap
// when 'withGap' is set.
void drawCycle(QPainter& p, const QList<int>& order, bool withGap)
{
    p.setRenderHint(QPainter::Antialiasing);
    const QList<QPointF> pts = circlePoints(6, 7.5, 7.0, 5.8);
    for (int k = 0; k < order.size(); ++k) {
        const bool gap = withGap && k == order.size() - 1;
        p.setPen(QPen(gap ? QColor(Qt::red) : QColor(Qt::blue), 1.2));
        p.drawLine(pts[order[k]], pts[order[(k + 1) % order.size()]]);
    }
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    for (const QPointF& pt : pts)
        p.drawEllipse(pt, 1.6, 1.6);
}

void drawRearrange(QPainter& p) { drawCycle(p, {0, 3, 1, 4, 2, 5}, true); }
void drawFindCycle(QPainter& p) { drawCycle(p, {0, 1, 2, 3, 4, 5}, false); }

// Solve: the cycle with a check mark, the answer proved.
void drawSolve(QPainter& p)
{
    drawCycle(p, {0, 1, 2, 3, 4, 5}, false);
    p.setPen(QPen(QColor(0x00, 0x80, 0x00), 2));
    p.drawLine(6, 8, 8, 11);
    p.drawLine(8, 11, 13, 4);
}

void drawStop(QPainter& p)
{
    p.setPen(Qt::black);
    p.setBrush(QColor(0xD0, 0x20, 0x20));
    p.drawRect(3, 2, 10, 10);
}

void drawMagnifier(QPainter& p, int sign)
{
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(6.5, 6.5), 4.5, 4.5);
    p.drawLine(QPointF(10, 10), QPointF(14.5, 14));
    if (sign == 0) {
        p.drawRect(QRectF(4.5, 4.5, 4, 4));
        return;
    }
    p.drawLine(QPointF(4.5, 6.5), QPointF(8.5, 6.5));
    if (sign > 0)
        p.drawLine(QPointF(6.5, 4.5), QPointF(6.5, 8.5));
}

void drawZoomIn(QPainter& p) { drawMagnifier(p, 1); }
void drawZoomOut(QPainter& p) { drawMagnifier(p, -1); }
void drawZoomFit(QPainter& p) { drawMagnifier(p, 0); }

QIcon buttonIcon(void (*draw)(QPainter&))
{
    QPixmap pm(kButtonWidth, kButtonHeight);
    pm.fill(Qt::transparent);
    {
        QPainter p(&pm);
        draw(p);
    }
    return QIcon(pm);
}

}  // namespace

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        const double c = size / 2.0;
        const QList<QPointF> pts = circlePoints(8, c, c, size * 0.38);
        p.setPen(QPen(QColor(0xA0, 0xA0, 0xA0), size / 32.0));
        for (int k = 0; k < 8; k += 2)
            p.drawLine(pts[k], pts[(k + 3) % 8]);
        p.setPen(QPen(QColor(0x00, 0x00, 0xFF), size / 16.0));
        for (int k = 0; k < 8; ++k)
            p.drawLine(pts[k], pts[(k + 1) % 8]);
        p.setPen(QPen(Qt::black, size / 32.0));
        p.setBrush(Qt::white);
        for (const QPointF& pt : pts)
            p.drawEllipse(pt, size / 14.0, size / 14.0);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

QIcon toolIcon(int commandId)
{
    switch (commandId) {
    case ID_FILE_NEW: return buttonIcon(drawNew);
    case ID_FILE_OPEN: return buttonIcon(drawOpen);
    case ID_FILE_SAVE: return buttonIcon(drawSave);
    case ID_EDIT_CUT: return buttonIcon(drawCut);
    case ID_EDIT_COPY: return buttonIcon(drawCopy);
    case ID_EDIT_PASTE: return buttonIcon(drawPaste);
    case ID_FILE_PRINT: return buttonIcon(drawPrint);
    case ID_APP_ABOUT: return buttonIcon(drawAbout);
    case ID_CONTEXT_HELP: return buttonIcon(drawContextHelp);
    case ID_REARRANGE_CYCLE: return buttonIcon(drawRearrange);
    case ID_FIND_CYCLE: return buttonIcon(drawFindCycle);
    case ID_SOLVE: return buttonIcon(drawSolve);
    case ID_CANCEL_SEARCH: return buttonIcon(drawStop);
    case ID_VIEW_ZOOM_IN: return buttonIcon(drawZoomIn);
    case ID_VIEW_ZOOM_OUT: return buttonIcon(drawZoomOut);
    case ID_VIEW_ZOOM_FIT: return buttonIcon(drawZoomFit);
    default: return QIcon();
    }
}

}  // namespace app
