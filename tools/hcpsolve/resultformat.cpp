#include "resultformat.h"

#include <cmath>
#include <cstdio>

#include <nlohmann/json.hpp>

#include "io/messagetext.h"

namespace hcpsolve {

const char* VerdictName(Verdict v)
{
    switch (v) {
    case Verdict::Hamiltonian: return "HAMILTONIAN";
    case Verdict::NoCycle: return "NO_CYCLE";
    case Verdict::NotFound: return "NOT_FOUND";
    case Verdict::Error: return "ERROR";
    }
    return "?";
}

std::string VerdictWord(Verdict v, const hcp::Question& q)
{
    if (!q.IsPath() || v == Verdict::Error) return VerdictName(v);
    const hcp::Verdict engine = v == Verdict::Hamiltonian ? hcp::Verdict::Hamiltonian
                              : v == Verdict::NoCycle     ? hcp::Verdict::NoCycle
                                                          : hcp::Verdict::Unknown;
    return std::string(hcp::VerdictWord(engine, hcp::Goal::Path));
}

namespace {

// A path end as the files number it, or "" when the question leaves it free.
std::string EndText(const std::optional<hcp::NodeId>& end)
{
    return end ? std::to_string(std::uint64_t{*end} + 1) : std::string();
}

std::string Seconds(double s)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.3f", s);
    return buf;
}

// RFC 4180: quote a field that holds a comma, a quote or a line end.
std::string CsvField(const std::string& s)
{
    if (s.find_first_of(",\"\r\n") == std::string::npos) return s;
    std::string q = "\"";
    for (char c : s) {
        if (c == '"') q += '"';
        q += c;
    }
    return q + "\"";
}

std::string OrDash(bool known, long long v) { return known ? std::to_string(v) : "-"; }
std::string OrEmpty(bool known, long long v) { return known ? std::to_string(v) : ""; }

template <class T>
nlohmann::ordered_json OrNull(bool known, T v)
{
    return known ? nlohmann::ordered_json(v) : nlohmann::ordered_json(nullptr);
}

}  // namespace

std::string ResultHeader(Format format, const hcp::Question& q)
{
    if (format == Format::Csv)
        return std::string("file,n,edges,verdict,h,calls,seconds,seed,restart,method,error,reason,tour")
             + (q.IsPath() ? ",question,from,to" : "");
    return "";
}

std::string FormatResult(Format format, const FileResult& r)
{
    const bool read = r.verdict != Verdict::Error;
    const bool hasOrder = r.gaps >= 0;
    const bool ran = r.restart >= 0;
    // Only a proof carries a reason; a search that gave up has none to give.
    const std::string reason = r.verdict == Verdict::NoCycle ? r.reason : std::string();
    switch (format) {
    case Format::Text: {
        // File names may hold any byte; a text line shows control
        // characters escaped so that it stays one line on a terminal.
        const std::string file = hcp::EscapeControls(r.file);
        if (!read) return file + ": ERROR";
        std::string line = file + ": N=" + std::to_string(r.n) + (r.directed ? " arcs=" : " edges=")
                         + std::to_string(r.edges) + " " + VerdictWord(r.verdict, r.question) + " H=" + OrDash(hasOrder, r.gaps)
                         + " calls=" + std::to_string(r.calls) + " time=" + Seconds(r.seconds) + "s";
        if (!reason.empty()) line += " (" + reason + ")";
        if (!r.tourShown.empty()) line += " tour=" + hcp::EscapeControls(r.tourShown);
        return line;
    }
    case Format::Csv:
        return CsvField(r.file) + "," + OrEmpty(read, r.n) + "," + OrEmpty(read, r.edges) + ","
             + VerdictWord(r.verdict, r.question) + "," + OrEmpty(hasOrder, r.gaps) + ","
             + std::to_string(r.calls) + "," + Seconds(r.seconds) + ","
             + OrEmpty(ran, r.seed) + "," + OrEmpty(ran, r.restart) + "," + CsvField(r.method)
             + "," + CsvField(r.error) + "," + CsvField(reason) + "," + CsvField(r.tourShown)
             + (r.question.IsPath() ? ",path," + EndText(r.question.from) + "," + EndText(r.question.to) : "");
    case Format::Json: {
        nlohmann::ordered_json j;
        j["file"] = r.file;
        j["n"] = OrNull(read, r.n);
        j["edges"] = OrNull(read, r.edges);
        if (r.directed) j["directed"] = true;
        j["verdict"] = VerdictWord(r.verdict, r.question);
        j["h"] = OrNull(hasOrder, r.gaps);
        j["calls"] = r.calls;
        j["seconds"] = std::round(r.seconds * 1000.0) / 1000.0;
        j["seed"] = OrNull(ran, r.seed);
        j["restart"] = OrNull(ran, r.restart);
        j["method"] = r.method;
        if (!read) j["error"] = r.error;
        if (!reason.empty()) j["reason"] = reason;
        if (!r.tourShown.empty()) j["tour"] = r.tourShown;
        if (r.question.IsPath()) {
            j["question"] = "path";
            if (r.question.from) j["from"] = std::uint64_t{*r.question.from} + 1;
            if (r.question.to) j["to"] = std::uint64_t{*r.question.to} + 1;
        }
        return j.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
    }
    }
    return "";
}

std::string VerifyHeader(Format format)
{
    if (format == Format::Csv) return "tour,graph,n,verdict,h,detail";
    return "";
}

std::string FormatVerify(Format format, const VerifyResult& r)
{
    const bool hasGaps = r.gaps >= 0;
    switch (format) {
    case Format::Text: {
        std::string line = hcp::EscapeControls(r.tour) + ": " + r.verdict + " H=" + OrDash(hasGaps, r.gaps)
                         + " N=" + std::to_string(r.n) + " graph=" + hcp::EscapeControls(r.graph);
        if (!r.detail.empty()) line += " (" + r.detail + ")";
        return line;
    }
    case Format::Csv:
        return CsvField(r.tour) + "," + CsvField(r.graph) + "," + std::to_string(r.n) + ","
             + r.verdict + "," + OrEmpty(hasGaps, r.gaps) + "," + CsvField(r.detail);
    case Format::Json: {
        nlohmann::ordered_json j;
        j["tour"] = r.tour;
        j["graph"] = r.graph;
        j["n"] = r.n;
        j["verdict"] = r.verdict;
        j["h"] = OrNull(hasGaps, r.gaps);
        j["detail"] = r.detail;
        return j.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
    }
    }
    return "";
}

}  // namespace hcpsolve
