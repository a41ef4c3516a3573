// The question a document asks: a Hamiltonian cycle (what a document asks
// when it opens) or a Hamiltonian path, with free ends, a first node, or
// both ends given. Solve answers it; the order is read and drawn as it.
#include "framework/cmdtarget.h"
#include "hcpdoc.h"
#include "pathends.h"
#include "pathendsdlg.h"
#include "resource.h"

void CHcpDoc::AddQuestionCommands()
{
    auto idle = [this](CCmdUI* ui) { ui->Enable(!IsSearching()); };
    AddCommand(ID_QUESTION_CYCLE, [this] { SetQuestion(hcp::Question::Cycle()); }, [this, idle](CCmdUI* ui) {
        idle(ui);
        ui->SetCheck(!m_question.IsPath());
    });
    AddCommand(ID_QUESTION_PATH, [this] { SetQuestion(hcp::Question::Path()); }, [this, idle](CCmdUI* ui) {
        idle(ui);
        ui->SetCheck(m_question.IsPath());
    });
    AddCommand(ID_QUESTION_PATH_ENDS, [this] { OnQuestionPathEnds(); },
               [this](CCmdUI* ui) { ui->Enable(!IsSearching() && GetNodeCount() >= 1); });
}

bool CHcpDoc::SetQuestion(const hcp::Question& q, QString* problem)
{
    if (IsSearching()) {
        RefuseWhileSearching();
        if (problem)
            *problem = QStringLiteral("a search is running");
        return false;
    }
    const std::string why = hcp::QuestionProblem(m_graph, q);
    if (!why.empty()) {
        if (problem)
            *problem = QString::fromStdString(why);
        return false;
    }
    if (q == m_question)
        return true;
    // The edges the cycle search ruled out are what no cycle can use; a
    // path may well use them.
    if (q.goal != m_question.goal)
        m_ruledOut.clear();
    m_question = q;
    // The same order now reads differently: title, gaps and the picture.
    ++m_orderRevision;
    const QString line = QString::fromStdString(app::QuestionLine(q));
    WriteLog(line);
    emit statusMessage(line);
    UpdateAllViews(nullptr, 0, nullptr);
    return true;
}

void CHcpDoc::OnQuestionPathEnds()
{
    if (IsSearching()) {
        RefuseWhileSearching();
        return;
    }
    const int n = GetNodeCount();
    CPathEndsDlg dlg;
    dlg.m_strEnds = QString::fromStdString(app::PathEndsText(m_question));
    dlg.m_check = [n](const QString& text) {
        hcp::Question q;
        const std::string problem = app::ParsePathEnds(text.toStdString(), n, q);
        return problem.empty() ? QString() : QStringLiteral("Not a path's ends: ") + QString::fromStdString(problem) + ".";
    };
    if (dlg.DoModal() != IDOK)
        return;
    hcp::Question q;
    if (app::ParsePathEnds(dlg.m_strEnds.toStdString(), n, q).empty())
        SetQuestion(q);
}
