#include "framework/doctemplate.h"

#include <QFileInfo>

#include "framework/document.h"

CDocTemplate::CDocTemplate(const QString& docString, std::function<CDocument*()> createDocument)
    : m_docStrings(docString.split('\n')), m_createDocument(std::move(createDocument))
{
}

CDocTemplate::~CDocTemplate()
{
    // The event loop may be gone: delete now rather than later.
    const QList<CDocument*> docs = m_docs;
    CloseAllDocuments();
    for (CDocument* d : docs)
        delete d;
}

QString CDocTemplate::GetDocString(DocStringIndex index) const
{
    return index < m_docStrings.size() ? m_docStrings[index] : QString();
}

QString CDocTemplate::GetFileFilter() const
{
    QString name = GetDocString(filterName);
    QString ext = GetDocString(filterExt);
    QString filter;
    if (!name.isEmpty() && !ext.isEmpty())
        filter = name + "|*" + ext + "|";
    return filter + "All Files (*.*)|*.*||";
}

void CDocTemplate::SetDefaultTitle(CDocument* doc)
{
    doc->SetTitle(GetDocString(docName) + QString::number(m_nUntitledCount + 1));
}

CDocument* CDocTemplate::OpenDocumentFile(const QString& path)
{
    if (!path.isEmpty()) {
        const QString full = QFileInfo(path).absoluteFilePath();
        for (CDocument* d : m_docs)
            if (d->GetPathName() == full)
                return d;
    }
    CDocument* doc = m_createDocument();
    if (!doc)
        return nullptr;
    doc->SetDocTemplate(this);
    if (path.isEmpty()) {
        SetDefaultTitle(doc);
        if (!doc->OnNewDocument()) {
            delete doc;
            return nullptr;
        }
        // The number is used up only by a document that was made.
        ++m_nUntitledCount;
    } else {
        if (!doc->OnOpenDocument(path)) {
            delete doc;
            return nullptr;
        }
        doc->SetPathName(path);
    }
    AddDocument(doc);
    if (m_createFrame && !m_createFrame(doc)) {
        RemoveDocument(doc);
        delete doc;
        return nullptr;
    }
    return doc;
}

void CDocTemplate::AddDocument(CDocument* doc)
{
    if (!m_docs.contains(doc))
        m_docs.append(doc);
    doc->SetDocTemplate(this);
}

void CDocTemplate::RemoveDocument(CDocument* doc)
{
    m_docs.removeAll(doc);
}

bool CDocTemplate::SaveAllModified()
{
    const QList<CDocument*> docs = m_docs;
    for (CDocument* d : docs)
        if (!d->SaveModified())
            return false;
    return true;
}

void CDocTemplate::CloseAllDocuments()
{
    const QList<CDocument*> docs = m_docs;
    for (CDocument* d : docs) {
        d->OnCloseDocument();
    }
    m_docs.clear();
}
