// Text forms of the order: the TSPLIB TOUR file, the one-line cycle string
// and the progress report line.
#include "cycle/touroutput.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <ostream>

#include "cycle/cycle.h"

namespace {

void AppendInt(std::string& s, int v)
{
    char buf[16];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    s.append(buf, r.ptr);
}

// The whole TOUR file; H is counted over the order as it stands.
std::string TourText(CCycle& c, const char* name)
{
    std::string s;
    s.reserve(96 + std::strlen(name) + 8 * c.m_path.size());
    s += "NAME: ";
    s += name;
    s += "\nTYPE: TOUR\nCOMMENT: HCP solution (H=";
    AppendInt(s, c.CalcPathLen());
    s += ")\nDIMENSION: ";
    AppendInt(s, c.GetDim());
    s += "\nTOUR_SECTION\n";
    for (short v : c.m_path) {
        s += "  ";
        AppendInt(s, v);
        s += '\n';
    }
    s += "-1\nEOF\n";
    return s;
}

void ReportFileError(const char* what, const std::string& file)
{
    std::cerr << what << file << std::endl;
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

// The file is written under a temporary name next to it and then renamed
// over it, so that a failed write neither reports success nor leaves a
// half-written tour in place of the old one. A file that exists but may
// not be written is refused as unopenable rather than replaced.
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
    if (fs::exists(file, ec)) {
        std::ofstream probe(file, std::ios::out | std::ios::app);
        if (!probe) {
            ReportFileError("Cannot open file ", file);
            return false;
        }
    }
    const std::string temp = file + ".tmp";
    std::ofstream out(temp, std::ios::out | std::ios::trunc);
    if (!out) {
        ReportFileError("Cannot open file ", file);
        return false;
    }
    const std::string text = TourText(*this, given.c_str());
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out) {
        fs::remove(temp, ec);
        ReportFileError("Cannot write file ", file);
        return false;
    }
    fs::rename(temp, file, ec);
    if (ec) {
        fs::remove(temp, ec);
        ReportFileError("Cannot write file ", file);
        return false;
    }
    return true;
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
