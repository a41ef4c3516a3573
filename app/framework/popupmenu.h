// Pop-up menus shown at a point and waited for; tests install a hook that
// picks an item (or none) instead.
#pragma once

#include <functional>

class QAction;
class QMenu;
class QPoint;

namespace app {

// Shows menu at the global point and returns the chosen action, or null.
QAction* ExecPopupMenu(QMenu* menu, const QPoint& globalPos);

using PopupMenuHook = std::function<QAction*(QMenu* menu)>;
void SetPopupMenuHook(PopupMenuHook hook);

}  // namespace app
