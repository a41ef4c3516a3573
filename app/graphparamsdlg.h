// CGraphParamsDlg: the "Graph parameters" dialog that asks for the size of a
// new graph, whether it is random, and the degree argument of the random
// generator.
#pragma once

#include <cstdint>

#include "framework/dialog.h"

class QCheckBox;
class QLineEdit;
class CSpinButtonCtrl;

class CGraphParamsDlg : public CDialog {
    Q_OBJECT
public:
    explicit CGraphParamsDlg(QWidget* parent = nullptr);

    // Values, exchanged with the controls.
    std::int16_t m_nDimension = 8;
    std::int16_t m_nMaxDegree = 0;
    bool m_bRandom = true;

    // Controls (1001 dimension, 1002 its up-down, 1005 "&Random",
    // 1003 max. degree, 1004 its up-down).
    QLineEdit* m_editDimension;
    CSpinButtonCtrl* m_spinDimension;
    QCheckBox* m_checkRandom;
    QLineEdit* m_editMaxDegree;
    CSpinButtonCtrl* m_spinMaxDegree;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
};
