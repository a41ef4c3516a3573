// CRearrangeDlg: the "Rearrange cycle" dialog that takes a cycle as text
// ("{ 3 1 2 }"), typed in or read from a tour file with "&Browse". It opens
// with the current order; OK with a text that is no cycle of the graph says
// what is wrong and keeps the dialog open with the text as typed.
#pragma once

#include <QString>
#include <functional>

#include "framework/dialog.h"

class QPlainTextEdit;
class QPushButton;

class CRearrangeDlg : public CDialog {
    Q_OBJECT
public:
    explicit CRearrangeDlg(QWidget* parent = nullptr);

    QString m_strCycle;            // the cycle text, initially empty
    bool m_bPathTour = false;      // the text came from a tour file that says it is a path
    QPlainTextEdit* m_editCycle;   // control 1023
    QPushButton* m_buttonBrowse;   // control 3

    // "&Browse": asks for a tour file (.tour or .tou) and puts its tour
    // into the text. A file that cannot be read is reported and the text
    // stays as it was.
    void OnBrowse();

    // Checks the text on OK: returns what is wrong, or empty to accept.
    std::function<QString(const QString&)> m_check;
    void OnOK() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
