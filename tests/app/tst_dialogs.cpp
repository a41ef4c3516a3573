// The "Graph parameters" and "Rearrange cycle" dialogs: their controls,
// ranges, validation messages and the tour file browse.
#include <QCheckBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

#include "apptestutil.h"
#include "framework/updown.h"
#include "graphparamsdlg.h"
#include "rearrangedlg.h"

using apptest::FileAnswer;
using apptest::MessageRecorder;

class TestDialogs : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;

    // Opens the parameters dialog, types the values and presses OK.
    // Returns the dialog's result; messages collects what was refused.
    int TryParams(CGraphParamsDlg& dlg, const QString& dim, bool random, const QString& degree)
    {
        dlg.m_editDimension->setText(dim);
        dlg.m_checkRandom->setChecked(random);
        dlg.m_editMaxDegree->setText(degree);
        dlg.setResult(0);
        dlg.OnOK();
        return dlg.result();
    }

private slots:
    void parametersDialogShowsItsDefaults()
    {
        CGraphParamsDlg dlg;
        apptest::ModalScript play([](QDialog* d) {
            auto* p = qobject_cast<CGraphParamsDlg*>(d);
            if (p->m_editDimension->text() != "8" || p->m_editMaxDegree->text() != "0"
                || !p->m_checkRandom->isChecked())
                return int(IDCANCEL);
            p->OnOK();
            return p->result();
        });
        QCOMPARE(dlg.DoModal(), IDOK);
        QCOMPARE(dlg.windowTitle(), QString("Graph parameters"));
        QCOMPARE(dlg.m_checkRandom->text(), QString("&Random"));
        QCOMPARE(dlg.m_spinDimension->GetRangeLow(), 5);
        QCOMPARE(dlg.m_spinDimension->GetRangeHigh(), 32767);
        QCOMPARE(dlg.m_spinMaxDegree->GetRangeLow(), 0);
        QCOMPARE(dlg.m_spinMaxDegree->GetRangeHigh(), 32766);
    }

    void dimensionBoundsAndNonNumbers()
    {
        MessageRecorder msgs;
        CGraphParamsDlg dlg;
        QCOMPARE(TryParams(dlg, "2", true, "0"), 0);
        QCOMPARE(TryParams(dlg, "abc", true, "0"), 0);
        QCOMPARE(TryParams(dlg, "40000", true, "0"), 0);
        QCOMPARE(msgs.messages, (QStringList{"Please enter an integer between 3 and 32767.",
                                             "Please enter an integer.", "Please enter an integer."}));
        QCOMPARE(TryParams(dlg, "3", true, "2"), IDOK);
        QCOMPARE(dlg.m_nDimension, std::int16_t(3));
        QCOMPARE(TryParams(dlg, "32767", true, "0"), IDOK);
    }

    void degreeIsCheckedOnlyForRandomGraphs()
    {
        MessageRecorder msgs;
        CGraphParamsDlg dlg;
        QCOMPARE(TryParams(dlg, "10", true, "10"), 0);
        QCOMPARE(TryParams(dlg, "10", true, "-1"), 0);
        QCOMPARE(msgs.messages, QStringList(2, "Please enter an integer between 0 and 9."));
        QCOMPARE(TryParams(dlg, "10", true, "9"), IDOK);
        QCOMPARE(TryParams(dlg, "10", false, "999"), IDOK);
        QCOMPARE(dlg.m_bRandom, false);
        // Not a number is refused even when the degree is not used.
        QCOMPARE(TryParams(dlg, "10", false, "x"), 0);
    }

    void refusedFieldGetsTheFocus()
    {
        MessageRecorder msgs;
        CGraphParamsDlg dlg;
        dlg.show();
        dlg.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        TryParams(dlg, "10", true, "50");
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dlg.m_editMaxDegree));
        QCOMPARE(dlg.m_editMaxDegree->selectedText(), QString("50"));
    }

    void upDownStopsAtFiveButThreeMayBeTyped()
    {
        CSpinButtonCtrl spin;
        QLineEdit edit;
        spin.SetRange(5, 32767);
        spin.SetBuddy(&edit);
        edit.setText("3");
        spin.Step(-1);
        QCOMPARE(edit.text(), QString("5"));
        spin.Step(+1);
        QCOMPARE(edit.text(), QString("6"));
        edit.setText("32767");
        spin.Step(+1);
        QCOMPARE(edit.text(), QString("32767"));
        QTest::keyClick(&edit, Qt::Key_Down);
        QCOMPARE(edit.text(), QString("32766"));
    }

    void browseReadsATourFile()
    {
        CCycle c(4);
        std::list<short> order{2, 4, 1, 3};
        c.Restore(&order);
        const QString base = m_dir.filePath("tour.hcp");
        QVERIFY(c.StoreCycle(QFile::encodeName(base).constData()));
        CRearrangeDlg dlg;
        QCOMPARE(dlg.windowTitle(), QString("Rearrange cycle"));
        QCOMPARE(dlg.m_buttonBrowse->text(), QString("&Browse"));
        FileAnswer answer(m_dir.filePath("tour.tou"));
        dlg.OnBrowse();
        QCOMPARE(dlg.m_editCycle->toPlainText(), QString("{ 2 4 1 3 }"));
        dlg.OnOK();
        QCOMPARE(dlg.m_strCycle, QString("{ 2 4 1 3 }"));
    }

    void browseFailureKeepsTheText()
    {
        MessageRecorder msgs;
        CRearrangeDlg dlg;
        dlg.m_editCycle->setPlainText("{ 1 2 3 }");
        {
            FileAnswer answer(m_dir.filePath("missing.tou"));
            dlg.OnBrowse();
        }
        QCOMPARE(msgs.messages.size(), 1);
        QVERIFY(msgs.messages[0].contains("missing.tou"));
        {
            FileAnswer cancel{QString()};
            dlg.OnBrowse();
        }
        QCOMPARE(dlg.m_editCycle->toPlainText(), QString("{ 1 2 3 }"));
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
