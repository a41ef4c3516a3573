#include "hcpdoc.h"

#include <cstdio>
#include <ostream>
#include <streambuf>

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTimer>

#include "cycletext.h"
#include "framework/messagebox.h"
#include "graphparamsdlg.h"
#include "layout.h"
#include "resource.h"

namespace {

// Hands what an std::ostream writes straight to a QIODevice, so the graph
// text streams into the save file without being held in memory first.
class DeviceStreamBuf : public std::streambuf {
public:
    explicit DeviceStreamBuf(QIODevice& device) : m_device(device) {}
    bool Failed() const { return m_failed; }

protected:
    int_type overflow(int_type ch) override
    {
        if (traits_type::eq_int_type(ch, traits_type::eof()))
            return traits_type::not_eof(ch);
        const char c = traits_type::to_char_type(ch);
        return xsputn(&c, 1) == 1 ? ch : traits_type::eof();
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override
    {
        if (m_failed || m_device.write(s, n) != n) {
            m_failed = true;
            return 0;
        }
        return n;
    }

private:
    QIODevice& m_device;
    bool m_failed = false;
};

}  // namespace

CHcpDoc::CHcpDoc(QObject* parent)
    : CDocument(parent), m_pCycle(std::make_unique<CCycle>(static_cast<short>(10))),
      m_statusTimer(new QTimer(this))
{
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
    m_ruledOut.clear();
    m_layout = app::LayoutKind::Circle;
    m_bPlacedByHand = false;
    m_board.reset();

    if (m_dlgParams.m_bLeaper) {
        const app::BoardShape shape{m_dlgParams.m_nLeapA, m_dlgParams.m_nLeapB, m_dlgParams.m_nRows,
                                    m_dlgParams.m_nCols};
        m_pCycle->SetDim(static_cast<short>(shape.rows * shape.cols));
        *m_pCycle = true;
        for (const auto& [u, v] : app::LeaperEdges(shape))
            m_pCycle->SetEdge(static_cast<short>(u), static_cast<short>(v));
        m_pCycle->Init(true);
        m_board = shape;
        // A new board is shown as a board, each node on its square.
        ApplyLayout(app::LayoutKind::Board);
        SetTitle(QString::fromStdString(app::LeaperFileName(shape)).section('.', 0, 0));
        SetModifiedFlag(true);
        return true;
    }

    m_pCycle->SetDim(m_dlgParams.m_nDimension);
    if (m_dlgParams.m_bRandom)
        m_pCycle->InitRandom(m_dlgParams.m_nMaxDegree);
    else
        *m_pCycle = true;
    m_pCycle->Init(true);
    m_pX.clear();
    m_pY.clear();
    SetModifiedFlag(true);
    return true;
}

bool CHcpDoc::Serialize(CArchive& ar)
{
    const QByteArray path = QFile::encodeName(ar.m_path);
    if (ar.IsLoading()) {
        // The engine leaves the graph as it was when it refuses the file.
        if (!m_pCycle->Load(path.constData())) {
            ar.m_error = QString::fromLocal8Bit(hcp::LastLoadError());
            // Say plainly why a large graph is refused: the program's own
            // limit, not a fault in the file.
            const QRegularExpressionMatch big =
                QRegularExpression(QStringLiteral("dimension (\\d+) is outside 0\\.\\.32767")).match(ar.m_error);
            if (big.hasMatch() && big.captured(1).toLongLong() > 32767)
                ar.m_error = ar.m_path + QStringLiteral(": the graph has %1 nodes; Tourvane32 holds at most 32,767")
                                             .arg(big.captured(1));
            if (ar.m_error.isEmpty())
                ar.m_error = ar.m_path + ": the file could not be read";
            return false;
        }
        m_pCycle->Init(false);
        m_pX.clear();
        m_pY.clear();
        m_ruledOut.clear();
        m_layout = app::LayoutKind::Circle;
        m_bPlacedByHand = false;
        DetectBoard(ar.m_path);
        return true;
    }

    // QSaveFile writes next to the target and renames over it only on
    // commit, when the whole graph was written, so a failed save leaves the
    // old file (and its permissions) as it was. The file holds what Store
    // would write for the target itself: its NAME line names the chosen path.
    QSaveFile file(ar.m_path);
    if (!file.open(QIODevice::WriteOnly)) {
        ar.m_error = ar.m_path + ": cannot create a file in this folder";
        return false;
    }
    bool stored = false;
    {
        DeviceStreamBuf buf(file);
        std::ostream os(&buf);
        os << "NAME: " << path.constData() << '\n';
        stored = m_pCycle->PrintOn(os);
        os.flush();
        stored = stored && !os.fail() && !buf.Failed();
    }
    // Without a commit QSaveFile drops its temporary and leaves the target.
    if (!stored || !file.commit()) {
        ar.m_error = ar.m_path + ": the file could not be written";
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

void CHcpDoc::EnsurePositions()
{
    const int n = GetNodeCount();
    if (m_pX.size() != static_cast<std::size_t>(n) || m_pY.size() != static_cast<std::size_t>(n))
        app::InitialCircleLayout(n, m_pX, m_pY);
}

void CHcpDoc::LayoutCycle(const std::list<short>& path)
{
    EnsurePositions();
    if (m_layout == app::LayoutKind::Circle && !m_bPlacedByHand)
        app::CycleCircleLayout(path, GetNodeCount(), m_pX, m_pY);
    UpdateAllViews(nullptr, 0, nullptr);
}

QString CHcpDoc::CycleTitle()
{
    const int n = GetNodeCount();
    // A cycle needs two nodes; smaller graphs show their dimension only.
    if (n < 2 || m_pCycle->m_path.size() < 2)
        return QString::fromStdString(app::DimensionTitle(n));
    return QString::fromStdString(app::CycleTitleFromString(m_pCycle->MakeString()));
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
    // A number above N would index past the positions and the pair store.
    bool inRange = true;
    for (short v : path)
        if (v > GetNodeCount())
            inRange = false;
    if (count != n || !inRange) {
        app::ShowMessage(QStringLiteral("Dimension error."), app::MB_OK | app::MB_ICONEXCLAMATION);
        return false;
    }
    m_pCycle->Restore(&path);
    LayoutCycle(m_pCycle->m_path);
    return true;
}

bool CHcpDoc::RemoveNodeEdges(short s)
{
    if (IsSearching()) {
        RefuseWhileSearching();
        return false;
    }
    const int n = GetNodeCount();
    if (s < 1 || s > n)
        return false;
    for (int i = 1; i <= n; ++i)
        if (i != s)
            m_pCycle->DelEdge(static_cast<short>(i), s);
    return true;
}

bool CHcpDoc::MoveNodeTo(short s, float ux, float uy)
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

bool CHcpDoc::MoveNode(short s, const app::Box& rc, int px, int py)
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
