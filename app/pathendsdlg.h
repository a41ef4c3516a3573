// CPathEndsDlg: "Path ends", where the user names the first node of the
// Hamiltonian path asked for, or its first and last ("3 7"), or nothing for
// free ends. OK with a text that names no ends of the graph says what is
// wrong and keeps the dialog open.
#pragma once

#include <QString>
#include <functional>

#include "framework/dialog.h"

class QLineEdit;

class CPathEndsDlg : public CDialog {
    Q_OBJECT
public:
    explicit CPathEndsDlg(QWidget* parent = nullptr);

    QString m_strEnds;          // the ends as typed
    QLineEdit* m_editEnds;      // control IDC_PATH_ENDS

    // Checks the text on OK: returns what is wrong, or empty to accept.
    std::function<QString(const QString&)> m_check;
    void OnOK() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
