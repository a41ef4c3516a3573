// The log view: text written to its stream appears in it (also from another
// thread), its font, its registration with the document, its edit commands
// and its printing over several pages.
#include <QFontInfo>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <thread>

#include "framework/printing.h"
#include "hcpdoc.h"
#include "logview.h"
#include "resource.h"

class TestLogView : public QObject {
    Q_OBJECT
private:
    static bool Enabled(CLogView& view, int id)
    {
        CCmdUI ui(id);
        return view.OnCmdMsg(id, &ui) && ui.m_bEnabled;
    }

private slots:
    void textWrittenToTheStreamAppearsAtTheEnd()
    {
        CLogView view;
        view << "H=" << 0 << ", " << 3 << " calls" << std::endl;
        QCOMPARE(view.GetText(), QStringLiteral("H=0, 3 calls\n"));
        view << "second line\n";
        QCOMPARE(view.GetText(), QStringLiteral("H=0, 3 calls\nsecond line\n"));
        QVERIFY(view.good());
    }

    void textFromAnotherThreadArrivesThroughTheEventLoop()
    {
        CLogView view;
        std::thread worker([&view] {
            for (int i = 0; i < 100; ++i)
                view << "line " << i << '\n';
        });
        worker.join();
        QTRY_VERIFY(view.GetText().endsWith(QStringLiteral("line 99\n")));
        QCOMPARE(view.GetText().count(QLatin1Char('\n')), 100);
        QVERIFY(view.GetText().startsWith(QStringLiteral("line 0\nline 1\n")));
    }

    void writingKeepsTheUsersCursorAndSelection()
    {
        CLogView view;
        QPlainTextEdit* edit = view.GetEditCtrl();
        edit->setPlainText(QStringLiteral("typed by hand"));
        QTextCursor c = edit->textCursor();
        c.setPosition(0);
        c.setPosition(5, QTextCursor::KeepAnchor);
        edit->setTextCursor(c);
        view << "\nappended";
        QCOMPARE(view.GetText(), QStringLiteral("typed by hand\nappended"));
        QCOMPARE(edit->textCursor().selectedText(), QStringLiteral("typed"));
    }

    void logFontIsAFixedPitchFaceTwelvePixelsHigh()
    {
        const QFont f = CLogView::MakeLogFont();
        QCOMPARE(f.family(), QStringLiteral("Courier New"));
        QCOMPARE(f.pixelSize(), 12);
        QCOMPARE(f.weight(), QFont::Normal);
        QVERIFY(!f.italic() && !f.underline() && !f.strikeOut());
        // Font matching substitutes a metric-compatible fixed-pitch face.
        QVERIFY(QFontInfo(f).fixedPitch());

        CHcpDoc doc;
        auto* view = new CLogView;
        view->SetDocument(&doc);
        view->SendInitialUpdate();
        QCOMPARE(view->GetEditCtrl()->font().family(), QStringLiteral("Courier New"));
        QCOMPARE(view->GetEditCtrl()->font().pixelSize(), 12);
        delete view;
    }

    void theNewestLogViewIsTheRegisteredOneUntilItGoes()
    {
        CHcpDoc doc;
        auto* first = new CLogView;
        first->SetDocument(&doc);
        QVERIFY(!doc.m_pLogView);
        first->SendInitialUpdate();
        QCOMPARE(doc.m_pLogView, first);
        auto* second = new CLogView;
        second->SetDocument(&doc);
        second->SendInitialUpdate();
        QCOMPARE(doc.m_pLogView, second);
        // The document's log lines go to the registered view's stream.
        QCOMPARE(doc.GetLogStream(), static_cast<std::ostream*>(second));
        delete second;
        QVERIFY(doc.m_pLogView != second);
        QVERIFY(doc.GetLogStream() != static_cast<std::ostream*>(second));
        delete first;
        QVERIFY(!doc.m_pLogView);
        QVERIFY(!doc.GetLogStream());
    }

    void editCommandsFollowTheText()
    {
        CLogView view;
        QPlainTextEdit* edit = view.GetEditCtrl();
        QVERIFY(!Enabled(view, ID_EDIT_UNDO));
        QVERIFY(!Enabled(view, ID_EDIT_COPY));
        QVERIFY(!Enabled(view, ID_EDIT_CUT));
        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("abc"));
        QVERIFY(Enabled(view, ID_EDIT_UNDO));
        edit->selectAll();
        QVERIFY(Enabled(view, ID_EDIT_COPY));
        QVERIFY(Enabled(view, ID_EDIT_CUT));
        QVERIFY(view.OnCmdMsg(ID_EDIT_CUT, nullptr));
        QCOMPARE(view.GetText(), QString());
        QVERIFY(Enabled(view, ID_EDIT_PASTE));
        QVERIFY(view.OnCmdMsg(ID_EDIT_PASTE, nullptr));
        QVERIFY(view.OnCmdMsg(ID_EDIT_PASTE, nullptr));
        QCOMPARE(view.GetText(), QStringLiteral("abcabc"));
        QVERIFY(view.OnCmdMsg(ID_EDIT_UNDO, nullptr));
        QCOMPARE(view.GetText(), QStringLiteral("abc"));
        // The print commands are the view's too; "&Log" is nobody's.
        QVERIFY(view.HasCommand(ID_FILE_PRINT));
        QVERIFY(view.HasCommand(ID_FILE_PRINT_PREVIEW));
        QVERIFY(!view.HasCommand(ID_VIEW_LOG));
    }

    void longLogPrintsOnSeveralIndentedPages()
    {
        QTemporaryDir dir;
        CLogView view;
        for (int i = 1; i <= 400; ++i)
            view << "log line " << i << '\n';
        QPrinter printer(QPrinter::HighResolution);
        printer.setResolution(600);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = dir.filePath(QStringLiteral("log.pdf"));
        printer.setOutputFileName(pdf);
        CPrintInfo info;
        QVERIFY(app::PrintView(&view, &printer, info));
        // 400 lines of 9 points do not fit one page, and the run stops at
        // the last page of text.
        QVERIFY2(info.m_nMaxPage > 1 && info.m_nMaxPage < 20, qPrintable(QString::number(info.m_nMaxPage)));
        QCOMPARE(info.m_nCurPage, info.m_nMaxPage);
        QVERIFY(QFileInfo(pdf).size() > 0);

        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty())
            QSKIP("pdftotext is not installed");
        QProcess p;
        p.start(pdftotext, {pdf, QStringLiteral("-")});
        QVERIFY(p.waitForFinished(20000));
        const QString text = QString::fromUtf8(p.readAllStandardOutput());
        QVERIFY(text.contains(QStringLiteral("log line 1\n")));
        QVERIFY(text.contains(QStringLiteral("log line 400")));
        QCOMPARE(text.count(QLatin1Char('\f')), info.m_nMaxPage);
    }
};

QTEST_MAIN(TestLogView)
#include "tst_logview.moc"
