// CRearrangeDlg: the "Rearrange cycle" dialog that takes a cycle as text
// ("{ 3 1 2 }"), typed in or read from a tour file with "&Browse".
#pragma once

#include <QString>

#include "framework/dialog.h"

class QPlainTextEdit;
class QPushButton;

class CRearrangeDlg : public CDialog {
    Q_OBJECT
public:
    explicit CRearrangeDlg(QWidget* parent = nullptr);

    QString m_strCycle;            // the cycle text, initially empty
    QPlainTextEdit* m_editCycle;   // control 1023
    QPushButton* m_buttonBrowse;   // control 3

    // "&Browse": asks for a tour file and puts its tour into the text. A
    // file that cannot be read is reported and the text stays as it was.
    void OnBrowse();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
