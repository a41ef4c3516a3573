// The document base: one open file (or one new, untitled graph) with its
// path, title, modified flag and the views that show it. Loading and saving
// go through Serialize with an archive that names the chosen file; failures
// are reported with the framework's messages and lose nothing.
#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include "framework/cmdtarget.h"

class CView;
class CDocTemplate;

// What Serialize is asked to do: load from or store to the file at m_path.
// On failure Serialize returns false and may leave a one-line reason.
struct CArchive {
    enum Mode { load, store };
    Mode m_mode;
    QString m_path;       // full path of the file chosen by the user
    QString m_error;      // reason of a failure, shown under the message

    bool IsLoading() const { return m_mode == load; }
    bool IsStoring() const { return m_mode == store; }
};

class CDocument : public QObject, public CCmdTarget {
    Q_OBJECT
public:
    explicit CDocument(QObject* parent = nullptr);
    ~CDocument() override;

    // Path and title. Setting the path names the document after the file.
    const QString& GetPathName() const { return m_strPathName; }
    void SetPathName(const QString& path);
    const QString& GetTitle() const { return m_strTitle; }
    void SetTitle(const QString& title);

    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true);

    // Views: attached by CView::SetDocument, detached by the view's destructor.
    void AddView(CView* view);
    void RemoveView(CView* view);
    const QList<CView*>& GetViews() const { return m_views; }
    // Calls OnUpdate of every view but sender.
    void UpdateAllViews(CView* sender, long hint = 0, QObject* hintObject = nullptr);

    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    void SetDocTemplate(CDocTemplate* t) { m_pDocTemplate = t; }

    // Framework hooks. OnNewDocument fails to discard the document silently.
    virtual bool OnNewDocument();
    // Open: "Failed to open document." (or the file-not-found message) on
    // failure, and the document is not used.
    virtual bool OnOpenDocument(const QString& path);
    // Save: "Failed to save document." on failure; the document stays modified.
    virtual bool OnSaveDocument(const QString& path);
    // Reads or writes the contents; false on failure.
    virtual bool Serialize(CArchive& ar);
    // Empties the contents before new or open.
    virtual void DeleteContents() {}

    // Asks "Save changes to %1?" when modified; false when the user cancels
    // or the save fails.
    virtual bool SaveModified();
    // Whether a frame of this document may close now (asks via SaveModified
    // when it is the document's last view).
    virtual bool CanCloseFrame(CView* closingView);
    // Ends the document: tells the frames to go (signal closing), leaves the
    // template and deletes itself later.
    virtual void OnCloseDocument();

    // Saves to path (empty: asks for a name first); replace makes the saved
    // file the document's file. True on success.
    bool DoSave(const QString& path, bool replace = true);
    bool DoFileSave();

signals:
    void titleChanged(const QString& title);
    void modifiedChanged(bool modified);
    void pathNameChanged(const QString& path);
    // A one-line note for the main window's status bar.
    void statusMessage(const QString& text);
    // The document is about to go: its frames close.
    void closing();

protected:
    // Save and save-as commands of the document (registered by the base).
    void OnFileSave() { DoFileSave(); }
    void OnFileSaveAs() { DoSave(QString()); }

private:
    QString m_strPathName;
    QString m_strTitle;
    bool m_bModified = false;
    QList<CView*> m_views;
    CDocTemplate* m_pDocTemplate = nullptr;
    bool m_bClosing = false;
};
