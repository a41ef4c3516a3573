#include "framework/document.h"

#include <QFileInfo>
#include <QMdiSubWindow>

#include "framework/doctemplate.h"
#include "framework/filedialog.h"
#include "framework/messagebox.h"
#include "framework/view.h"
#include "resource.h"

CDocument::CDocument(QObject* parent)
    : QObject(parent)
{
    AddCommand(ID_FILE_SAVE, [this] { OnFileSave(); });
    AddCommand(ID_FILE_SAVE_AS, [this] { OnFileSaveAs(); });
    AddCommand(ID_FILE_CLOSE, [this] {
        if (SaveModified())
            OnCloseDocument();
    });
}

CDocument::~CDocument()
{
    const QList<CView*> views = m_views;
    for (CView* v : views)
        v->SetDocument(nullptr);
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetPathName(const QString& path)
{
    m_strPathName = QFileInfo(path).absoluteFilePath();
    SetTitle(QFileInfo(path).fileName());
    emit pathNameChanged(m_strPathName);
}

void CDocument::SetTitle(const QString& title)
{
    if (title == m_strTitle)
        return;
    m_strTitle = title;
    emit titleChanged(m_strTitle);
}

void CDocument::SetModifiedFlag(bool modified)
{
    if (modified == m_bModified)
        return;
    m_bModified = modified;
    emit modifiedChanged(m_bModified);
}

void CDocument::AddView(CView* view)
{
    if (!m_views.contains(view))
        m_views.append(view);
}

void CDocument::RemoveView(CView* view)
{
    m_views.removeAll(view);
}

void CDocument::UpdateAllViews(CView* sender, long hint, QObject* hintObject)
{
    // Copy: a view may detach itself while it updates.
    const QList<CView*> views = m_views;
    for (CView* v : views)
        if (v != sender)
            v->OnUpdate(sender, hint, hintObject);
}

bool CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.clear();
    SetModifiedFlag(false);
    return true;
}

namespace {

// Shows the framework's failure text with the reason the archive gave, and
// answers false for the caller to return.
bool ReportArchiveFailure(QString text, const CArchive& ar)
{
    if (!ar.m_error.isEmpty())
        text += '\n' + ar.m_error;
    app::ShowMessage(text);
    return false;
}

}  // namespace

bool CDocument::OnOpenDocument(const QString& path)
{
    QFileInfo fi(path);
    if (!fi.exists() || !fi.isFile()) {
        app::ShowMessage(QStringLiteral("%1\nCannot find this file.\n"
                                        "Please verify that the correct path and file name are given.")
                             .arg(path));
        return false;
    }
    CArchive ar{CArchive::load, fi.absoluteFilePath(), QString()};
    if (!Serialize(ar))
        return ReportArchiveFailure(QStringLiteral("Failed to open document."), ar);
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OnSaveDocument(const QString& path)
{
    CArchive ar{CArchive::store, QFileInfo(path).absoluteFilePath(), QString()};
    if (!Serialize(ar))
        return ReportArchiveFailure(QStringLiteral("Failed to save document."), ar);
    SetModifiedFlag(false);
    return true;
}

bool CDocument::Serialize(CArchive&)
{
    return true;
}

bool CDocument::SaveModified()
{
    if (!IsModified())
        return true;
    QString name = m_strPathName.isEmpty() ? m_strTitle : QFileInfo(m_strPathName).fileName();
    switch (app::ShowMessage(QStringLiteral("Save changes to %1?").arg(name),
                             app::MB_YESNOCANCEL | app::MB_ICONEXCLAMATION)) {
    case IDYES:
        return DoFileSave();
    case IDNO:
        return true;
    default:
        return false;
    }
}

namespace {

// The document window a view lives in: its MDI child, or its top-level window.
const QWidget* FrameOf(const QWidget* w)
{
    for (const QWidget* p = w; p; p = p->parentWidget())
        if (qobject_cast<const QMdiSubWindow*>(p) || p->isWindow())
            return p;
    return nullptr;
}

}  // namespace

bool CDocument::CanCloseFrame(CView* closingView)
{
    // Another window still shows the document: closing this one loses nothing.
    const QWidget* frame = closingView ? FrameOf(closingView) : nullptr;
    for (CView* v : m_views)
        if (frame && FrameOf(v) != frame)
            return true;
    return SaveModified();
}

void CDocument::OnCloseDocument()
{
    if (m_bClosing)
        return;
    m_bClosing = true;
    emit closing();
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
    m_pDocTemplate = nullptr;
    deleteLater();
}

bool CDocument::DoSave(const QString& path, bool replace)
{
    QString target = path;
    if (target.isEmpty()) {
        QString filter = m_pDocTemplate ? m_pDocTemplate->GetFileFilter()
                                        : QStringLiteral("All Files (*.*)|*.*||");
        QString ext = m_pDocTemplate ? m_pDocTemplate->GetDocString(CDocTemplate::filterExt)
                                     : QString();
        QString initial = m_strPathName.isEmpty() ? m_strTitle : m_strPathName;
        target = app::PromptFileName(nullptr, false, QStringLiteral("Save As"), filter, ext, initial);
        if (target.isEmpty())
            return false;
    }
    if (!OnSaveDocument(target))
        return false;
    if (replace)
        SetPathName(target);
    return true;
}

bool CDocument::DoFileSave()
{
    // A read-only file is saved under a new name.
    const QFileInfo fi(m_strPathName);
    if (m_strPathName.isEmpty() || (fi.exists() && !fi.isWritable()))
        return DoSave(QString());
    return DoSave(m_strPathName);
}
