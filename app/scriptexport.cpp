#include "scriptexport.h"

#include <limits>
#include <ostream>

#include <QEventLoop>
#include <QFileInfo>

#include "hcpdoc.h"
#include "outcome.h"
#include "pathends.h"
#include "picture.h"

namespace app {

bool WantsScriptedExport(const std::vector<std::string>& args)
{
    for (const std::string& a : args)
        if (a == "--export" || a.rfind("--export=", 0) == 0)
            return true;
    return false;
}

const char* ScriptUsage()
{
    return "  Tourvane32 [--find-cycle | --solve] [--path | --path-from S | --path-ends S,T]\n"
           "             [--layout circle|board|force] --export OUT.png|OUT.svg|OUT.pdf GRAPH.hcp\n"
           "      Opens GRAPH without a window, runs the search (--find-cycle, as F5)\n"
           "      or decides the question (--solve: a Hamiltonian cycle, or with\n"
           "      --path a path with free ends, from node S, or from S to T), lays\n"
           "      the nodes out, writes the picture to OUT and prints the outcome.\n"
           "      Exit status 0 when a Hamiltonian cycle (path) was found, 1 when\n"
           "      not, 2 on errors.\n";
}

bool ParseScriptArgs(const std::vector<std::string>& args, ScriptArgs& out, std::string& error)
{
    out = ScriptArgs{};
    auto value = [&](std::size_t& i, const std::string& name, std::string& v) {
        const std::string& a = args[i];
        if (a.size() > name.size() && a.compare(0, name.size() + 1, name + "=") == 0) {
            v = a.substr(name.size() + 1);
            return true;
        }
        if (i + 1 >= args.size()) {
            error = name + " needs a value";
            return false;
        }
        v = args[++i];
        return true;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::string v;
        if (a == "--find-cycle" || a == "--solve") {
            const auto w = a == "--solve" ? ScriptArgs::Work::Solve : ScriptArgs::Work::FindCycle;
            if (out.work != ScriptArgs::Work::None && out.work != w) {
                error = "--find-cycle and --solve exclude each other";
                return false;
            }
            out.work = w;
        } else if (a == "--path") {
            out.goal = hcp::Goal::Path;
        } else if (a == "--path-from" || a.rfind("--path-from=", 0) == 0 || a == "--path-ends"
                   || a.rfind("--path-ends=", 0) == 0) {
            const bool both = a.rfind("--path-ends", 0) == 0;
            const std::string name = both ? "--path-ends" : "--path-from";
            if (!value(i, name, v))
                return false;
            // Checked against any graph now, and against this one once read.
            hcp::Question q;
            const std::string problem = ParsePathEnds(v, std::numeric_limits<int>::max(), q);
            if (!problem.empty() || (both ? !q.to : q.to.has_value())) {
                error = name + " '" + v + "': " + (problem.empty() ? both ? "give two nodes S,T" : "give one node S"
                                                                    : problem);
                return false;
            }
            out.goal = hcp::Goal::Path;
            out.pathEnds = v;
        } else if (a == "--layout" || a.rfind("--layout=", 0) == 0) {
            if (!value(i, "--layout", v))
                return false;
            out.layout = ParseLayoutKind(v);
            if (!out.layout) {
                error = "unknown layout '" + v + "' (use circle, board or force)";
                return false;
            }
        } else if (a == "--export" || a.rfind("--export=", 0) == 0) {
            if (!value(i, "--export", v))
                return false;
            out.output = v;
        } else if (!a.empty() && a[0] == '-' && a != "-") {
            error = "unknown option '" + a + "'";
            return false;
        } else if (out.graph.empty()) {
            out.graph = a;
        } else {
            error = "one graph file only ('" + out.graph + "' and '" + a + "')";
            return false;
        }
    }
    if (out.output.empty()) {
        error = "--export needs an output file";
        return false;
    }
    if (!IsPictureFile(QString::fromStdString(out.output))) {
        error = out.output + ": unknown picture type (use .png, .svg or .pdf)";
        return false;
    }
    if (out.graph.empty()) {
        error = "no graph file given";
        return false;
    }
    return true;
}

int RunScriptedExport(const ScriptArgs& args, std::ostream& out, std::ostream& err)
{
    const QString path = QString::fromStdString(args.graph);
    const QFileInfo fi(path);
    // Anything else that can be read (a FIFO, a device) goes to the reader,
    // which says what is wrong with it.
    if (!fi.exists() && !fi.isSymLink()) {
        err << "Tourvane32: " << args.graph << ": no such file\n";
        return kScriptError;
    }
    if (fi.isDir()) {
        err << "Tourvane32: " << args.graph << ": is a folder, not a graph file\n";
        return kScriptError;
    }
    CHcpDoc doc;
    CArchive ar{CArchive::load, fi.absoluteFilePath(), QString()};
    if (!doc.Serialize(ar)) {
        err << "Tourvane32: " << ar.m_error.toStdString() << '\n';
        return kScriptError;
    }
    if (args.goal == hcp::Goal::Path) {
        hcp::Question q;
        std::string problem = ParsePathEnds(args.pathEnds, doc.GetNodeCount(), q);
        QString why;
        if (problem.empty() && !doc.SetQuestion(q, &why))
            problem = why.toStdString();
        if (!problem.empty()) {
            err << "Tourvane32: " << args.graph << ": " << problem << '\n';
            return kScriptError;
        }
    }
    doc.EnsurePositions();
    const LayoutKind layout = args.layout.value_or(LayoutKind::Circle);
    if (layout != LayoutKind::Circle) {
        if (layout == LayoutKind::Board && !doc.Board())
            err << "Tourvane32: note: " << args.graph << " is no leaper board; the nodes go on a grid\n";
        QString why;
        if (!doc.ApplyLayout(layout, &why)) {
            err << "Tourvane32: " << args.graph << ": " << why.toStdString() << '\n';
            return kScriptError;
        }
    }
    if (args.work != ScriptArgs::Work::None) {
        QEventLoop loop;
        QObject::connect(&doc, &CHcpDoc::searchFinished, &loop, &QEventLoop::quit);
        if (args.work == ScriptArgs::Work::Solve)
            doc.OnSolve();
        else
            doc.OnFindCycle();
        if (doc.IsSearching())
            loop.exec();
    }
    QString error;
    if (!ExportPicture(doc, QString::fromStdString(args.output), &error)) {
        err << "Tourvane32: " << error.toStdString() << '\n';
        return kScriptError;
    }
    // The verdict comes from the order as it stands on the graph as read,
    // fixed edges included.
    const hcp::CycleCheck check = doc.CheckOrder();
    const bool cycle = check.hamiltonian;
    std::string line = doc.LastOutcome().toStdString();
    if (args.work == ScriptArgs::Work::None) {
        const char* what = args.goal == hcp::Goal::Path ? "path" : "cycle";
        line = cycle ? std::string("Hamiltonian ") + what + " found (H=0)"
                     : std::string("No ") + what + " found (H=" + std::to_string(check.gaps)
                + "); no search was run (use --find-cycle or --solve)";
    }
    out << line << '\n';
    return cycle ? kScriptCycle : kScriptNoCycle;
}

}  // namespace app
