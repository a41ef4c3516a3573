// CTabWnd: the client of a document window. It draws its own strip of tabs
// ("Graph", "Log") above the views and shows only the view of the selected
// tab; a click on another tab switches views.
#pragma once

#include <QFont>
#include <QList>
#include <QWidget>
#include <functional>
#include <memory>

#include "tabstrip.h"

class CTabWnd : public QWidget {
    Q_OBJECT
public:
    // One tab: its view (a child of the tab window, not owned here), its
    // caption of at most 31 characters and its extent, set at each painting.
    struct TabRecord {
        QWidget* view = nullptr;
        char name[32] = {};
        int left = 0;
        int right = 0;
    };
    // Creates a tab's view as a child of the given parent; null on failure.
    using ViewFactory = std::function<QWidget*(QWidget* parent)>;

    explicit CTabWnd(QWidget* parent = nullptr);
    ~CTabWnd() override;

    // Operations.
    bool AddTab(const QString& caption, const ViewFactory& createView);
    int HitTest(const QPoint& pt) const;
    void SelectTab(int index);

    // Queries.
    int GetTabCount() const { return static_cast<int>(m_tabs.size()); }
    int GetActiveTab() const { return m_nActiveTab; }
    QWidget* GetView(int index) const;
    QWidget* GetActiveView() const { return GetView(m_nActiveTab); }
    QString GetTabName(int index) const;
    // Spans of the tabs for the current captions and font, as painting sets them.
    std::vector<app::TabSpan> TabSpans() const;
    QSize sizeHint() const override;

signals:
    // The view that is now the frame's active view: the first tab's view when
    // it is added, later the view of each newly selected tab.
    void activeViewChanged(QWidget* view);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void RecalcLayout();
    void DrawTab(QPainter& p, TabRecord& tab, int x, bool selected);
    int CaptionWidth(const TabRecord& tab, bool selected) const;

    bool m_bInLayout = false;                         // a layout pass is running
    int m_nActiveTab = 0;                             // index of the selected tab
    QList<TabRecord*> m_tabs;                         // owned, in insertion order
    std::unique_ptr<QFont> m_pSelectedFont;           // caption font of the selected tab
    std::unique_ptr<QFont> m_pNormalFont;             // caption font of the other tabs
};
