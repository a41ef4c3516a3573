#include "graphparamsdlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "framework/ddx.h"
#include "framework/updown.h"
#include "resource.h"

CGraphParamsDlg::CGraphParamsDlg(QWidget* parent)
    : CDialog(parent),
      m_editDimension(new QLineEdit(this)),
      m_spinDimension(new CSpinButtonCtrl(this)),
      m_checkRandom(new QCheckBox(QStringLiteral("&Random"), this)),
      m_editMaxDegree(new QLineEdit(this)),
      m_spinMaxDegree(new CSpinButtonCtrl(this)),
      m_checkLeaper(new QCheckBox(QStringLiteral("&Leaper graph"), this)),
      m_editLeapA(new QLineEdit(this)),
      m_editLeapB(new QLineEdit(this)),
      m_editRows(new QLineEdit(this)),
      m_editCols(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("Graph parameters"));
    m_editDimension->setObjectName(QStringLiteral("IDC_DIMENSION"));
    m_spinDimension->setObjectName(QStringLiteral("IDC_DIMENSION_SPIN"));
    m_checkRandom->setObjectName(QStringLiteral("IDC_RANDOM"));
    m_editMaxDegree->setObjectName(QStringLiteral("IDC_MAX_DEGREE"));
    m_spinMaxDegree->setObjectName(QStringLiteral("IDC_MAX_DEGREE_SPIN"));

    auto* dimensionLabel = new QLabel(QStringLiteral("Graph Dimension"), this);
    dimensionLabel->setBuddy(m_editDimension);
    auto* degreeLabel = new QLabel(QStringLiteral("Max. degree"), this);
    degreeLabel->setBuddy(m_editMaxDegree);

    auto* dimensionRow = new QHBoxLayout;
    dimensionRow->setSpacing(0);
    dimensionRow->addWidget(m_editDimension);
    dimensionRow->addWidget(m_spinDimension);

    auto* group = new QGroupBox(this);
    auto* groupLayout = new QGridLayout(group);
    auto* degreeRow = new QHBoxLayout;
    degreeRow->setSpacing(0);
    degreeRow->addWidget(m_editMaxDegree);
    degreeRow->addWidget(m_spinMaxDegree);
    groupLayout->addWidget(m_checkRandom, 0, 0, 1, 2);
    groupLayout->addWidget(degreeLabel, 1, 0);
    groupLayout->addLayout(degreeRow, 1, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CGraphParamsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CGraphParamsDlg::reject);

    // The leaper board: a knight is the (1, 2)-leaper on 8 x 8.
    m_checkLeaper->setObjectName(QStringLiteral("IDC_LEAPER"));
    auto* leaper = new QGroupBox(this);
    auto* leaperLayout = new QGridLayout(leaper);
    leaperLayout->addWidget(m_checkLeaper, 0, 0, 1, 4);
    const std::pair<QLineEdit*, const char*> fields[] = {
        {m_editLeapA, "Leap &a"}, {m_editLeapB, "Leap &b"}, {m_editRows, "Rows &m"}, {m_editCols, "Columns &n"}};
    int k = 0;
    for (const auto& [edit, text] : fields) {
        auto* label = new QLabel(QString::fromUtf8(text), this);
        label->setBuddy(edit);
        edit->setMaximumWidth(60);
        leaperLayout->addWidget(label, 1 + k / 2, (k % 2) * 2);
        leaperLayout->addWidget(edit, 1 + k / 2, (k % 2) * 2 + 1);
        ++k;
    }
    auto enableLeaper = [this](bool on) {
        for (QLineEdit* e : {m_editLeapA, m_editLeapB, m_editRows, m_editCols})
            e->setEnabled(on);
        m_editDimension->setEnabled(!on);
        m_checkRandom->setEnabled(!on);
        m_editMaxDegree->setEnabled(!on);
    };
    connect(m_checkLeaper, &QCheckBox::toggled, this, enableLeaper);

    auto* form = new QGridLayout;
    form->addWidget(dimensionLabel, 0, 0);
    form->addLayout(dimensionRow, 0, 1);
    form->addWidget(group, 1, 0, 1, 2);
    form->addWidget(leaper, 2, 0, 1, 2);

    auto* outer = new QHBoxLayout(this);
    outer->addLayout(form, 1);
    outer->addWidget(buttons);
    buttons->setOrientation(Qt::Vertical);
}

bool CGraphParamsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // The arrows stop at 5 though 3 may be typed: small graphs are rarely
    // wanted, but allowed.
    m_spinDimension->SetRange(5, 32767);
    m_spinDimension->SetBuddy(m_editDimension);
    m_spinMaxDegree->SetRange(0, 32766);
    m_spinMaxDegree->SetBuddy(m_editMaxDegree);
    for (QLineEdit* e : {m_editLeapA, m_editLeapB, m_editRows, m_editCols})
        e->setEnabled(m_bLeaper);
    m_editDimension->setEnabled(!m_bLeaper);
    m_checkRandom->setEnabled(!m_bLeaper);
    m_editMaxDegree->setEnabled(!m_bLeaper);
    m_editDimension->setFocus();
    m_editDimension->selectAll();
    return true;
}

void CGraphParamsDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, m_checkLeaper, m_bLeaper);
    // The board's fields are read only for a leaper graph.
    if (m_bLeaper || !pDX->m_bSaveAndValidate) {
        DDX_Text(pDX, m_editLeapA, m_nLeapA);
        DDX_Text(pDX, m_editLeapB, m_nLeapB);
        DDX_Text(pDX, m_editRows, m_nRows);
        DDX_Text(pDX, m_editCols, m_nCols);
    }
    if (m_bLeaper) {
        pDX->m_pLastControl = m_editLeapA;
        DDV_MinMaxShort(pDX, m_nLeapA, 0, 1000);
        pDX->m_pLastControl = m_editLeapB;
        DDV_MinMaxShort(pDX, m_nLeapB, m_nLeapA == 0 ? 1 : 0, 1000);
        pDX->m_pLastControl = m_editRows;
        DDV_MinMaxShort(pDX, m_nRows, 1, 32767);
        pDX->m_pLastControl = m_editCols;
        DDV_MinMaxShort(pDX, m_nCols, 1, 32767);
        // Boards beyond the legacy classes are solver graphs of their own; a
        // million squares take about 100 MB and draw in a second.
        const long nodes = static_cast<long>(m_nRows) * m_nCols;
        if (!pDX->m_bFailed && pDX->m_bSaveAndValidate && (nodes < 3 || nodes > kMaxBoardSquares))
            pDX->Fail(m_editCols, QStringLiteral("The board has %1 squares; a new board has 3 to %2.")
                                      .arg(nodes)
                                      .arg(kMaxBoardSquares));
        if (pDX->m_bFailed || !pDX->m_bSaveAndValidate) {
            DDX_Text(pDX, m_editDimension, m_nDimension);
            DDX_Check(pDX, m_checkRandom, m_bRandom);
            DDX_Text(pDX, m_editMaxDegree, m_nMaxDegree);
            return;
        }
        m_nDimension = static_cast<std::int16_t>(nodes);
        DDX_Check(pDX, m_checkRandom, m_bRandom);
        return;
    }
    DDX_Text(pDX, m_editDimension, m_nDimension);
    DDV_MinMaxShort(pDX, m_nDimension, 3, 32767);
    DDX_Check(pDX, m_checkRandom, m_bRandom);
    DDX_Text(pDX, m_editMaxDegree, m_nMaxDegree);
    // The degree matters only for a random graph.
    if (m_bRandom)
        DDV_MinMaxShort(pDX, m_nMaxDegree, 0, static_cast<std::int16_t>(m_nDimension - 1));
}
