// File name prompts with filters written in the framework's manner
// ("Tour files(*.tou)|*.tou|All files (*.*)|*.*||"). Tests install a hook
// that answers instead of a modal dialog.
#pragma once

#include <functional>

#include <QString>
#include <QStringList>

class QWidget;

namespace app {

// Turns "Name|pattern|Name|pattern||" into Qt name filters
// ("Name (pattern)"); a pattern list separated by ';' becomes blank-separated.
QStringList ConvertFileFilter(const QString& filter);

// Asks for a file to open (open = true) or a name to save under. Returns the
// chosen path, or an empty string when the user cancels. defExt ("*.TOU" or
// ".hcp") is appended to a saved name that has no extension.
QString PromptFileName(QWidget* parent, bool open, const QString& title,
                       const QString& filter, const QString& defExt,
                       const QString& initialPath = QString());

// hook (open, filter) -> path replaces the dialog; empty restores it.
using FileDialogHook = std::function<QString(bool open, const QString& filter)>;
void SetFileDialogHook(FileDialogHook hook);

}  // namespace app
