// CHcpApp: the start-up sequence, settings, recent files and the
// application's commands.
#include "hcpapp.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QSettings>

#include "aboutdlg.h"
#include "appicons.h"
#include "childfrm.h"
#include "framework/dialog.h"
#include "framework/doctemplate.h"
#include "framework/filedialog.h"
#include "framework/printing.h"
#include "framework/resstrings.h"
#include "hcpdoc.h"
#include "mainfrm.h"
#include "resource.h"

namespace {

CHcpApp* s_instance = nullptr;

constexpr const char* kSettingsSection = "Settings";

}  // namespace

CHcpApp::CHcpApp(QObject* parent) : QObject(parent)
{
    Q_ASSERT(!s_instance);
    s_instance = this;

    AddCommand(ID_FILE_NEW, [this] { OnFileNew(); });
    AddCommand(ID_FILE_OPEN, [this] { OnFileOpen(); });
    AddCommand(ID_FILE_PRINT_SETUP, [this] { app::FilePrintSetup(m_pMainFrame.get()); });
    AddCommand(ID_APP_ABOUT, [this] { OnAppAbout(); });
    AddCommand(ID_APP_EXIT, [this] { OnAppExit(); });
    for (int i = 0; i < kRecentFileCount; ++i)
        AddCommand(ID_FILE_MRU_FILE1 + i, [this, i] { OnOpenRecentFile(i); },
                   [this, i](CCmdUI* ui) { ui->Enable(i < m_recentFiles.size()); });
}

CHcpApp::~CHcpApp()
{
    // Documents go before the windows that show them.
    if (m_pDocTemplate)
        m_pDocTemplate->CloseAllDocuments();
    m_pMainFrame.reset();
    m_pDocTemplate.reset();
    if (s_instance == this)
        s_instance = nullptr;
}

CHcpApp* CHcpApp::Instance()
{
    return s_instance;
}

bool CHcpApp::InitInstance(const QStringList& args)
{
    // The object linking and automation libraries have no counterpart here,
    // so there is nothing to initialise and no "OLE initialization failed."
    // case. Controls and dialogs take their look from the Qt style.

    // Settings live under the organisation and application name, and the
    // recent-file list holds 8 entries.
    QCoreApplication::setOrganizationName(QString::fromLatin1(kRegistryKey));
    QCoreApplication::setApplicationName(QString::fromLatin1(kAppName));
    LoadStdProfileSettings();
    // Desktops match the windows with the installed entry "tourvane32".
    QGuiApplication::setDesktopFileName(QStringLiteral("tourvane32"));
    QGuiApplication::setWindowIcon(app::programIcon());

    // One document type: graph documents in document windows with two views.
    m_pDocTemplate = std::make_unique<CDocTemplate>(app::LoadResString(IDR_TOURVTYPE), [this]() -> CDocument* {
        auto* doc = new CHcpDoc;
        connect(doc, &CDocument::pathNameChanged, this, &CHcpApp::AddToRecentFileList);
        return doc;
    });

    // Connecting the type to an automation server has no counterpart here;
    // kDocumentClassId keeps the identifier the type would carry.

    m_pMainFrame = std::make_unique<CMainFrame>(this);
    if (!m_pMainFrame->Create())
        return false;
    m_pDocTemplate->m_createFrame = [this](CDocument* doc) { return m_pMainFrame->CreateChildFrame(doc); };
    m_pMainFrame->SetRecentFiles(&m_recentFiles);
    m_pMainFrame->m_canClose = [this] { return CanExit(); };

    // Dropped files open. Shell conversations and the registration of the
    // ".hcp" type are the desktop entry and MIME type that installation puts
    // in place.
    m_pMainFrame->m_openDropped = [this](const QStringList& files) {
        for (const QString& f : files)
            OpenDocumentFile(f);
    };

    // A file named on the command line is not opened: the program starts
    // with an empty main window. The desktop's "open" of a file (what the
    // shell's open conversation did) comes as --open FILE... and opens the
    // files once the window shows. Automation starts do not exist here, so
    // the window is always shown.
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("files"), QStringLiteral("Graph files."));
    const QCommandLineOption openOption(QStringLiteral("open"), QStringLiteral("Open the files named."));
    parser.addOption(openOption);
    parser.parse(QStringList{QString::fromLatin1(kAppName)} + args);
    const QStringList filesToOpen = parser.isSet(openOption) ? parser.positionalArguments() : QStringList();

    QSettings settings;
    settings.beginGroup(QLatin1String(kSettingsSection));
    const QByteArray geometry = settings.value(QStringLiteral("WindowGeometry")).toByteArray();
    const QByteArray state = settings.value(QStringLiteral("WindowState")).toByteArray();
    settings.endGroup();
    if (geometry.isEmpty() || !m_pMainFrame->restoreGeometry(geometry))
        m_pMainFrame->resize(900, 680);
    if (!state.isEmpty())
        m_pMainFrame->restoreState(state);
    m_pMainFrame->show();
    for (const QString& f : filesToOpen)
        OpenDocumentFile(f);
    return true;
}

void CHcpApp::LoadStdProfileSettings()
{
    QSettings settings;
    m_recentFiles.load(settings);
}

void CHcpApp::SaveStdProfileSettings()
{
    QSettings settings;
    m_recentFiles.save(settings);
    if (m_pMainFrame) {
        settings.beginGroup(QLatin1String(kSettingsSection));
        settings.setValue(QStringLiteral("WindowGeometry"), m_pMainFrame->saveGeometry());
        settings.setValue(QStringLiteral("WindowState"), m_pMainFrame->saveState());
        settings.endGroup();
    }
}

void CHcpApp::AddToRecentFileList(const QString& path)
{
    m_recentFiles.add(path);
    // Kept at once, so that a crash later loses no entry.
    QSettings settings;
    m_recentFiles.save(settings);
    if (m_pMainFrame)
        m_pMainFrame->UpdateRecentFileMenu();
}

CDocument* CHcpApp::OpenDocumentFile(const QString& path)
{
    if (!m_pDocTemplate)
        return nullptr;
    CDocument* doc = m_pDocTemplate->OpenDocumentFile(path);
    if (!doc)
        return nullptr;
    if (!path.isEmpty()) {
        AddToRecentFileList(doc->GetPathName());
        // An already open file comes to the front instead of opening twice.
        if (m_pMainFrame)
            m_pMainFrame->ActivateDocument(doc);
    }
    return doc;
}

void CHcpApp::OnFileNew()
{
    OpenDocumentFile(QString());
}

void CHcpApp::OnFileOpen()
{
    const QString filter = m_pDocTemplate->GetFileFilter();
    const QString ext = m_pDocTemplate->GetDocString(CDocTemplate::filterExt);
    const QString path = app::PromptFileName(m_pMainFrame.get(), true, QStringLiteral("Open"), filter, ext);
    if (!path.isEmpty())
        OpenDocumentFile(path);
}

void CHcpApp::OnOpenRecentFile(int index)
{
    const QString path = m_recentFiles.at(index);
    if (path.isEmpty())
        return;
    if (!OpenDocumentFile(path)) {
        // An entry that cannot be opened leaves the list.
        m_recentFiles.remove(m_recentFiles.paths().indexOf(path));
        QSettings settings;
        m_recentFiles.save(settings);
        if (m_pMainFrame)
            m_pMainFrame->UpdateRecentFileMenu();
    }
}

void CHcpApp::OnAppAbout()
{
    CAboutBox box(m_pMainFrame.get());
    app::ExecModal(&box);
}

void CHcpApp::OnAppExit()
{
    if (m_pMainFrame)
        m_pMainFrame->close();
}

bool CHcpApp::CanExit()
{
    if (m_pDocTemplate && !m_pDocTemplate->SaveAllModified())
        return false;
    SaveStdProfileSettings();
    if (m_pDocTemplate)
        m_pDocTemplate->CloseAllDocuments();
    return true;
}
