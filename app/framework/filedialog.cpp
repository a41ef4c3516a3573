#include "framework/filedialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>

#include "framework/dialog.h"

namespace app {
namespace {

FileDialogHook& Hook()
{
    static FileDialogHook hook;
    return hook;
}

// ".hcp", "*.TOU" or "TOU" -> "hcp" / "tou": the suffix QFileDialog expects.
QString PlainSuffix(const QString& defExt)
{
    QString s = defExt;
    while (s.startsWith('*') || s.startsWith('.'))
        s.remove(0, 1);
    return s.toLower();
}

}  // namespace

void SetFileDialogHook(FileDialogHook hook)
{
    Hook() = std::move(hook);
}

QStringList ConvertFileFilter(const QString& filter)
{
    QStringList result;
    const QStringList parts = filter.split('|');
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            break;
        QString name = parts[i].trimmed();
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        // A name that already shows its patterns keeps them; Qt reads the
        // patterns from the last parenthesis, so the pair is always added.
        if (name.endsWith(')') && name.contains('('))
            name = name.left(name.lastIndexOf('(')).trimmed();
        result << QStringLiteral("%1 (%2)").arg(name, patterns);
    }
    return result;
}

QString PromptFileName(QWidget* parent, bool open, const QString& title,
                       const QString& filter, const QString& defExt,
                       const QString& initialPath)
{
    if (Hook())
        return Hook()(open, filter);

    QFileDialog dlg(parent ? parent : QApplication::activeWindow(), title);
    dlg.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dlg.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dlg.setNameFilters(ConvertFileFilter(filter));
    const QString suffix = PlainSuffix(defExt);
    if (!suffix.isEmpty())
        dlg.setDefaultSuffix(suffix);
    if (!initialPath.isEmpty()) {
        QFileInfo fi(initialPath);
        if (fi.isAbsolute())
            dlg.setDirectory(fi.absolutePath());
        dlg.selectFile(fi.fileName());
    }
    if (ExecModal(&dlg) != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return QString();
    return dlg.selectedFiles().constFirst();
}

}  // namespace app
