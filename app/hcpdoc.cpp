#include "hcpdoc.h"

#include <exception>
#include <list>
#include <numeric>
#include <ostream>

#include <QFile>
#include <QTimer>

#include "core/leapergraph.h"
#include "cycle/cycle.h"
#include "cycletext.h"
#include "framework/messagebox.h"
#include "graphparamsdlg.h"
#include "io/graphfile.h"
#include "io/hcpsave.h"
#include "layout.h"
#include "resource.h"

CHcpDoc::CHcpDoc(QObject* parent)
    : CDocument(parent), m_statusTimer(new QTimer(this))
{
    // A new document holds ten nodes and no edges until a graph is made or read.
    SetGraph(hcp::Graph::FromEdges(10, {}));
    m_statusTimer->setInterval(250);
    connect(m_statusTimer, &QTimer::timeout, this, [this] { emit statusMessage(StatusWhileRunning()); });
    AddCommand(ID_FIND_CYCLE, [this] { OnFindCycle(); },
               [this](CCmdUI* ui) { ui->Enable(!IsSearching() && GetNodeCount() >= 2); });
    AddCommand(ID_SOLVE, [this] { OnSolve(); },
               [this](CCmdUI* ui) { ui->Enable(!IsSearching() && GetNodeCount() >= 1); });
    AddCommand(ID_FILE_EXPORT_PICTURE, [this] { OnExportPicture(); },
               [this](CCmdUI* ui) { ui->Enable(!IsSearching()); });
    AddCommand(ID_FILE_EXPORT_TOUR, [this] { OnExportTour(); },
               [this](CCmdUI* ui) { ui->Enable(!IsSearching() && HasTour()); });
    AddCommand(ID_CANCEL_SEARCH, [this] { CancelSearch(); },
               [this](CCmdUI* ui) { ui->Enable(IsSearching()); });
    AddQuestionCommands();
}

CHcpDoc::~CHcpDoc()
{
    // The worker uses the job; it must end before the members go.
    if (m_worker.joinable()) {
        m_worker.request_stop();
        m_worker.join();
    }
}

bool CHcpDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return false;
    CGraphParamsDlg dlg;
    dlg.m_nDimension = m_dlgParams.m_nDimension;
    dlg.m_nMaxDegree = m_dlgParams.m_nMaxDegree;
    dlg.m_bRandom = m_dlgParams.m_bRandom;
    dlg.m_bLeaper = m_dlgParams.m_bLeaper;
    dlg.m_nLeapA = m_dlgParams.m_nLeapA;
    dlg.m_nLeapB = m_dlgParams.m_nLeapB;
    dlg.m_nRows = m_dlgParams.m_nRows;
    dlg.m_nCols = m_dlgParams.m_nCols;
    if (dlg.DoModal() != IDOK)
        return false;
    m_dlgParams.m_nDimension = dlg.m_nDimension;
    m_dlgParams.m_nMaxDegree = dlg.m_nMaxDegree;
    m_dlgParams.m_bRandom = dlg.m_bRandom;
    m_dlgParams.m_bLeaper = dlg.m_bLeaper;
    m_dlgParams.m_nLeapA = dlg.m_nLeapA;
    m_dlgParams.m_nLeapB = dlg.m_nLeapB;
    m_dlgParams.m_nRows = dlg.m_nRows;
    m_dlgParams.m_nCols = dlg.m_nCols;
    if (m_dlgParams.m_bLeaper) {
        const app::BoardShape shape{m_dlgParams.m_nLeapA, m_dlgParams.m_nLeapB, m_dlgParams.m_nRows,
                                    m_dlgParams.m_nCols};
        SetGraph(hcp::LeaperGraph(shape.a, shape.b, shape.rows, shape.cols));
        m_board = shape;
        // A new board is shown as a board, each node on its square.
        ApplyLayout(app::LayoutKind::Board);
        SetTitle(QString::fromStdString(app::LeaperFileName(shape)).section('.', 0, 0));
        SetModifiedFlag(true);
        return true;
    }

    // The random graph and its shuffled order are the legacy generator's.
    CCycle legacy(m_dlgParams.m_nDimension);
    if (m_dlgParams.m_bRandom)
        legacy.InitRandom(m_dlgParams.m_nMaxDegree);
    else
        legacy = true;
    legacy.Init(true);
    SetGraph(hcp::Graph::FromBitGraph(legacy));
    std::vector<hcp::NodeId> order;
    order.reserve(legacy.m_path.size());
    for (short v : legacy.m_path)
        order.push_back(static_cast<hcp::NodeId>(v - 1));
    SetOrder(std::move(order));
    SetModifiedFlag(true);
    return true;
}

bool CHcpDoc::Serialize(CArchive& ar)
{
    const std::string path = QFile::encodeName(ar.m_path).toStdString();
    if (ar.IsLoading()) {
        // The engine's strict reader: a refused file yields nothing, and the
        // graph stays as it was.
        hcp::Graph graph;
        try {
            graph = hcp::ReadGraph(path);
        } catch (const std::bad_alloc&) {
            ar.m_error = ar.m_path + QStringLiteral(": the graph does not fit in memory");
            return false;
        } catch (const std::exception& e) {
            ar.m_error = QString::fromLocal8Bit(e.what());
            return false;
        }
        SetGraph(std::move(graph));
        DetectBoard(ar.m_path);
        return true;
    }
    // The engine's HCP writer, through its atomic save: the old file stays
    // as it was unless the whole graph was written, and only a regular file
    // is replaced. The NAME line names the chosen path, as the legacy Store
    // does. A directed graph is written as TYPE: DHCP, its arcs as arcs.
    hcp::HcpWriteInfo info;
    info.name = path;
    try {
        hcp::SaveHcp(path, m_graph, info);
    } catch (const std::exception& e) {
        ar.m_error = QString::fromLocal8Bit(e.what());
        return false;
    }
    return true;
}

bool CHcpDoc::SaveModified()
{
    // A running search may still change the graph; finish it first.
    StopSearch();
    return CDocument::SaveModified();
}

void CHcpDoc::OnCloseDocument()
{
    StopSearch();
    CDocument::OnCloseDocument();
}

void CHcpDoc::SetGraph(hcp::Graph graph)
{
    m_graph = std::move(graph);
    m_order.resize(m_graph.NodeCount());
    std::iota(m_order.begin(), m_order.end(), hcp::NodeId{0});
    m_pX.clear();
    m_pY.clear();
    m_ruledOut.clear();
    m_layout = app::LayoutKind::Circle;
    m_bPlacedByHand = false;
    m_board.reset();
    // The question stays, unless its ends are no nodes of the new graph.
    if (!hcp::QuestionProblem(m_graph, m_question).empty())
        m_question = hcp::Question::Path();
    ++m_graphRevision;
    ++m_orderRevision;
}

bool CHcpDoc::SetOrder(std::vector<hcp::NodeId> order)
{
    for (hcp::NodeId v : order)
        if (v >= m_graph.NodeCount())
            return false;
    m_order = std::move(order);
    ++m_orderRevision;
    return true;
}

void CHcpDoc::GraphChanged()
{
    ++m_graphRevision;
}

void CHcpDoc::EnsurePositions()
{
    const int n = GetNodeCount();
    if (m_pX.size() != static_cast<std::size_t>(n) || m_pY.size() != static_cast<std::size_t>(n))
        app::InitialCircleLayout(n, m_pX, m_pY);
}

void CHcpDoc::LayoutCycle()
{
    EnsurePositions();
    if (m_layout == app::LayoutKind::Circle && !m_bPlacedByHand)
        app::CycleCircleLayout(m_order, GetNodeCount(), m_pX, m_pY);
    UpdateAllViews(nullptr, 0, nullptr);
}

QString CHcpDoc::CycleTitle()
{
    // Wider than any screen or page; a million-node title is never built whole.
    constexpr std::size_t kTitleLength = 4096;
    const std::uint64_t key = m_graphRevision * 0x9E3779B97F4A7C15ull ^ m_orderRevision;
    if (key == m_titleKey)
        return m_title;
    const int n = GetNodeCount();
    // A cycle needs two nodes; smaller graphs show their dimension only.
    if (n < 2 || m_order.size() < 2)
        m_title = QString::fromStdString(app::DimensionTitle(n));
    else if (m_question.IsPath())
        m_title = QString::fromStdString(app::PathTitle(m_graph, m_order, CheckOrder().gaps, kTitleLength));
    else
        m_title = QString::fromStdString(app::CycleTitle(m_graph, m_order, CheckOrder().gaps, kTitleLength));
    m_titleKey = key;
    return m_title;
}

QString CHcpDoc::LastOutcome() const
{
    return m_outcome ? QString::fromStdString(app::OutcomeText(*m_outcome)) : QString();
}

void CHcpDoc::RefuseWhileSearching()
{
    emit statusMessage(QStringLiteral("A search is running; cancel it (Esc) to edit the graph."));
}

bool CHcpDoc::RearrangeCycle(const QString& text, int n)
{
    if (IsSearching()) {
        RefuseWhileSearching();
        return false;
    }
    std::list<short> path;
    const int count = app::ParseCycleText(text.toStdString(), path);
    // A number above N would index past the positions.
    bool inRange = true;
    for (short v : path)
        if (v > GetNodeCount())
            inRange = false;
    if (count != n || !inRange) {
        app::ShowMessage(QStringLiteral("Dimension error."), app::MB_OK | app::MB_ICONEXCLAMATION);
        return false;
    }
    std::vector<hcp::NodeId> order;
    order.reserve(path.size());
    for (short v : path)
        order.push_back(static_cast<hcp::NodeId>(v - 1));
    SetOrder(std::move(order));
    LayoutCycle();
    return true;
}

bool CHcpDoc::RemoveNodeEdges(int s)
{
    if (IsSearching()) {
        RefuseWhileSearching();
        return false;
    }
    const int n = GetNodeCount();
    if (s < 1 || s > n)
        return false;
    // In a directed graph the arcs into s and out of it go.
    const hcp::NodeId gone = static_cast<hcp::NodeId>(s - 1);
    auto touches = [gone](const hcp::Edge& e) { return e.first == gone || e.second == gone; };
    std::vector<hcp::Edge> edges = m_graph.Edges();
    std::erase_if(edges, touches);
    std::vector<hcp::Edge> fixed = m_graph.FixedEdges();
    std::erase_if(fixed, touches);
    hcp::Graph g = m_graph.Directed() ? hcp::Graph::FromArcs(m_graph.NodeCount(), edges)
                                      : hcp::Graph::FromEdges(m_graph.NodeCount(), edges);
    g.SetFixedEdges(std::move(fixed));
    g.SetName(m_graph.Name());
    m_graph = std::move(g);
    GraphChanged();
    return true;
}

bool CHcpDoc::MoveNodeTo(int s, float ux, float uy)
{
    if (IsSearching()) {
        RefuseWhileSearching();
        return false;
    }
    if (s < 1 || static_cast<std::size_t>(s) > m_pX.size() || static_cast<std::size_t>(s) > m_pY.size())
        return false;
    m_pX[s - 1] = ux;
    m_pY[s - 1] = uy;
    m_bPlacedByHand = true;
    return true;
}

bool CHcpDoc::MoveNode(int s, const app::Box& rc, int px, int py)
{
    if (IsSearching()) {
        RefuseWhileSearching();
        return false;
    }
    if (s < 1 || static_cast<std::size_t>(s) > m_pX.size() || static_cast<std::size_t>(s) > m_pY.size())
        return false;
    app::DropToUnit(rc, px, py, m_pX[s - 1], m_pY[s - 1]);
    m_bPlacedByHand = true;
    return true;
}

void CHcpDoc::SetLogView(CLogView* view, std::ostream* stream)
{
    m_pLogView = view;
    m_pLogStream = stream;
}

void CHcpDoc::ReleaseLogView(CLogView* view)
{
    if (m_pLogView != view)
        return;
    m_pLogView = nullptr;
    m_pLogStream = nullptr;
}
