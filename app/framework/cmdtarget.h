// Numeric command routing. Menu items, toolbar buttons and accelerators carry
// a command id; the frame hands each id along a chain of command targets
// (active view, its document, the frame, the application) until one handles
// it. A target may also answer an update query that enables or checks the
// item; an item that no target handles is disabled.
#pragma once

#include <functional>
#include <map>
#include <vector>

class QAction;

// The state of one command's user-interface items, filled by update handlers.
class CCmdUI {
public:
    explicit CCmdUI(int id) : m_nID(id) {}
    void Enable(bool on = true) { m_bEnabled = on; }
    void SetCheck(bool on = true) { m_bCheckable = true; m_bChecked = on; }

    int m_nID;
    bool m_bEnabled = false;    // stays false when no target handles the id
    bool m_bCheckable = false;  // an update handler gave a check state
    bool m_bChecked = false;
    bool m_bHandled = false;    // some target in the chain knows the id
};

// A receiver of numeric commands with an optional update handler per command.
class CCmdTarget {
public:
    using Handler = std::function<void()>;
    using UpdateHandler = std::function<void(CCmdUI*)>;

    virtual ~CCmdTarget() = default;

    // With ui null: runs the handler of id. With ui set: lets the update
    // handler fill ui (a command with no update handler is enabled).
    // Returns true when this target handles id; then routing stops.
    virtual bool OnCmdMsg(int id, CCmdUI* ui);

    // True when this target itself has a handler for id.
    bool HasCommand(int id) const { return m_commandMap.count(id) != 0; }

protected:
    // Registers (or replaces) the handler of a command.
    void AddCommand(int id, Handler handler, UpdateHandler update = {});
    void RemoveCommand(int id) { m_commandMap.erase(id); }

private:
    struct Entry {
        Handler handler;
        UpdateHandler update;
    };
    std::map<int, Entry> m_commandMap;
};

namespace app {

// Runs command id on the first target of chain that handles it (null entries
// are skipped). Returns false when none does, or when the first target that
// knows the command reports it disabled.
bool RouteCommand(const std::vector<CCmdTarget*>& chain, int id);

// The enabled and check state of command id along chain.
CCmdUI UpdateCommand(const std::vector<CCmdTarget*>& chain, int id);

// Copies an update result onto an action (enabled, checkable, checked).
void ApplyCommandUI(const CCmdUI& ui, QAction* action);

// The command id an action carries (stored in QAction::data), 0 when none.
int CommandId(const QAction* action);
void SetCommandId(QAction* action, int id);

}  // namespace app
