#include "framework/messagebox.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

#include "resource.h"

namespace app {
namespace {

MessageBoxHook& Hook()
{
    static MessageBoxHook hook;
    return hook;
}

}  // namespace

void SetMessageBoxHook(MessageBoxHook hook)
{
    Hook() = std::move(hook);
}

int ShowMessage(const QString& text, unsigned type)
{
    if (Hook())
        return Hook()(text, type);

    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QApplication::applicationName().isEmpty()
                           ? QStringLiteral("Tourvane32")
                           : QApplication::applicationName());
    box.setText(text);
    switch (type & 0xF0) {
    case MB_ICONERROR: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::Warning); break;
    }
    switch (type & 0x0F) {
    case MB_OKCANCEL:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MB_YESNOCANCEL:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    case MB_YESNO:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    default:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes: return IDYES;
    case QMessageBox::No: return IDNO;
    case QMessageBox::Cancel: return IDCANCEL;
    default: return (type & 0x0F) == MB_YESNO ? IDNO : IDOK;
    }
}

}  // namespace app
