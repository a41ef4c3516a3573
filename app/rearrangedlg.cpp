#include "rearrangedlg.h"

#include <string>

#include <QDialogButtonBox>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>

#include "framework/ddx.h"
#include "framework/filedialog.h"
#include "framework/messagebox.h"
#include "tourfile.h"

CRearrangeDlg::CRearrangeDlg(QWidget* parent)
    : CDialog(parent),
      m_editCycle(new QPlainTextEdit(this)),
      m_buttonBrowse(new QPushButton(QStringLiteral("&Browse"), this))
{
    setWindowTitle(QStringLiteral("Rearrange cycle"));
    m_editCycle->setObjectName(QStringLiteral("IDC_CYCLE_TEXT"));
    m_buttonBrowse->setObjectName(QStringLiteral("IDC_BROWSE"));
    m_editCycle->setTabChangesFocus(true);
    m_editCycle->setMinimumWidth(480);
    m_editCycle->setFixedHeight(m_editCycle->fontMetrics().lineSpacing() * 4 + 12);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel,
                                         Qt::Vertical, this);
    buttons->addButton(m_buttonBrowse, QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CRearrangeDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CRearrangeDlg::reject);
    connect(m_buttonBrowse, &QPushButton::clicked, this, &CRearrangeDlg::OnBrowse);

    auto* label = new QLabel(QStringLiteral("&Cycle: every node once, in order, as { 3 1 2 }, "
                                            "or Browse for a tour file"),
                             this);
    label->setBuddy(m_editCycle);
    label->setWordWrap(true);
    auto* left = new QVBoxLayout;
    left->addWidget(label);
    left->addWidget(m_editCycle, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addWidget(buttons);
}

void CRearrangeDlg::OnOK()
{
    if (m_check) {
        const QString problem = m_check(m_editCycle->toPlainText());
        if (!problem.isEmpty()) {
            app::ShowMessage(problem, app::MB_OK | app::MB_ICONEXCLAMATION);
            m_editCycle->setFocus();
            return;
        }
    }
    CDialog::OnOK();
}

void CRearrangeDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, m_editCycle, m_strCycle);
}

void CRearrangeDlg::OnBrowse()
{
    const QString path = app::PromptFileName(
        this, true, QStringLiteral("Open"),
        QStringLiteral("Tour files (*.tour *.tou)|*.tour;*.tou|All files (*.*)|*.*||"), QStringLiteral("*.TOU"));
    if (path.isEmpty())
        return;
    std::string text;
    std::string error;
    bool isPath = false;
    if (!app::ReadTourFile(QFile::encodeName(path).toStdString(), text, &error, &isPath)) {
        app::ShowMessage(QString::fromLocal8Bit(error.c_str()), app::MB_OK | app::MB_ICONEXCLAMATION);
        return;
    }
    m_bPathTour = isPath;
    m_strCycle = QString::fromStdString(text);
    m_editCycle->setPlainText(m_strCycle);
}
