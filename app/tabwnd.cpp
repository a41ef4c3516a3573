// CTabWnd: tab records, selection, view layout and the hand-drawn tab strip.
#include "tabwnd.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <cstring>

#include "resource.h"

using app::TabMetrics;

namespace {

// How far to the right a repaint of the tab strip reaches.
constexpr int kStripRepaintWidth = 32000;

// A line from 'from' towards 'to' that leaves out its end point, so that the
// segments of a polyline meet without overdrawing; every line here is
// horizontal or vertical.
void lineTo(QPainter& p, QPoint from, QPoint to)
{
    if (from == to)
        return;
    QPoint end = to;
    if (end.x() > from.x()) end.rx() -= 1;
    else if (end.x() < from.x()) end.rx() += 1;
    if (end.y() > from.y()) end.ry() -= 1;
    else if (end.y() < from.y()) end.ry() += 1;
    p.drawLine(from, end);
}

// A 3-D rectangle: top and left edges in one colour, bottom and right in another.
void draw3dRect(QPainter& p, int x, int y, int cx, int cy, const QColor& topLeft, const QColor& bottomRight)
{
    if (cx <= 0 || cy <= 0)
        return;
    p.fillRect(x, y, cx - 1, 1, topLeft);
    p.fillRect(x, y, 1, cy - 1, topLeft);
    p.fillRect(x + cx - 1, y, 1, cy, bottomRight);
    p.fillRect(x, y + cy - 1, cx, 1, bottomRight);
}

}  // namespace

CTabWnd::CTabWnd(QWidget* parent)
    : QWidget(parent),
      m_pSelectedFont(std::make_unique<QFont>(QStringLiteral("MS Sans Serif"))),
      m_pNormalFont(std::make_unique<QFont>(QStringLiteral("MS Sans Serif")))
{
    setWindowTitle(QStringLiteral("TavrelTabWnd"));
    setProperty("controlId", IDC_TAB_WND);
    m_pSelectedFont->setPixelSize(12);
    m_pNormalFont->setPixelSize(12);
}

CTabWnd::~CTabWnd()
{
    qDeleteAll(m_tabs);
}

bool CTabWnd::AddTab(const QString& caption, const ViewFactory& createView)
{
    QWidget* view = createView ? createView(this) : nullptr;
    if (!view)
        return false;
    if (view->parentWidget() != this)
        view->setParent(this);
    view->setProperty("controlId", IDC_FIRST_TAB_VIEW + GetTabCount());
    const app::ViewRect r = app::viewRect(width(), height());
    view->setGeometry(r.x, r.y, r.width, r.height);

    auto* tab = new TabRecord;
    tab->view = view;
    const QByteArray bytes = caption.toLocal8Bit().left(static_cast<int>(sizeof tab->name) - 1);
    std::memcpy(tab->name, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    tab->name[bytes.size()] = '\0';
    m_tabs.append(tab);

    // Spans are kept current here too, so that a click before the first
    // paint already finds its tab.
    const std::vector<app::TabSpan> spans = TabSpans();
    for (int i = 0; i < GetTabCount(); ++i) {
        m_tabs[i]->left = spans[i].left;
        m_tabs[i]->right = spans[i].right;
    }

    if (GetTabCount() == 1) {
        view->setEnabled(true);
        view->show();
        emit activeViewChanged(view);
    } else {
        view->setEnabled(false);
        view->hide();
    }
    update(0, 0, kStripRepaintWidth, TabMetrics::kStripHeight);
    return true;
}

int CTabWnd::HitTest(const QPoint& pt) const
{
    std::vector<app::TabSpan> spans;
    spans.reserve(m_tabs.size());
    for (const TabRecord* tab : m_tabs)
        spans.push_back({tab->left, tab->right});
    return app::hitTestTabs(spans, m_nActiveTab, pt.x(), pt.y());
}

void CTabWnd::SelectTab(int index)
{
    if (index < 0 || index >= GetTabCount() || index == m_nActiveTab)
        return;
    if (QWidget* old = GetActiveView()) {
        old->setEnabled(false);
        old->hide();
    }
    QWidget* view = m_tabs[index]->view;
    view->setEnabled(true);
    view->show();
    view->setFocus(Qt::OtherFocusReason);
    m_nActiveTab = index;
    emit activeViewChanged(view);
    update(0, 0, kStripRepaintWidth, TabMetrics::kStripHeight);
}

QWidget* CTabWnd::GetView(int index) const
{
    return index >= 0 && index < GetTabCount() ? m_tabs[index]->view : nullptr;
}

QString CTabWnd::GetTabName(int index) const
{
    return index >= 0 && index < GetTabCount() ? QString::fromLocal8Bit(m_tabs[index]->name) : QString();
}

int CTabWnd::CaptionWidth(const TabRecord& tab, bool selected) const
{
    const QFontMetrics fm(selected ? *m_pSelectedFont : *m_pNormalFont);
    return fm.horizontalAdvance(QString::fromLocal8Bit(tab.name));
}

std::vector<app::TabSpan> CTabWnd::TabSpans() const
{
    std::vector<int> widths;
    widths.reserve(m_tabs.size());
    for (int i = 0; i < GetTabCount(); ++i)
        widths.push_back(CaptionWidth(*m_tabs[i], i == m_nActiveTab));
    return app::layoutTabs(widths);
}

QSize CTabWnd::sizeHint() const
{
    return QSize(480, 360);
}

void CTabWnd::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    RecalcLayout();
}

void CTabWnd::RecalcLayout()
{
    // Moving a view can resize the frame again; one pass at a time.
    if (m_bInLayout)
        return;
    m_bInLayout = true;
    const app::ViewRect r = app::viewRect(width(), height());
    for (TabRecord* tab : m_tabs)
        tab->view->setGeometry(r.x, r.y, r.width, r.height);
    m_bInLayout = false;
}

void CTabWnd::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        SelectTab(HitTest(event->position().toPoint()));
    QWidget::mouseReleaseEvent(event);
}

void CTabWnd::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QPalette& pal = palette();
    const QColor face = pal.color(QPalette::Button);
    const QColor highlight = pal.color(QPalette::Light);
    const QColor light3d = pal.color(QPalette::Midlight);
    const QColor shadow = pal.color(QPalette::Dark);
    const int W = width();
    const int H = height();

    // Background of the strip, then the etched top edge and the sunken
    // frame around the views.
    p.fillRect(0, 0, W, TabMetrics::kStripHeight, face);
    p.fillRect(0, 0, W, 1, shadow);
    p.fillRect(0, 1, W, 1, highlight);
    draw3dRect(p, 0, 32, W, H - 32, shadow, highlight);
    draw3dRect(p, 1, 33, W - 2, H - 34, Qt::black, light3d);

    int x = 0;
    for (int i = 0; i < GetTabCount(); ++i) {
        TabRecord& tab = *m_tabs[i];
        const bool selected = i == m_nActiveTab;
        tab.left = x;
        DrawTab(p, tab, x, selected);
        x += CaptionWidth(tab, selected) + TabMetrics::kExtraWidth;
        tab.right = x;
    }
}

void CTabWnd::DrawTab(QPainter& p, TabRecord& tab, int x, bool selected)
{
    const QPalette& pal = palette();
    const QColor face = pal.color(QPalette::Button);
    const QColor highlight = pal.color(QPalette::Light);
    const QColor shadow = pal.color(QPalette::Dark);
    const QPen black(Qt::black, 1);
    const QPen facePen(face, 1);
    const QPen highlight1(highlight, 1);
    const QPen highlight2(highlight, 2);
    const QPen shadow1(shadow, 1);
    const QPen shadow2(shadow, 2);
    const int W = width();
    const int w = CaptionWidth(tab, selected);
    p.setBrush(Qt::NoBrush);

    if (selected) {
        p.setPen(black);
        lineTo(p, {x, 26}, {x, 4});
        lineTo(p, {x, 5}, {x + w + 17, 5});
        lineTo(p, {x + w + 16, 5}, {x + w + 16, 27});
        p.setPen(highlight2);
        lineTo(p, {x + 2, 26}, {x + 2, 6});
        lineTo(p, {x + 2, 7}, {x + w + 13, 7});
        p.setPen(shadow2);
        lineTo(p, {x + w + 15, 7}, {x + w + 15, 26});
        p.setPen(facePen);
        lineTo(p, {x - 1, 27}, {x + w + 17, 27});
        lineTo(p, {x - 1, 28}, {x + w + 17, 28});
        p.setPen(black);
        lineTo(p, {0, 26}, {x, 26});
        lineTo(p, {x + w + 18, 26}, {W, 26});
        p.setPen(highlight2);
        if (x != 0)
            lineTo(p, {0, 28}, {x, 28});
        lineTo(p, {x + w + 17, 28}, {W, 28});
        p.fillRect(x + 3, 8, w + 11, 22, face);
    } else {
        p.setPen(black);
        p.drawRect(x, 7, w + 16, 19);
        p.setPen(highlight1);
        lineTo(p, {x + 1, 8}, {x + 1, 26});
        lineTo(p, {x + 1, 8}, {x + w + 15, 8});
        p.setPen(shadow1);
        lineTo(p, {x + w + 15, 8}, {x + w + 15, 26});
        p.fillRect(QRect(QPoint(x + 2, 9), QPoint(x + w + 14, 25)), face);
        p.fillRect(x, 5, w + 17, 2, face);
    }

    // Caption on a transparent background.
    const QFont& font = selected ? *m_pSelectedFont : *m_pNormalFont;
    const QFontMetrics fm(font);
    p.setFont(font);
    p.setPen(pal.color(QPalette::ButtonText));
    const int top = app::captionTop(fm.height(), selected);
    p.drawText(QPoint(x + TabMetrics::kCaptionIndent, top + fm.ascent()), QString::fromLocal8Bit(tab.name));
}
