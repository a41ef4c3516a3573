// Taking things out of a document: the picture (PNG or SVG) and the cycle
// or path as a TSPLIB tour.
#include <QFile>
#include <QFileInfo>

#include <exception>
#include <vector>

#include "framework/filedialog.h"
#include "framework/messagebox.h"
#include "hcpdoc.h"
#include "picture.h"
#include "io/tourfile.h"

bool CHcpDoc::HasTour() const
{
    return GetNodeCount() >= 2 && m_order.size() == m_graph.NodeCount() && CheckOrder().permutation;
}

void CHcpDoc::OnExportPicture()
{
    const QString path = app::PromptFileName(
        nullptr, false, QStringLiteral("Export picture"),
        QStringLiteral("PNG picture (*.png)|*.png|SVG picture (*.svg)|*.svg||"), QStringLiteral(".png"));
    if (path.isEmpty())
        return;
    QString error;
    if (!app::IsPictureFile(path) || path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) {
        app::ShowMessage(path + QStringLiteral(": pictures are written as .png or .svg (PDF: File, Print)"),
                         app::MB_OK | app::MB_ICONEXCLAMATION);
        return;
    }
    if (!app::ExportPicture(*this, path, &error)) {
        app::ShowMessage(error, app::MB_OK | app::MB_ICONEXCLAMATION);
        return;
    }
    emit statusMessage(QStringLiteral("Picture written to ") + path);
}

bool CHcpDoc::ExportTour(const QString& path, QString* error)
{
    if (!HasTour()) {
        if (error)
            *error = path + (m_question.IsPath() ? QStringLiteral(": there is no path to write")
                                                 : QStringLiteral(": there is no cycle to write"));
        return false;
    }
    // The engine's TOUR module writes it, as hcpsolve does: the same
    // layout, and a temporary file renamed into place, so a failed export
    // never leaves half a tour where an older one was.
    hcp::TourInfo info;
    info.name = QFileInfo(GetPathName().isEmpty() ? GetTitle() : GetPathName()).fileName().toStdString();
    // A path's comment says so: no closing edge is implied.
    info.comment = hcp::TourComment(CheckOrder().gaps, m_question.goal);
    try {
        hcp::WriteTour(QFile::encodeName(path).toStdString(), m_order, info);
    } catch (const std::exception& e) {
        if (error)
            *error = QString::fromStdString(e.what());
        return false;
    }
    return true;
}

void CHcpDoc::OnExportTour()
{
    const QString path = app::PromptFileName(nullptr, false, QStringLiteral("Export tour"),
                                             QStringLiteral("Tour files (*.tour)|*.tour|All files (*.*)|*.*||"),
                                             QStringLiteral(".tour"));
    if (path.isEmpty())
        return;
    QString error;
    if (!ExportTour(path, &error)) {
        app::ShowMessage(error, app::MB_OK | app::MB_ICONEXCLAMATION);
        return;
    }
    emit statusMessage(QStringLiteral("Tour written to ") + path);
}
