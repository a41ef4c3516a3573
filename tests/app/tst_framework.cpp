// The framework layer's widgets: the text view's edit commands and
// paginated printing, the document type's file handling and the save
// commands.
#include <QClipboard>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "apptestutil.h"
#include "framework/doctemplate.h"
#include "framework/document.h"
#include "framework/editview.h"
#include "framework/printing.h"
#include "framework/view.h"

using apptest::FileAnswer;
using apptest::MessageRecorder;

namespace {

// A document whose contents are one line of text in its file.
class TextDoc : public CDocument {
public:
    QByteArray m_text = "hello";
    bool Serialize(CArchive& ar) override
    {
        QFile f(ar.m_path);
        if (ar.IsLoading()) {
            if (!f.open(QIODevice::ReadOnly))
                return false;
            m_text = f.readAll();
            return true;
        }
        return f.open(QIODevice::WriteOnly) && f.write(m_text) == m_text.size();
    }
};

// Pages of a PDF file, or -1 when pdfinfo is not there.
int PdfPages(const QString& pdf)
{
    const QString pdfinfo = QStandardPaths::findExecutable("pdfinfo");
    if (pdfinfo.isEmpty())
        return -1;
    QProcess p;
    p.start(pdfinfo, {pdf});
    p.waitForFinished(10000);
    const QRegularExpressionMatch m =
        QRegularExpression("Pages:\\s+(\\d+)").match(QString(p.readAllStandardOutput()));
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

}  // namespace

class TestFramework : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;

private slots:
    void editCommandsFollowTheSelectionAndUndo()
    {
        CEditView view;
        QVERIFY(!app::UpdateCommand({&view}, ID_EDIT_COPY).m_bEnabled);
        QVERIFY(!app::UpdateCommand({&view}, ID_EDIT_UNDO).m_bEnabled);
        view.GetEditCtrl()->insertPlainText("abc");
        view.GetEditCtrl()->selectAll();
        QVERIFY(app::UpdateCommand({&view}, ID_EDIT_CUT).m_bEnabled);
        QVERIFY(app::RouteCommand({&view}, ID_EDIT_CUT));
        QCOMPARE(view.GetEditCtrl()->toPlainText(), QString());
        QVERIFY(app::UpdateCommand({&view}, ID_EDIT_UNDO).m_bEnabled);
        QVERIFY(app::RouteCommand({&view}, ID_EDIT_UNDO));
        QCOMPARE(view.GetEditCtrl()->toPlainText(), QString("abc"));
        QVERIFY(app::RouteCommand({&view}, ID_EDIT_PASTE));
        QCOMPARE(view.GetEditCtrl()->toPlainText(), QString("abcabc"));
    }

    void textViewPrintsAsManyPagesAsItsTextNeeds()
    {
        CEditView view;
        QStringList lines;
        for (int i = 1; i <= 400; ++i)
            lines << QString("line %1").arg(i);
        view.GetEditCtrl()->setPlainText(lines.join('\n'));
        const QString pdf = m_dir.filePath("log.pdf");
        QPrinter* printer = app::AppPrinter();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdf);
        QVERIFY(app::RouteCommand({&view}, ID_FILE_PRINT_DIRECT));
        const int pages = PdfPages(pdf);
        if (pages < 0)
            QSKIP("poppler-utils not installed");
        QVERIFY2(pages > 1 && pages < 20, qPrintable(QString::number(pages)));

        view.GetEditCtrl()->setPlainText("short");
        QVERIFY(app::RouteCommand({&view}, ID_FILE_PRINT_DIRECT));
        QCOMPARE(PdfPages(pdf), 1);
    }

    void viewOfUnknownLengthPrintsOnePage()
    {
        CView view;
        CPrintInfo info;
        const QString pdf = m_dir.filePath("plain.pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        QVERIFY(app::PrintView(&view, &printer, info));
        QCOMPARE(info.m_nCurPage, 2);
        QVERIFY(!info.m_bContinuePrinting);
    }

    void templateNumbersUntitledDocumentsAndReusesOpenFiles()
    {
        CDocTemplate t("\nText\nText\nText Files (*.txt)\n.txt\nText.Document\nText Document",
                       [] { return new TextDoc; });
        QCOMPARE(t.GetFileFilter(), QString("Text Files (*.txt)|*.txt|All Files (*.*)|*.*||"));
        CDocument* a = t.OpenDocumentFile(QString());
        CDocument* b = t.OpenDocumentFile(QString());
        QCOMPARE(a->GetTitle(), QString("Text1"));
        QCOMPARE(b->GetTitle(), QString("Text2"));
        const QString path = m_dir.filePath("one.txt");
        {
            FileAnswer answer(path);
            QVERIFY(app::RouteCommand({a}, ID_FILE_SAVE));   // untitled: asks for a name
        }
        QCOMPARE(a->GetPathName(), path);
        QCOMPARE(a->GetTitle(), QString("one.txt"));
        QCOMPARE(t.OpenDocumentFile(path), a);
        QCOMPARE(t.GetDocuments().size(), 2);
    }

    void failedFrameCreationDiscardsTheDocument()
    {
        CDocTemplate t("\nText\nText\n\n\n\n", [] { return new TextDoc; });
        t.m_createFrame = [](CDocument*) { return false; };
        QVERIFY(t.OpenDocumentFile(QString()) == nullptr);
        QVERIFY(t.GetDocuments().isEmpty());
    }

    void cancelledSaveAsChangesNothing()
    {
        TextDoc doc;
        doc.SetTitle("Text1");
        doc.SetModifiedFlag(true);
        FileAnswer cancel{QString()};
        QVERIFY(!doc.DoFileSave());
        QVERIFY(doc.IsModified());
        QVERIFY(doc.GetPathName().isEmpty());
    }

    void saveModifiedYesSavesAndClearsTheFlag()
    {
        TextDoc doc;
        doc.SetTitle("Text1");
        doc.SetModifiedFlag(true);
        MessageRecorder msgs;
        msgs.answer = IDYES;
        FileAnswer answer(m_dir.filePath("yes.txt"));
        QVERIFY(doc.SaveModified());
        QVERIFY(!doc.IsModified());
        QVERIFY(QFile::exists(m_dir.filePath("yes.txt")));
    }

    void updateAllViewsSkipsTheSender()
    {
        struct Counting : CView {
            int updates = 0;
            void OnUpdate(CView*, long, QObject*) override { ++updates; }
        };
        TextDoc doc;
        Counting v1, v2;
        v1.SetDocument(&doc);
        v2.SetDocument(&doc);
        doc.UpdateAllViews(&v1);
        QCOMPARE(v1.updates, 0);
        QCOMPARE(v2.updates, 1);
        v1.SendInitialUpdate();
        v1.SendInitialUpdate();
        QCOMPARE(v1.updates, 1);
    }
};

QTEST_MAIN(TestFramework)
#include "tst_framework.moc"
