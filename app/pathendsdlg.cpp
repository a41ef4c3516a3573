#include "pathendsdlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "framework/ddx.h"
#include "framework/messagebox.h"

CPathEndsDlg::CPathEndsDlg(QWidget* parent) : CDialog(parent), m_editEnds(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("Path ends"));
    m_editEnds->setObjectName(QStringLiteral("IDC_PATH_ENDS"));
    m_editEnds->setMinimumWidth(240);
    auto* label = new QLabel(QStringLiteral("&First node, or first and last (\"3 7\"); empty for free ends:"), this);
    label->setBuddy(m_editEnds);
    label->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPathEndsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPathEndsDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_editEnds);
    layout->addWidget(buttons);
}

void CPathEndsDlg::OnOK()
{
    if (m_check) {
        const QString problem = m_check(m_editEnds->text());
        if (!problem.isEmpty()) {
            app::ShowMessage(problem, app::MB_OK | app::MB_ICONEXCLAMATION);
            m_editEnds->setFocus();
            return;
        }
    }
    CDialog::OnOK();
}

void CPathEndsDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, m_editEnds, m_strEnds);
}
