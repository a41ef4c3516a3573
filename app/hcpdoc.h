// CHcpDoc: one graph (undirected or directed) with its current cycle or
// path order, the question it asks (a Hamiltonian cycle or path), and the
// node positions the graph view draws, and the operations that change
// them: a new graph from the parameters dialog, open and save of .hcp
// files, the cycle search and the solve (on a worker thread), layouts,
// rearranging the order, removing a node's edges and moving a node. The graph is the engine's
// solver graph, so it may be as large as memory allows; the legacy classes
// are made from it only for the work that needs them. Has no widgets of its
// own.
#pragma once

#include <atomic>
#include <chrono>
#include <iosfwd>
#include <memory>
#include <optional>
#include <sstream>
#include <thread>
#include <vector>

#include <QString>

#include "boardlayout.h"
#include "core/cyclecheck.h"
#include "core/graph.h"
#include "findcycle.h"
#include "graphlayoutkind.h"
#include "graphscene.h"
#include "solve/solver.h"
#include "framework/document.h"
#include "graphparams.h"
#include "outcome.h"
#include "viewgeometry.h"

class CLogView;
class QTimer;

class CHcpDoc : public CDocument {
    Q_OBJECT
public:
    explicit CHcpDoc(QObject* parent = nullptr);
    ~CHcpDoc() override;

    // Data, in the document's order.
    GraphParams m_dlgParams;            // values the parameters dialog opens with
    CLogView* m_pLogView = nullptr;     // the registered log view, not owned
    std::vector<float> m_pX;            // node k's position at k-1; empty until
    std::vector<float> m_pY;            // the first graph view lays them out

    // Framework hooks (hcpdoc.cpp).
    bool OnNewDocument() override;
    bool Serialize(CArchive& ar) override;
    bool SaveModified() override;
    void OnCloseDocument() override;

    // The graph as read (its fixed edges and NAME included) and the cycle
    // order: 0-based node numbers, normally every node once.
    const hcp::Graph& Graph() const { return m_graph; }
    const std::vector<hcp::NodeId>& Order() const { return m_order; }
    // Replaces the graph; the order becomes 1..N, the ruled-out edges and
    // the board go, the picture is laid out anew on first use.
    void SetGraph(hcp::Graph graph);
    // Replaces the order; false (nothing changes) when a node is outside
    // 0..N-1. The caller lays it out.
    bool SetOrder(std::vector<hcp::NodeId> order);
    // The order checked on the graph as read, fixed edges included, as an
    // answer to the document's question.
    hcp::CycleCheck CheckOrder() const { return hcp::CheckOrder(m_graph, m_order, m_question); }
    // The graph's dimension N.
    int GetNodeCount() const { return static_cast<int>(m_graph.NodeCount()); }
    // Whether the legacy search (F5) and its degree-2 reduction hold the graph.
    bool FitsLegacy() const { return m_graph.NodeCount() <= kLegacyMaxNodes; }
    static constexpr hcp::NodeId kLegacyMaxNodes = 32767;

    // The question (hcpdocquestion.cpp): what Solve answers and the order
    // is read as, a Hamiltonian cycle (the default) or a path with free or
    // given ends. A document option, not part of the file: a document opens
    // asking for a cycle. SetQuestion refuses (false, the reason in
    // *problem) a question that does not fit the graph, or while a search
    // runs; a new question is written to the log and the status bar.
    const hcp::Question& GetQuestion() const { return m_question; }
    bool SetQuestion(const hcp::Question& q, QString* problem = nullptr);
    // "Path ends": asks for the ends in a dialog and sets that path question.
    void OnQuestionPathEnds();

    // Layouts (hcpdoc.cpp). EnsurePositions lays the nodes out on the
    // initial circle when there are no positions yet. LayoutCycle moves the
    // nodes to the circle in the cycle order, unless the picture is a board
    // or force layout or the user has placed nodes by hand: those keep their
    // places, so the cycle is drawn as a path through them.
    void EnsurePositions();
    void LayoutCycle();

    // The picture (hcpdoclayout.cpp). ApplyLayout lays every node out anew
    // in the given way; false, with the reason in *error, when that layout
    // cannot be made (the positions then stay as they were).
    bool ApplyLayout(app::LayoutKind kind, QString* error = nullptr);
    app::LayoutKind Layout() const { return m_layout; }
    // The board a leaper graph lives on, when the document knows it (a new
    // leaper graph, or a file whose graph is one, whatever its name).
    const std::optional<app::BoardShape>& Board() const { return m_board; }
    void SetBoard(std::optional<app::BoardShape> board) { m_board = board; }
    // The edges a search ruled out: still edges of the document's graph
    // (what Save writes), drawn apart.
    std::vector<app::NodePair> m_ruledOut;
    // What a paint needs, rebuilt when the graph, the cycle or the ruled-out
    // edges changed since the last call.
    const app::GraphScene& Scene();
    // True once a node was dragged since the last layout.
    bool m_bPlacedByHand = false;
    QString CycleTitle();

    // Edits (hcpdoc.cpp); refused while a search runs.
    // Replaces the cycle by the one in text when it names exactly n nodes, all
    // within 1..N; otherwise "Dimension error." and nothing changes.
    bool RearrangeCycle(const QString& text, int n);
    // Removes every edge of node s; the caller redraws.
    // Fixed edges at s go with them.
    bool RemoveNodeEdges(int s);
    // Moves node s to the drop point (px, py) of the graph rectangle rc.
    bool MoveNode(int s, const app::Box& rc, int px, int py);
    // Moves node s to unit coordinates (ux, uy).
    bool MoveNodeTo(int s, float ux, float uy);

    // The search (hcpdocsearch.cpp). OnFindCycle starts the legacy search on
    // a worker with a copy of the graph; when it ends, the order it reached
    // becomes the document's cycle (the graph itself is never changed), the
    // nodes are laid out in that order and a log line is written. A graph
    // beyond the legacy search, or of fewer than two nodes, gets its outcome
    // at once and starts nothing; so does a document that asks for a path
    // or holds a directed graph, which the legacy search knows nothing of:
    // its outcome says that Solve answers it.
    void OnFindCycle();
    bool IsSearching() const { return m_job != nullptr || m_solve != nullptr; }
    // The solve (hcpdocsolve.cpp): decides on a worker, with the engine's
    // default method, the document's question: whether the graph has a
    // Hamiltonian cycle, or a path. The graph stays as it is; a cycle or
    // path found becomes the order.
    void OnSolve();
    bool IsSolving() const { return m_solve != nullptr; }
    // Export (hcpdocexport.cpp). HasTour: the order is a permutation of
    // all N >= 2 nodes. ExportTour writes it as a TSPLIB tour file, whole
    // or not at all (a path's comment says it is one, with no closing
    // edge); false with a one-line reason naming the file.
    bool HasTour() const;
    bool ExportTour(const QString& path, QString* error);
    void OnExportPicture();
    void OnExportTour();
    // The outcome of the last finished search or solve, and in plain words
    // (empty when nothing ran yet).
    const std::optional<app::Outcome>& Outcome() const { return m_outcome; }
    QString LastOutcome() const;
    // Asks the running search to stop; it ends soon after with the order
    // reached so far.
    void CancelSearch();
    // Stops the search and waits for it; used before closing.
    void StopSearch();
    // Seconds since the running search started (0 when none runs).
    double SearchSeconds() const;
    // The result of the last finished run.
    const app::FindCycleResult& LastSearch() const { return m_lastSearch; }

    // Log view registration: the log lines of the search are written to
    // stream. A view releases only its own registration.
    void SetLogView(CLogView* view, std::ostream* stream);
    void ReleaseLogView(CLogView* view);
    std::ostream* GetLogStream() const { return m_pLogStream; }

signals:
    void searchStarted();
    void searchFinished();
    // One line for the log (also written to the registered log stream).
    void logLine(const QString& line);

private:
    // What the worker works on: its own copy of the graph, the stream its
    // reports go to (shown in the log when it ends), and the result.
    struct SearchJob {
        hcp::Graph graph;
        std::ostringstream report;
        app::FindCycleResult result;
    };
    void FinishSearch();
    // What a solve's worker works on: its own copy of the graph.
    struct SolveJob {
        hcp::Graph graph;
        hcp::Question question;
        std::string method;
        hcp::SolveResult result;
        std::string failure;           // an exception the engine threw
        std::atomic<int> gaps{-1};     // progress: fewest gaps so far
    };
    void FinishSolve();
    QString StatusWhileRunning() const;
    void WriteLog(const QString& line);
    void RefuseWhileSearching();

    void AddQuestionCommands();
    void DetectBoard(const QString& path);
    void GraphChanged();
    void Finish(app::Outcome outcome);

    hcp::Graph m_graph;
    std::vector<hcp::NodeId> m_order;
    hcp::Question m_question;
    std::uint64_t m_graphRevision = 0;   // counts changes of the graph
    std::uint64_t m_orderRevision = 0;   // and of the order
    QString m_title;                     // CycleTitle's, for m_titleKey
    std::uint64_t m_titleKey = ~std::uint64_t{0};
    app::LayoutKind m_layout = app::LayoutKind::Circle;
    std::optional<app::BoardShape> m_board;
    app::GraphScene m_scene;             // built from these revisions
    std::uint64_t m_sceneGraph = 0;
    std::uint64_t m_sceneOrder = 0;
    std::vector<app::NodePair> m_sceneRuledOut;
    std::ostream* m_pLogStream = nullptr;
    std::unique_ptr<SearchJob> m_job;
    std::jthread m_worker;
    QTimer* m_statusTimer;
    std::chrono::steady_clock::time_point m_searchStart;
    app::FindCycleResult m_lastSearch;
    std::unique_ptr<SolveJob> m_solve;
    std::optional<app::Outcome> m_outcome;
};
