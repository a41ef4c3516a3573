#include "options.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>
#include <thread>

#include <CLI/CLI.hpp>

#include "solve/solver.h"

namespace hcpsolve {

namespace {

const char* const kFooter = R"(Verdicts: HAMILTONIAN (cycle found and checked), NO_CYCLE (proved; the
reason follows in brackets), NOT_FOUND (search gave up; H is the fewest gaps
reached), ERROR (file could not be read). With --path, --path-from or
--path-ends: HAMILTONIAN_PATH (path found and checked), NO_PATH (proved),
UNKNOWN (search gave up), ERROR (also: the ends do not fit the graph).
Exit status: 0 all graphs Hamiltonian, 1 some graph not, 2 usage error or
unreadable file or graph, 130 interrupted.

Filters: --select hamiltonian|no-cycle|undecided writes the graphs with that
verdict (with --path*: hamiltonian = has a path, no-cycle = proved to have
none) to standard output exactly as read, in input order whatever --jobs;
the result lines go to standard error, or to the file given with --results.
ERROR entries are never selected.

Inputs: .hcp (TSPLIB; TYPE : DHCP for arcs), .g6/.s6/.d6 (nauty
graph6/sparse6/digraph6, one graph per line, each reported as FILE:INDEX
and written by -o as DIR/BASENAME_INDEX.tour), .col/.dimacs (DIMACS, e lines
for edges, a lines for arcs); other names and - (standard input) are
recognised by their first line. A directed graph's line counts arcs=.

The default method auto repeats exactly: its local search is counted in
work, not seconds. Without --time-limit the verdict does not depend on
--jobs; when --jobs exceeds the files left, a file's local search and
complete search run side by side, and which one answers first may change
the cycle printed, never the verdict. With --jobs 1 the output repeats
exactly (apart from the seconds).

Examples:
  hcpsolve examples/leaper_1_2_30_30.hcp
  nauty-geng -c -d3 -D3 18 | hcpsolve --quiet --format json - > cubic18.jsonl
  hcpsolve --jobs 2 --restarts 8 --time-limit 10 -o tours graphs/*.hcp
  hcpsolve --method min --format csv examples/petersen.hcp > result.csv
  hcpsolve --verify examples/leaper_1_2_30_30.hcp tours/leaper_1_2_30_30.tour
  hcpsolve --path-ends 1,10 examples/petersen.hcp
  nauty-geng -c 8 | hcpsolve --select no-cycle --results r.csv --format csv - | nauty-countg)";

// The methods the engine knows, one line each, for --help: whatever is
// registered, so a new method shows up here without touching the tool.
std::string MethodsHelp()
{
    std::string text = "Methods:\n";
    std::size_t width = 0;
    for (const hcp::Method* m : hcp::Methods()) width = std::max(width, m->Name().size());
    for (const hcp::Method* m : hcp::Methods()) {
        std::string name(m->Name());
        name.resize(width, ' ');
        text += "  " + name + "  " + std::string(m->Summary())
              + (m->Complete() ? " (complete: proves NO_CYCLE)" : "") + "\n";
    }
    return text;
}

// A whole decimal number from lo to hi, checked before CLI11 converts it so
// that the message says what was wrong with the text as typed.
CLI::Validator WholeNumber(long long lo, long long hi)
{
    return CLI::Validator(
        [lo, hi](std::string& text) -> std::string {
            std::size_t used = 0;
            long long v = 0;
            try {
                v = std::stoll(text, &used, 10);
            } catch (const std::exception&) {
                used = 0;
            }
            const bool digits = !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
            if (digits && used == 0)   // too long for any whole number this tool takes
                return text + " is outside " + std::to_string(lo) + ".." + std::to_string(hi);
            if (used == 0 || used != text.size() || text.find_first_of(" \t") != std::string::npos)
                return "\"" + text + "\" is not a whole number";
            if (v < lo || v > hi)
                return text + " is outside " + std::to_string(lo) + ".." + std::to_string(hi);
            return std::string();
        },
        "");
}

// Plain decimal digits with at most one point ("10", "2.5", ".5"): what a
// person types for seconds. std::stod alone would also take "0x10" (16),
// "1e3", "inf" and leading blanks.
bool IsPlainDecimal(const std::string& text)
{
    bool digit = false;
    bool point = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') digit = true;
        else if (c == '.' && !point) point = true;
        else return false;
    }
    return digit;
}

// A finite number of seconds, zero or more.
CLI::Validator Seconds()
{
    return CLI::Validator(
        [](std::string& text) -> std::string {
            if (!text.empty() && text[0] == '-' && IsPlainDecimal(text.substr(1)))
                return "a time limit cannot be negative (got " + text + ")";
            std::size_t used = 0;
            double v = 0;
            try {
                v = IsPlainDecimal(text) ? std::stod(text, &used) : 0.0;
            } catch (const std::exception&) {
                used = 0;
            }
            if (used == 0 || used != text.size() || !std::isfinite(v))
                return "\"" + text + "\" is not a number of seconds (write plain decimals, such as 0.001 or 2.5)";
            if (v < 0) return "a time limit cannot be negative (got " + text + ")";
            if (v == 0) return "a time limit of 0 seconds leaves no time; leave --time-limit out for none";
            return std::string();
        },
        "");
}

// One of a fixed set of words.
CLI::Validator OneOf(std::vector<std::string> words)
{
    return CLI::Validator(
        [words](std::string& text) -> std::string {
            for (const std::string& w : words)
                if (w == text) return std::string();
            std::string list;
            for (const std::string& w : words) list += (list.empty() ? "" : ", ") + w;
            return "\"" + text + "\" is not one of " + list;
        },
        "");
}

// The name of a registered method.
CLI::Validator KnownMethod()
{
    return CLI::Validator(
        [](std::string& text) -> std::string {
            if (hcp::FindMethod(text) != nullptr) return std::string();
            return "\"" + text + "\" is not one of " + hcp::MethodNameList();
        },
        "");
}

// A node number as the files write it: 1 up to the largest node the engine
// holds. Whether the node exists depends on the graph, so a number beyond
// a graph's nodes is that graph's error, not a usage error.
constexpr long long kMaxNodeNumber = 4294967295LL;

std::string NodeNumberProblem(const std::string& text)
{
    const bool digits = !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
    if (!digits) return "\"" + text + "\" is not a node number";
    if (text.size() > 10 || std::stoll(text) < 1 || std::stoll(text) > kMaxNodeNumber)
        return text + " is outside 1.." + std::to_string(kMaxNodeNumber) + " (nodes are numbered from 1)";
    return std::string();
}

CLI::Validator NodeNumber()
{
    return CLI::Validator([](std::string& text) { return NodeNumberProblem(text); }, "");
}

// "S,T": two node numbers.
CLI::Validator NodePair()
{
    return CLI::Validator(
        [](std::string& text) -> std::string {
            const std::size_t comma = text.find(',');
            if (comma == std::string::npos || text.find(',', comma + 1) != std::string::npos)
                return "\"" + text + "\" is not two node numbers S,T";
            for (const std::string& part : {text.substr(0, comma), text.substr(comma + 1)}) {
                const std::string problem = NodeNumberProblem(part);
                if (!problem.empty()) return problem + " in \"" + text + "\"";
            }
            return std::string();
        },
        "");
}

hcp::NodeId NodeIndex(const std::string& number) { return static_cast<hcp::NodeId>(std::stoll(number) - 1); }

// --help and --version succeed only when their text reached its reader.
int HelpWritten(int status)
{
    std::cout.flush();
    if (std::cout.fail() || std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::cerr << "hcpsolve: error: cannot write to standard output: " << std::strerror(errno) << "\n";
        return 2;
    }
    return status;
}

}  // namespace

int ParseOptions(int argc, char** argv, Options& opts)
{
    unsigned cores = std::thread::hardware_concurrency();
    opts.jobs = cores > 0 ? static_cast<int>(cores) : 1;

    CLI::App app{"hcpsolve: search graphs and digraphs (TSPLIB HCP, graph6, sparse6, digraph6, DIMACS) for "
                 "Hamiltonian cycles or paths, or check a tour.",
                 "hcpsolve"};
    app.set_version_flag("--version", std::string("hcpsolve ") + TOURVANE_VERSION);
    app.footer(MethodsHelp() + "\n" + kFooter);

    std::string format = "text";
    app.add_option("files", opts.files,
                   "graph files to solve, in this order; - reads standard input")
        ->type_name("FILE");
    app.add_option("--method", opts.method,
                   "how each restart searches: a method listed under Methods below "
                   "(default " + opts.method + ")")
        ->check(KnownMethod())
        ->type_name("METHOD");
    app.add_option("--seed", opts.seed,
                   "seed of restart 0; restart k uses seed+k (default 1, so runs repeat)")
        ->check(WholeNumber(0, 4294967295LL))
        ->type_name("S");
    app.add_option("--restarts", opts.restarts,
                   "restarts per file, stopping at the first cycle found (default 4; "
                   "auto restarts by itself)")
        ->check(WholeNumber(1, 1000000))
        ->type_name("K");
    app.add_option("--jobs,-j", opts.jobs,
                   "threads running restarts, files and graphs in parallel (default: number of "
                   "cores); verdicts do not depend on it")
        ->check(WholeNumber(1, 1024))
        ->type_name("J");
    app.add_option("--time-limit", opts.timeLimit,
                   "seconds per file, reading and searching; a file that runs out reports NOT_FOUND "
                   "(default: none)")
        ->check(Seconds())
        ->type_name("SECONDS");
    app.add_option("--calls", opts.calls,
                   "Optimize calls per restart with --method optimize (default 5)")
        ->check(WholeNumber(1, 1000000))
        ->type_name("C");
    app.add_option("-o,--output-dir", opts.outDir,
                   "write each checked cycle (or path) as DIR/NAME.tour (with --method min also the "
                   "best order when gaps remain); a name another input of the run took becomes "
                   "NAME-2.tour (shown as tour=), and a better tour already there is kept")
        ->type_name("DIR");
    app.add_option("--verify", opts.verify,
                   "check the tour file TOUR against GRAPH (any input format); exit 0 if it is a Hamiltonian "
                   "cycle (with --path*: path) that uses every fixed edge")
        ->expected(2)
        ->type_name("GRAPH TOUR");
    app.add_option("--format", format, "result lines as text, csv or json (JSON Lines)")
        ->check(OneOf({"text", "csv", "json"}))
        ->type_name("text|csv|json");
    app.add_flag("--quiet,-q", opts.quiet, "print nothing but the result lines");
    bool path = false;
    std::string pathFrom;
    std::string pathEnds;
    CLI::Option* pathFlag = app.add_flag("--path", path,
                                         "ask for a Hamiltonian path (any ends) instead of a cycle");
    CLI::Option* fromOption = app.add_option("--path-from", pathFrom,
                                             "ask for a Hamiltonian path that starts at node S (1-based)")
                                  ->check(NodeNumber())
                                  ->type_name("S");
    CLI::Option* endsOption = app.add_option("--path-ends", pathEnds,
                                             "ask for a Hamiltonian path from node S to node T (1-based)")
                                  ->check(NodePair())
                                  ->type_name("S,T");
    pathFlag->excludes(fromOption)->excludes(endsOption);
    fromOption->excludes(endsOption);
    std::string select;
    app.add_option("--select", select,
                   "write the input graphs with that verdict to standard output, byte for byte as read, "
                   "instead of the result lines (with --path*: hamiltonian = a path, no-cycle = proved to "
                   "have none)")
        ->check(OneOf({"hamiltonian", "no-cycle", "undecided"}))
        ->type_name("hamiltonian|no-cycle|undecided");
    app.add_option("--results", opts.resultsFile,
                   "with --select, write the result lines to FILE (replaced when the run ends) instead of "
                   "standard error")
        ->type_name("FILE");

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return HelpWritten(app.exit(e));
    } catch (const CLI::CallForVersion& e) {
        return HelpWritten(app.exit(e));
    } catch (const CLI::ParseError& e) {
        std::cerr << "hcpsolve: error: " << e.what() << " (see hcpsolve --help)\n";
        return 2;
    }
    opts.format = format == "csv" ? Format::Csv : format == "json" ? Format::Json : Format::Text;
    if (path) {
        opts.question = hcp::Question::Path();
        opts.questionOption = "--path";
    } else if (!pathFrom.empty()) {
        opts.question = hcp::Question::PathFrom(NodeIndex(pathFrom));
        opts.questionOption = "--path-from " + pathFrom;
    } else if (!pathEnds.empty()) {
        const std::size_t comma = pathEnds.find(',');
        opts.question = hcp::Question::PathBetween(NodeIndex(pathEnds.substr(0, comma)),
                                                   NodeIndex(pathEnds.substr(comma + 1)));
        opts.questionOption = "--path-ends " + pathEnds;
    }
    opts.select = select == "hamiltonian" ? Select::Hamiltonian
                : select == "no-cycle"    ? Select::NoCycle
                : select == "undecided"   ? Select::Undecided
                                          : Select::None;
    if (opts.verify.empty() && opts.files.empty()) {
        std::cerr << "hcpsolve: error: no graph file given (see hcpsolve --help)\n";
        return 2;
    }
    if (app.count("--output-dir") > 0 && opts.outDir.empty()) {
        std::cerr << "hcpsolve: error: -o needs a folder name, not an empty one (see hcpsolve --help)\n";
        return 2;
    }
    if (app.count("--results") > 0 && (opts.select == Select::None || opts.resultsFile.empty())) {
        std::cerr << "hcpsolve: error: "
                  << (opts.resultsFile.empty() ? "--results needs a file name, not an empty one"
                                               : "--results goes with --select; without it the results go to standard output")
                  << " (see hcpsolve --help)\n";
        return 2;
    }
    if (!opts.verify.empty() && opts.select != Select::None) {
        std::cerr << "hcpsolve: error: --select filters the graphs of a solving run; it does not go with --verify\n";
        return 2;
    }
    if (!opts.verify.empty() && !opts.files.empty()) {
        std::cerr << "hcpsolve: error: --verify takes exactly one graph and one tour, "
                     "not further files\n";
        return 2;
    }
    return -1;
}

}  // namespace hcpsolve
