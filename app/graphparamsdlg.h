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

    // The most squares a new leaper board may have.
    static constexpr long kMaxBoardSquares = 4000000;

    // Values, exchanged with the controls.
    std::int16_t m_nDimension = 8;
    std::int16_t m_nMaxDegree = 0;
    bool m_bRandom = true;
    // A leaper graph: moves of a squares one way and b the other on an
    // m x n board (m * n nodes; the dimension is then ignored).
    bool m_bLeaper = false;
    std::int16_t m_nLeapA = 1;
    std::int16_t m_nLeapB = 2;
    std::int16_t m_nRows = 8;
    std::int16_t m_nCols = 8;

    // Controls (1001 dimension, 1002 its up-down, 1005 "&Random",
    // 1003 max. degree, 1004 its up-down).
    QLineEdit* m_editDimension;
    CSpinButtonCtrl* m_spinDimension;
    QCheckBox* m_checkRandom;
    QLineEdit* m_editMaxDegree;
    CSpinButtonCtrl* m_spinMaxDegree;
    QCheckBox* m_checkLeaper;
    QLineEdit* m_editLeapA;
    QLineEdit* m_editLeapB;
    QLineEdit* m_editRows;
    QLineEdit* m_editCols;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
};
