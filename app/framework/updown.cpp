#include "framework/updown.h"

#include <algorithm>

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "framework/ddx.h"

CSpinButtonCtrl::CSpinButtonCtrl(QWidget* parent)
    : QWidget(parent), m_up(new QToolButton(this)), m_down(new QToolButton(this))
{
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {m_up, m_down}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        b->setFixedWidth(16);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_up);
    layout->addWidget(m_down);
    connect(m_up, &QToolButton::clicked, this, [this] { Step(+1); });
    connect(m_down, &QToolButton::clicked, this, [this] { Step(-1); });
}

void CSpinButtonCtrl::SetRange(int lo, int hi)
{
    m_lo = lo;
    m_hi = hi;
}

void CSpinButtonCtrl::SetBuddy(QLineEdit* buddy)
{
    if (m_buddy)
        m_buddy->removeEventFilter(this);
    m_buddy = buddy;
    if (m_buddy)
        m_buddy->installEventFilter(this);
}

void CSpinButtonCtrl::Step(int delta)
{
    if (!m_buddy)
        return;
    auto value = app::ParseShort(m_buddy->text());
    int v = value ? *value : m_lo;
    if (v < m_lo)
        v = m_lo;
    else if (v > m_hi)
        v = m_hi;
    else
        v = std::clamp(v + delta, m_lo, m_hi);
    m_buddy->setText(QString::number(v));
}

bool CSpinButtonCtrl::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_buddy && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Up) {
            Step(+1);
            return true;
        }
        if (key->key() == Qt::Key_Down) {
            Step(-1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
