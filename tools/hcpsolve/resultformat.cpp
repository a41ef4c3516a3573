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

namespace {

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

std::string ResultHeader(Format format)
{
    if (format == Format::Csv)
        return "file,n,edges,verdict,h,calls,seconds,seed,restart,method,error,reason,tour";
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
        std::string line = file + ": N=" + std::to_string(r.n) + " edges=" + std::to_string(r.edges)
                         + " " + VerdictName(r.verdict) + " H=" + OrDash(hasOrder, r.gaps)
                         + " calls=" + std::to_string(r.calls) + " time=" + Seconds(r.seconds) + "s";
        if (!reason.empty()) line += " (" + reason + ")";
        if (!r.tourShown.empty()) line += " tour=" + hcp::EscapeControls(r.tourShown);
        return line;
    }
    case Format::Csv:
        return CsvField(r.file) + "," + OrEmpty(read, r.n) + "," + OrEmpty(read, r.edges) + ","
             + VerdictName(r.verdict) + "," + OrEmpty(hasOrder, r.gaps) + ","
             + std::to_string(r.calls) + "," + Seconds(r.seconds) + ","
             + OrEmpty(ran, r.seed) + "," + OrEmpty(ran, r.restart) + "," + CsvField(r.method)
             + "," + CsvField(r.error) + "," + CsvField(reason) + "," + CsvField(r.tourShown);
    case Format::Json: {
        nlohmann::ordered_json j;
        j["file"] = r.file;
        j["n"] = OrNull(read, r.n);
        j["edges"] = OrNull(read, r.edges);
        j["verdict"] = VerdictName(r.verdict);
        j["h"] = OrNull(hasOrder, r.gaps);
        j["calls"] = r.calls;
        j["seconds"] = std::round(r.seconds * 1000.0) / 1000.0;
        j["seed"] = OrNull(ran, r.seed);
        j["restart"] = OrNull(ran, r.restart);
        j["method"] = r.method;
        if (!read) j["error"] = r.error;
        if (!reason.empty()) j["reason"] = reason;
        if (!r.tourShown.empty()) j["tour"] = r.tourShown;
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
