// CMainFrame: the program's main window. It holds the menu bar (one menu
// while no document is open, another while one is), a dockable toolbar, the
// status bar with its message pane and lock-key indicators, and the area in
// which the document windows live. Commands from menus, toolbar and keys go
// to the active document window's view first, then its document, that
// window, this frame and last the application.
#pragma once

#include <QMainWindow>
#include <QMap>
#include <functional>
#include <vector>

#include "framework/cmdtarget.h"
#include "menus.h"

class CChildFrame;
class CDocument;
class QLabel;
class QMdiArea;
class QMenu;
class QToolBar;
class QTimer;

namespace app {
class RecentFileList;
}

class CMainFrame : public QMainWindow, public CCmdTarget {
    Q_OBJECT
public:
    // appTarget receives the commands nobody before it handles.
    explicit CMainFrame(CCmdTarget* appTarget = nullptr, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Creates the toolbar and the status bar; false when either fails.
    bool Create();

    // Document windows.
    QMdiArea* MdiArea() const { return m_mdiArea; }
    CChildFrame* MDIGetActive() const;
    QList<CChildFrame*> ChildFrames() const;
    // Opens a window on doc with its own two views; false when it cannot.
    bool CreateChildFrame(CDocument* doc);
    // Brings the first window of doc to the front.
    void ActivateDocument(CDocument* doc);

    // Command routing and the state of menu items and buttons.
    std::vector<CCmdTarget*> CommandChain();
    bool OnCommand(int id);
    void UpdateCommandUI();
    QAction* CommandAction(int id);

    // Menus: which table the menu bar shows (128 or 129) and its pop-ups.
    int CurrentMenuId() const { return m_nMenuId; }
    QList<QMenu*> CurrentMenus() const;
    // Rebuilds the recent-file entries of the file menus from list.
    void SetRecentFiles(const app::RecentFileList* list);
    void UpdateRecentFileMenu();

    QToolBar* ToolBar() const { return m_toolBar; }
    QLabel* Indicator(int id) const;
    // Shows text in the status bar's message pane; empty restores "Ready".
    void SetMessageText(const QString& text);
    QString MessageText() const;

    // Asked before the window closes; false keeps it open.
    std::function<bool()> m_canClose;
    // Called with the local files dropped on the window.
    std::function<void(const QStringList&)> m_openDropped;

signals:
    void activeDocumentChanged(CDocument* doc);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool CreateToolBar();
    bool CreateStatusBar();
    void CreateMenus();
    QMenu* BuildMenu(const app::MenuEntry& popup, QWidget* parent);
    void SwitchMenus();
    void UpdateWindowList(QMenu* menu);
    void OnSubWindowActivated();
    void RenumberWindows(CDocument* doc);
    void UpdateTitle();
    void UpdateIndicators(quint32 nativeModifiers);
    void ArrangeIcons();
    void ShowHelpIndex();
    void ToggleBar(QWidget* bar);
    bool HandleDrop(QEvent* event);

    CCmdTarget* m_pAppTarget;
    QMdiArea* m_mdiArea;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_messagePane = nullptr;                 // left pane of the status bar
    QMap<int, QLabel*> m_indicators;                 // CAP, NUM, SCRL
    QMap<int, QAction*> m_actions;                   // one action per command id
    QList<QMenu*> m_menus128;                        // pop-ups shown with no document
    QList<QMenu*> m_menus129;                        // pop-ups shown with a document
    QList<QMenu*> m_fileMenus;                       // the two "&File" pop-ups
    QList<QAction*> m_recentActions;                 // recent-file entries, in order
    const app::RecentFileList* m_recentFiles = nullptr;
    QTimer* m_idleTimer;                             // refreshes item states
    int m_nMenuId = 0;
    bool m_bScrollLock = false;
};
