// The document type: its type string (base name, file filter, extension),
// how to make a document and, through a hook set by the main window, its
// frame. It creates new and opened documents, numbers untitled ones
// (Tourvane1, Tourvane2, ...) and keeps the list of open documents.
#pragma once

#include <functional>

#include <QList>
#include <QString>

class CDocument;

class CDocTemplate {
public:
    // Fields of the type string, separated by '\n'.
    enum DocStringIndex {
        windowTitle, docName, fileNewName, filterName, filterExt,
        regFileTypeId, regFileTypeName
    };

    CDocTemplate(const QString& docString, std::function<CDocument*()> createDocument);
    ~CDocTemplate();

    QString GetDocString(DocStringIndex index) const;
    // "Tourvane Files (*.hcp)|*.hcp|All Files (*.*)|*.*||", for file prompts.
    QString GetFileFilter() const;

    // Builds the frame and views of a document; false when that fails (the
    // document is then discarded). Set by the main window.
    std::function<bool(CDocument*)> m_createFrame;

    // Opens path, or makes a new document when path is empty. Returns the
    // document, or null when it was cancelled or failed (nothing is left
    // behind). An already open path returns that document.
    CDocument* OpenDocumentFile(const QString& path);

    // Names an untitled document with the base name and the next number.
    void SetDefaultTitle(CDocument* doc);

    void AddDocument(CDocument* doc);
    void RemoveDocument(CDocument* doc);
    const QList<CDocument*>& GetDocuments() const { return m_docs; }

    // Asks to save every modified document; false when the user cancels.
    bool SaveAllModified();
    // Closes every document without asking.
    void CloseAllDocuments();

private:
    QStringList m_docStrings;
    std::function<CDocument*()> m_createDocument;
    QList<CDocument*> m_docs;
    int m_nUntitledCount = 0;
};
