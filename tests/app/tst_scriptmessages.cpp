// What the scripted export does with targets that are no regular files and
// with inputs it cannot use: one clear line naming the file, status 2, and
// nothing on disk touched; a link to a regular file is written through.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <iostream>
#include <sstream>

#include <sys/stat.h>

#include "hcpdoc.h"
#include "scriptexport.h"

class TestScriptMessages : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    std::string P(const QString& name) const { return Path(name).toStdString(); }
    // A 4-cycle: a graph with a cycle, quick to draw.
    QString Ring()
    {
        const QString p = Path("ring.hcp");
        QFile f(p);
        if (f.open(QIODevice::WriteOnly))
            f.write("TYPE: HCP\nDIMENSION: 4\nEDGE_DATA_SECTION\n1 2\n2 3\n3 4\n4 1\n-1\nEOF\n");
        return p;
    }
    // Runs the scripted export; out and err get what it prints. Nothing
    // may reach the process's own error stream behind its back.
    static int Run(const std::vector<std::string>& args, std::string& out, std::string& err)
    {
        app::ScriptArgs a;
        std::string error;
        if (!app::ParseScriptArgs(args, a, error)) {
            err = error;
            return -1;
        }
        std::ostringstream o, e, stray;
        std::streambuf* old = std::cerr.rdbuf(stray.rdbuf());
        const int status = app::RunScriptedExport(a, o, e);
        std::cerr.rdbuf(old);
        out = o.str();
        err = e.str() + stray.str();
        return status;
    }
    static bool IsFifo(const QString& path)
    {
        struct stat st {};
        return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISFIFO(st.st_mode);
    }

private slots:
    void aLinkToAFifoOrAFolderIsRefusedAndLeftAlone()
    {
        const QString fifo = Path("pipe");
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        QVERIFY(QDir(m_dir.path()).mkdir("folder.png"));
        for (const char* ext : {"png", "svg", "pdf"}) {
            const QString link = Path(QStringLiteral("out.%1").arg(ext));
            QVERIFY(QFile::link(fifo, link));
            std::string out, err;
            QCOMPARE(Run({"--export", link.toStdString(), Ring().toStdString()}, out, err), app::kScriptError);
            QVERIFY2(err.find(link.toStdString()) != std::string::npos && err.find("FIFO") != std::string::npos,
                     err.c_str());
            QCOMPARE(std::count(err.begin(), err.end(), '\n'), 1L);
            // The link is still a link to the FIFO, and the FIFO a FIFO.
            QVERIFY(QFileInfo(link).isSymLink());
            QVERIFY(IsFifo(fifo));
        }
        // A FIFO named as the picture itself, without a link, the same.
        const QString direct = Path("direct.svg");
        QVERIFY(::mkfifo(QFile::encodeName(direct).constData(), 0600) == 0);
        std::string out, err;
        QCOMPARE(Run({"--export", direct.toStdString(), Ring().toStdString()}, out, err), app::kScriptError);
        QVERIFY(IsFifo(direct));
        QCOMPARE(Run({"--export", P("folder.png"), Ring().toStdString()}, out, err), app::kScriptError);
        QVERIFY2(err.find("folder.png: Is a directory") != std::string::npos, err.c_str());
        QVERIFY(QFileInfo(Path("folder.png")).isDir());
        // No temporary is left anywhere.
        QCOMPARE(QDir(m_dir.path()).entryList(QStringList{"*tmp*"}, QDir::AllEntries | QDir::Hidden).size(), 0);
    }

    void aLinkToARegularFileIsWrittenThrough()
    {
        for (const char* ext : {"png", "svg", "pdf"}) {
            const QString target = Path(QStringLiteral("real.%1").arg(ext));
            QFile old(target);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("old");
            old.close();
            const QString link = Path(QStringLiteral("link.%1").arg(ext));
            QVERIFY(QFile::link(target, link));
            std::string out, err;
            QCOMPARE(Run({"--export", link.toStdString(), Ring().toStdString()}, out, err), app::kScriptCycle);
            QVERIFY(QFileInfo(link).isSymLink());
            QCOMPARE(QFileInfo(link).symLinkTarget(), QFileInfo(target).absoluteFilePath());
            QVERIFY(QFileInfo(target).size() > 100);
        }
    }

    void inputsThatAreNoGraphFilesAreCalledWhatTheyAre()
    {
        std::string out, err;
        QCOMPARE(Run({"--export", P("o.png"), m_dir.path().toStdString()}, out, err), app::kScriptError);
        QVERIFY2(err.find("folder") != std::string::npos && err.find("no such file") == std::string::npos,
                 err.c_str());
        QCOMPARE(Run({"--export", P("o.png"), "/dev/null"}, out, err), app::kScriptError);
        QVERIFY2(err.find("/dev/null") != std::string::npos && err.find("no such file") == std::string::npos,
                 err.c_str());
        QCOMPARE(Run({"--export", P("o.png"), P("absent.hcp")}, out, err), app::kScriptError);
        QVERIFY2(err.find("absent.hcp: no such file") != std::string::npos, err.c_str());
        // Not TSPLIB at all: the reader's line names the file.
        const QString junk = Path("junk.hcp");
        QFile f(junk);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("\x01\x02 not a graph\n");
        f.close();
        QCOMPARE(Run({"--export", P("o.png"), junk.toStdString()}, out, err), app::kScriptError);
        QVERIFY2(err.find("junk.hcp") != std::string::npos, err.c_str());
        QCOMPARE(std::count(err.begin(), err.end(), '\n'), 1L);
        QVERIFY(!QFile::exists(Path("o.png")));
    }

    void findCycleOnGraphsTooSmallForACycleSaysSo()
    {
        for (int n : {0, 1}) {
            const QString p = Path(QStringLiteral("n%1.hcp").arg(n));
            QFile f(p);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("TYPE: HCP\nDIMENSION: " + QByteArray::number(n) + "\nEDGE_DATA_SECTION\n-1\nEOF\n");
            f.close();
            for (const char* work : {"--find-cycle", "--solve"}) {
                std::string out, err;
                QCOMPARE(Run({work, "--export", P("small.png"), p.toStdString()}, out, err), app::kScriptNoCycle);
                QVERIFY2(out.rfind("No Hamiltonian cycle: ", 0) == 0 && out.size() > 24, out.c_str());
            }
        }
    }
};

QTEST_MAIN(TestScriptMessages)
#include "tst_scriptmessages.moc"
