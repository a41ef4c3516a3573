#include "tourfile.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>
#include <unistd.h>

namespace hcpsolve {

namespace fs = std::filesystem;

bool WriteTourFile(const std::string& path, const std::string& name,
                   const std::vector<int>& order, int gaps, std::string& error)
{
    std::string text;
    text.reserve(order.size() * 8 + 128);
    text += "NAME: " + name + "\n";
    text += "TYPE: TOUR\n";
    text += "COMMENT: HCP solution (H=" + std::to_string(gaps) + ")\n";
    text += "DIMENSION: " + std::to_string(order.size()) + "\n";
    text += "TOUR_SECTION\n";
    for (int v : order) {
        text += "  ";
        text += std::to_string(v);
        text += '\n';
    }
    text += "-1\nEOF\n";

    // The temporary sits next to the target so that the rename stays within
    // one file system; the process id keeps parallel runs apart.
    const std::string temp = path + ".tmp" + std::to_string(::getpid());
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (f == nullptr) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    const int savedErrno = errno;
    const bool closed = std::fclose(f) == 0;
    if (!written || !closed) {
        error = "cannot write " + path + ": " + std::strerror(written ? errno : savedErrno);
        std::remove(temp.c_str());
        return false;
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

namespace {

std::string Trim(const std::string& s)
{
    std::size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t' || s[b] == '\r')) ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r')) --e;
    return s.substr(b, e - b);
}

bool ParseLong(const std::string& s, long& value)
{
    const char* first = s.data();
    const char* last = s.data() + s.size();
    if (first != last && *first == '+') ++first;
    auto [ptr, ec] = std::from_chars(first, last, value);
    return ec == std::errc() && ptr == last && first != last;
}

}  // namespace

bool ReadTourFile(const std::string& path, TourFile& tour, std::string& error)
{
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        error = path + ": is a directory";
        return false;
    }
    std::ifstream in(path);
    if (!in) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    auto fail = [&](long line, const std::string& problem) {
        error = path + ":" + std::to_string(line) + ": " + problem;
        return false;
    };

    std::string raw;
    long line = 0;
    bool inSection = false;
    bool closed = false;
    while (std::getline(in, raw)) {
        ++line;
        const std::string text = Trim(raw);
        if (!inSection) {
            if (text.empty()) continue;
            const std::size_t colon = text.find(':');
            const std::string key = Trim(text.substr(0, colon));
            const std::string value = colon == std::string::npos ? "" : Trim(text.substr(colon + 1));
            if (key == "TOUR_SECTION") {
                inSection = true;
            } else if (key == "EOF") {
                return fail(line, "EOF before TOUR_SECTION");
            } else if (key == "TYPE") {
                if (value != "TOUR") return fail(line, "TYPE is \"" + value + "\", not TOUR");
            } else if (key == "DIMENSION") {
                long n = 0;
                if (!ParseLong(value, n) || n < 0)
                    return fail(line, "DIMENSION \"" + value + "\" is not a node count");
                tour.dimension = n;
            } else if (colon == std::string::npos) {
                return fail(line, "\"" + text + "\" is neither a KEY: value line nor TOUR_SECTION");
            }
            // NAME, COMMENT and other keywords carry nothing the check needs.
            continue;
        }
        std::istringstream words(text);
        std::string word;
        while (words >> word) {
            long v = 0;
            if (!ParseLong(word, v))
                return fail(line, "\"" + word + "\" is not a node number");
            if (v == -1) {
                closed = true;
                break;
            }
            if (v < 1 || v > 32767)
                return fail(line, "node number " + word + " is out of range");
            tour.nodes.push_back(static_cast<int>(v));
            tour.lines.push_back(static_cast<int>(line));
        }
        if (closed) break;
    }
    if (in.bad()) return fail(line, "read error");
    if (!inSection) return fail(line, "no TOUR_SECTION");
    if (!closed) return fail(line, "file ends before the -1 that closes TOUR_SECTION");
    // After -1 only EOF or blank lines are expected; anything else is ignored
    // as TSPLIB allows further sections.
    return true;
}

std::string TourPathFor(const std::string& dir, const std::string& graphPath)
{
    std::string stem = fs::path(graphPath).filename().string();
    const std::size_t dot = stem.rfind('.');
    if (dot != std::string::npos && dot > 0) stem.resize(dot);
    return (fs::path(dir) / (stem + ".tour")).string();
}

}  // namespace hcpsolve
