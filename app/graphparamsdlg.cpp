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
      m_spinMaxDegree(new CSpinButtonCtrl(this))
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

    auto* form = new QGridLayout;
    form->addWidget(dimensionLabel, 0, 0);
    form->addLayout(dimensionRow, 0, 1);
    form->addWidget(group, 1, 0, 1, 2);

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
    m_editDimension->setFocus();
    m_editDimension->selectAll();
    return true;
}

void CGraphParamsDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, m_editDimension, m_nDimension);
    DDV_MinMaxShort(pDX, m_nDimension, 3, 32767);
    DDX_Check(pDX, m_checkRandom, m_bRandom);
    DDX_Text(pDX, m_editMaxDegree, m_nMaxDegree);
    // The degree matters only for a random graph.
    if (m_bRandom)
        DDV_MinMaxShort(pDX, m_nMaxDegree, 0, static_cast<std::int16_t>(m_nDimension - 1));
}
