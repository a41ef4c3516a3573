// Modal dialogs in the framework's manner: controls are read into member
// values through data exchange, validated on OK (the dialog stays open on a
// refused value), and DoModal returns IDOK or IDCANCEL. Every modal dialog of
// the program runs through ExecModal, which tests can replace by a hook.
#pragma once

#include <functional>

#include <QDialog>

class CDataExchange;

class CDialog : public QDialog {
    Q_OBJECT
public:
    explicit CDialog(QWidget* parent = nullptr);

    // Initialises the controls from the member values, runs the dialog and
    // returns IDOK or IDCANCEL.
    int DoModal();

    // Exchanges data: save = true reads and validates the controls into the
    // members (false when a value was refused), save = false fills the
    // controls from the members.
    bool UpdateData(bool save = true);

    // The OK and Cancel buttons; OK ends the dialog only when the controls
    // validate.
    virtual void OnOK();
    virtual void OnCancel();
    void EndDialog(int result);

protected:
    // Called by DoModal before the dialog shows; the default fills the
    // controls from the members.
    virtual bool OnInitDialog();
    // Binds controls to members, one DDX_/DDV_ call per control.
    virtual void DoDataExchange(CDataExchange* pDX);

    void accept() override { OnOK(); }
    void reject() override { OnCancel(); }
};

namespace app {

// Runs a dialog modally (exec), or hands it to the installed hook, which
// plays the user's part and returns the result.
int ExecModal(QDialog* dialog);

using ModalHook = std::function<int(QDialog* dialog)>;
void SetModalHook(ModalHook hook);

}  // namespace app
