// CMainFrame's menus: one action per command, the two menu bars (no
// document open, and a document open), the window list and the recent files.
#include <QAction>
#include <QKeySequence>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>

#include "appicons.h"
#include "childfrm.h"
#include "framework/resstrings.h"
#include "mainfrm.h"
#include "menus.h"
#include "recentfiles.h"
#include "resource.h"

QAction* CMainFrame::CommandAction(int id)
{
    if (QAction* a = m_actions.value(id))
        return a;
    auto* a = new QAction(this);
    app::SetCommandId(a, id);
    a->setIcon(app::toolIcon(id));
    const QString prompt = app::CommandPrompt(id);
    const QString tip = app::CommandTip(id);
    a->setStatusTip(prompt);
    a->setWhatsThis(prompt);
    if (!tip.isEmpty())
        a->setToolTip(tip);
    QList<QKeySequence> keys;
    for (const app::Accelerator& acc : app::accelerators())
        if (acc.id == id)
            keys.append(QKeySequence(QString::fromLatin1(acc.keys)));
    a->setShortcuts(keys);
    a->setEnabled(false);
    connect(a, &QAction::triggered, this, [this, id] { OnCommand(id); });
    addAction(a);
    m_actions.insert(id, a);
    return a;
}

QMenu* CMainFrame::BuildMenu(const app::MenuEntry& popup, QWidget* parent)
{
    auto* menu = new QMenu(QString::fromUtf8(popup.text), parent);
    for (const app::MenuEntry& e : popup.entries) {
        switch (e.kind) {
        case app::MenuEntry::Separator:
            menu->addSeparator();
            break;
        case app::MenuEntry::Popup:
            menu->addMenu(BuildMenu(e, menu));
            break;
        case app::MenuEntry::RecentFiles: {
            // The entries are shared by both file menus; those beyond the
            // list's length stay hidden, and an empty list shows a disabled
            // "Recent File".
            auto* placeholder = new QAction(QString::fromUtf8(e.text), menu);
            placeholder->setEnabled(false);
            placeholder->setObjectName(QStringLiteral("recentPlaceholder"));
            menu->addAction(placeholder);
            for (int i = 0; i < 8; ++i)
                menu->addAction(CommandAction(ID_FILE_MRU_FILE1 + i));
            m_fileMenus.append(menu);
            break;
        }
        case app::MenuEntry::Command: {
            QAction* a = CommandAction(e.id);
            if (a->text().isEmpty())
                a->setText(QString::fromUtf8(e.text));
            menu->addAction(a);
            break;
        }
        }
    }
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
    if (popup.entries.size() > 0 && popup.entries.front().id == ID_WINDOW_NEW)
        connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateWindowList(menu); });
    return menu;
}

void CMainFrame::CreateMenus()
{
    for (const app::MenuEntry& popup : app::mainFrameMenu())
        m_menus128.append(BuildMenu(popup, this));
    for (const app::MenuEntry& popup : app::documentMenu())
        m_menus129.append(BuildMenu(popup, this));
    for (int i = 0; i < 8; ++i)
        m_recentActions.append(CommandAction(ID_FILE_MRU_FILE1 + i));
    // Commands reached by keys alone need their actions too.
    for (int id : app::allCommandIds())
        CommandAction(id);
    UpdateRecentFileMenu();
}

QList<QMenu*> CMainFrame::CurrentMenus() const
{
    return m_nMenuId == IDR_TOURVTYPE ? m_menus129 : m_menus128;
}

void CMainFrame::SwitchMenus()
{
    const int wanted = m_mdiArea->subWindowList().isEmpty() ? IDR_MAINFRAME : IDR_TOURVTYPE;
    if (wanted == m_nMenuId)
        return;
    m_nMenuId = wanted;
    menuBar()->clear();
    for (QMenu* m : CurrentMenus())
        menuBar()->addMenu(m);
}

void CMainFrame::UpdateWindowList(QMenu* menu)
{
    // The open document windows follow the window commands, the active one
    // checked, as "&1 title".
    for (QAction* a : menu->actions())
        if (a->property("windowEntry").toBool())
            delete a;
    const QList<CChildFrame*> frames = ChildFrames();
    if (frames.isEmpty())
        return;
    menu->addSeparator()->setProperty("windowEntry", true);
    for (int i = 0; i < frames.size(); ++i) {
        CChildFrame* f = frames[i];
        QString title = f->windowTitle();
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* a = menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(title));
        a->setProperty("windowEntry", true);
        a->setCheckable(true);
        a->setChecked(f == MDIGetActive());
        connect(a, &QAction::triggered, this, [this, f] {
            if (ChildFrames().contains(f))
                m_mdiArea->setActiveSubWindow(f);
        });
    }
}

void CMainFrame::SetRecentFiles(const app::RecentFileList* list)
{
    m_recentFiles = list;
    UpdateRecentFileMenu();
}

void CMainFrame::UpdateRecentFileMenu()
{
    const int n = m_recentFiles ? m_recentFiles->size() : 0;
    for (int i = 0; i < m_recentActions.size(); ++i) {
        QAction* a = m_recentActions[i];
        a->setVisible(i < n);
        if (i < n) {
            a->setText(m_recentFiles->menuText(i));
            a->setStatusTip(app::CommandPrompt(ID_FILE_MRU_FILE1 + i) + QStringLiteral(": ")
                            + m_recentFiles->at(i));
        }
    }
    for (QMenu* menu : m_fileMenus)
        for (QAction* a : menu->actions())
            if (a->objectName() == QLatin1String("recentPlaceholder"))
                a->setVisible(n == 0);
}
