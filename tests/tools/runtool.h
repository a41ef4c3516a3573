// Runs one of the command-line tools as a child process in a folder of the
// test's own, and hands back its exit status and both output streams.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tooltest {

struct ToolRun {
    int status = -1;        // exit status, or 128 + signal number
    std::string out;        // standard output
    std::string err;        // standard error
    double seconds = 0;     // wall time
};

// A fresh empty folder, removed again when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

// Runs program with args in folder cwd. When interruptAfterMs is positive,
// sends SIGINT that many milliseconds after the start.
ToolRun RunTool(const std::string& program, const std::vector<std::string>& args,
                const std::filesystem::path& cwd, int interruptAfterMs = 0);

// Runs leaper a b m n in dir and returns the name of the file it wrote.
std::string MakeLeaperGraph(const TempDir& dir, int a, int b, int m, int n);

std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& text);
std::vector<std::string> SplitLines(const std::string& text);
// Names of the files in a folder, sorted.
std::vector<std::string> ListDir(const std::filesystem::path& dir);

}  // namespace tooltest
