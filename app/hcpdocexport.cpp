// Taking things out of a document: the picture (PNG or SVG) and the cycle
// as a TSPLIB tour.
#include <QFileInfo>
#include <QSaveFile>

#include "framework/filedialog.h"
#include "framework/messagebox.h"
#include "hcpdoc.h"
#include "picture.h"
#include "tourexport.h"

namespace {


}  // namespace

bool CHcpDoc::HasTour() const
{
    return GetNodeCount() >= 2 && m_pCycle->m_path.size() == static_cast<std::size_t>(GetNodeCount())
        && m_pCycle->IsPermutation(m_pCycle->m_path);
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
            *error = path + QStringLiteral(": there is no cycle to write");
        return false;
    }
    const std::string text = app::TourFileText((QFileInfo(path).fileName()).toStdString(), GetNodeCount(),
                                               m_pCycle->m_path, m_pCycle->CalcPathLen());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size())
        || !file.commit()) {
        if (error)
            *error = path + QStringLiteral(": the file could not be written (") + file.errorString() + ")";
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
