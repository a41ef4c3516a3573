#include "framework/cmdtarget.h"

#include <QAction>
#include <QVariant>

bool CCmdTarget::OnCmdMsg(int id, CCmdUI* ui)
{
    auto it = m_commandMap.find(id);
    if (it == m_commandMap.end())
        return false;
    if (ui) {
        ui->m_bHandled = true;
        ui->m_bEnabled = true;
        if (it->second.update)
            it->second.update(ui);
        return true;
    }
    // Copy first: the handler may replace or remove its own entry.
    Handler h = it->second.handler;
    if (h)
        h();
    return true;
}

void CCmdTarget::AddCommand(int id, Handler handler, UpdateHandler update)
{
    m_commandMap[id] = Entry{std::move(handler), std::move(update)};
}

namespace app {

bool RouteCommand(const std::vector<CCmdTarget*>& chain, int id)
{
    // A disabled command must not run even when its handler is reached by
    // an accelerator that the menu state did not stop.
    CCmdUI ui = UpdateCommand(chain, id);
    if (!ui.m_bHandled || !ui.m_bEnabled)
        return false;
    for (CCmdTarget* t : chain)
        if (t && t->OnCmdMsg(id, nullptr))
            return true;
    return false;
}

CCmdUI UpdateCommand(const std::vector<CCmdTarget*>& chain, int id)
{
    CCmdUI ui(id);
    for (CCmdTarget* t : chain)
        if (t && t->OnCmdMsg(id, &ui))
            return ui;
    ui.m_bEnabled = false;
    return ui;
}

void ApplyCommandUI(const CCmdUI& ui, QAction* action)
{
    action->setEnabled(ui.m_bEnabled);
    if (ui.m_bCheckable) {
        action->setCheckable(true);
        action->setChecked(ui.m_bChecked);
    }
}

int CommandId(const QAction* action)
{
    return action ? action->data().toInt() : 0;
}

void SetCommandId(QAction* action, int id)
{
    action->setData(id);
}

}  // namespace app
