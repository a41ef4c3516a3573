#include "framework/dialog.h"

#include <QApplication>

#include "framework/ddx.h"
#include "resource.h"

namespace app {
namespace {

ModalHook& Hook()
{
    static ModalHook hook;
    return hook;
}

}  // namespace

void SetModalHook(ModalHook hook)
{
    Hook() = std::move(hook);
}

int ExecModal(QDialog* dialog)
{
    if (Hook())
        return Hook()(dialog);
    return dialog->exec();
}

}  // namespace app

CDialog::CDialog(QWidget* parent)
    : QDialog(parent ? parent : QApplication::activeWindow())
{
}

int CDialog::DoModal()
{
    setResult(IDCANCEL);
    if (!OnInitDialog())
        return IDCANCEL;
    int r = app::ExecModal(this);
    // A window closed by other means than OK or Cancel counts as Cancel.
    return r == IDOK ? IDOK : IDCANCEL;
}

bool CDialog::OnInitDialog()
{
    UpdateData(false);
    return true;
}

void CDialog::DoDataExchange(CDataExchange*)
{
}

bool CDialog::UpdateData(bool save)
{
    CDataExchange dx(this, save);
    DoDataExchange(&dx);
    return !dx.m_bFailed;
}

void CDialog::OnOK()
{
    if (UpdateData(true))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::EndDialog(int result)
{
    done(result);
}
