#include "framework/popupmenu.h"

#include <QMenu>

namespace app {
namespace {

PopupMenuHook& Hook()
{
    static PopupMenuHook hook;
    return hook;
}

}  // namespace

void SetPopupMenuHook(PopupMenuHook hook)
{
    Hook() = std::move(hook);
}

QAction* ExecPopupMenu(QMenu* menu, const QPoint& globalPos)
{
    if (Hook())
        return Hook()(menu);
    return menu->exec(globalPos);
}

}  // namespace app
