// CHcpApp: the application object of Tourvane32. It starts the program (its
// settings, the document type, the main window), keeps the recent-file list
// and handles the commands that need no document: new, open, recent files,
// printer setup, about and exit. Exactly one exists while the program runs.
#pragma once

#include <QObject>
#include <QStringList>
#include <memory>

#include "framework/cmdtarget.h"
#include "recentfiles.h"

class CDocTemplate;
class CDocument;
class CMainFrame;

class CHcpApp : public QObject, public CCmdTarget {
    Q_OBJECT
public:
    // Where the settings live: organisation and application name.
    static constexpr const char* kRegistryKey = "Local AppWizard-Generated Applications";
    static constexpr const char* kAppName = "Tourvane32";
    // Class identifier under which the document type would be registered for
    // automation clients.
    static constexpr const char* kDocumentClassId = "{6A3C1F52-8E2B-4D7A-9B61-2F4C8E9D7A13}";
    static constexpr int kRecentFileCount = 8;

    explicit CHcpApp(QObject* parent = nullptr);
    ~CHcpApp() override;

    static CHcpApp* Instance();

    // The start-up sequence; args are the program's arguments without the
    // program name. False when the program cannot start.
    bool InitInstance(const QStringList& args = {});

    CMainFrame* GetMainFrame() const { return m_pMainFrame.get(); }
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate.get(); }
    app::RecentFileList& RecentFiles() { return m_recentFiles; }

    // Opens path (or makes a new document for an empty path), shows its
    // window and records it as recent. Null when cancelled or failed.
    CDocument* OpenDocumentFile(const QString& path);
    void AddToRecentFileList(const QString& path);

    // Command handlers.
    void OnFileNew();
    void OnFileOpen();
    void OnOpenRecentFile(int index);
    void OnAppAbout();
    void OnAppExit();

private:
    void LoadStdProfileSettings();
    void SaveStdProfileSettings();
    bool CanExit();

    std::unique_ptr<CDocTemplate> m_pDocTemplate;
    std::unique_ptr<CMainFrame> m_pMainFrame;
    app::RecentFileList m_recentFiles{kRecentFileCount};
};
