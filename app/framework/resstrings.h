// The program's string table: texts by resource id (prompts with their tool
// tips after '\n', the document type string, fonts, framework messages).
#pragma once

#include <QString>

namespace app {

// The string of id, or an empty string when there is none.
QString LoadResString(int id);
// The status-bar prompt (before '\n') and the tool tip (after it) of a command.
QString CommandPrompt(int id);
QString CommandTip(int id);

}  // namespace app
