// Text forms of the order: the TSPLIB TOUR file, the one-line cycle string
// and the progress report line.
#include "cycle/touroutput.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <vector>

#include "cycle/cycle.h"
#include "graph/diagnostics.h"
#include "io/atomicfile.h"
#include "io/tourtext.h"

namespace {

void AppendInt(std::string& s, int v)
{
    char buf[16];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    s.append(buf, r.ptr);
}

void ReportFileError(const char* what, const std::string& file)
{
    hcp::Diagnostics() << what << file << std::endl;
}

// Local time of day as HH:MM:SS.
std::string TimeOfDay()
{
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
#if defined(_WIN32)
    localtime_s(&tm, &now);
#else
    localtime_r(&now, &tm);
#endif
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", tm.tm_hour, tm.tm_min, tm.tm_sec);
    return buf;
}

}  // namespace

namespace hcp {

std::string TourFileName(const std::string& name)
{
    const std::string::size_type dot = name.rfind('.');
    std::string file = dot == std::string::npos ? name : name.substr(0, dot);
    file += ".tou";
    return file;
}

}  // namespace hcp

// The file is written by the engine's one atomic save (a temporary next
// to it, then a rename), so that a failed write neither reports success
// nor leaves a half-written tour in place of the old one. A file that
// exists but may not be written, and anything there that is not a regular
// file (a FIFO, a device), is refused as unopenable rather than replaced. The text is the engine's one TOUR layout.
bool CCycle::StoreCycle(const char* name)
{
    if (!name) {
        ReportFileError("Cannot open file ", "(no name given)");
        return false;
    }
    const std::string given = name;
    const std::string file = hcp::TourFileName(given);
    namespace fs = std::filesystem;

    std::error_code ec;
    if (fs::is_regular_file(file, ec)) {
        std::ofstream probe(file, std::ios::out | std::ios::app);
        if (!probe) {
            ReportFileError("Cannot open file ", file);
            return false;
        }
    }
    const std::vector<std::uint32_t> nodes(m_path.begin(), m_path.end());
    const std::string comment = "HCP solution (H=" + std::to_string(CalcPathLen()) + ")";
    const std::string text = hcp::TourText(given, comment, static_cast<std::size_t>(GetDim()), nodes, 0);
    switch (hcp::WriteFileAtomically(file, text)) {
    case hcp::AtomicWrite::Ok:
        return true;
    case hcp::AtomicWrite::CannotCreate:
    case hcp::AtomicWrite::NotRegularFile:
        ReportFileError("Cannot open file ", file);
        return false;
    case hcp::AtomicWrite::CannotWrite:
        break;
    }
    ReportFileError("Cannot write file ", file);
    return false;
}

std::string CCycle::MakeString()
{
    std::string body;
    body.reserve(6 * m_path.size() + 8);
    int h = 0;
    if (!m_path.empty()) {
        AppendInt(body, m_path.front());
        // A lone node's link to itself has no pair, so it is not a gap.
        const bool single = m_path.size() == 1;
        for (Position p = m_path.begin(); p != m_path.end(); ++p) {
            const short u = *p;
            const short v = *Next(p);
            const bool gap = !single && !GetEdge(u, v);
            h += gap ? 1 : 0;
            body += gap ? '=' : ' ';
            AppendInt(body, v);
        }
    }
    body += '}';
    std::string text = "\n(";
    AppendInt(text, h);
    text += "): {";
    text += body;
    return text;
}

void CCycle::MakeString(char* text)
{
    if (!text) return;
    const std::string s = MakeString();
    std::memcpy(text, s.c_str(), s.size() + 1);
}

void CCycle::PrintReport(int level, std::ostream& os)
{
    if (level != 1) return;
    const std::string time = TimeOfDay();
    const int h = CalcPathLen();
    os << '\n' << std::flush;
    os << "H=" << h << '\t' << time;
}
