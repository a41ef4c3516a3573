// The one atomic save: only regular files are replaced, a link is written
// through to its target and stays a link, and whatever goes wrong leaves
// the old file whole and no temporary behind. Devices are copies of
// /dev/null made with mknod where the tests may (as root), else /dev/null
// itself through a link.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include "graph/bitgraph.h"
#include "io/atomicfile.h"
#include "io/hcpsave.h"
#include "io/readerror.h"
#include "io/tourfile.h"

namespace fs = std::filesystem;
using hcp::AtomicWrite;

namespace {

class AtomicSave : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device rd;
        m_dir = fs::temp_directory_path() / ("tourvane-atomic-" + std::to_string(rd()));
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string Path(const std::string& name) const { return (m_dir / name).string(); }
    void Write(const std::string& name, const std::string& text) const
    {
        std::ofstream(m_dir / name, std::ios::binary) << text;
    }
    std::string Read(const std::string& name) const
    {
        std::ifstream in(m_dir / name, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::vector<std::string> Files(const fs::path& dir) const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    std::vector<std::string> Files() const { return Files(m_dir); }
    // A character device like /dev/null at name; false when this process
    // may not make one.
    bool MakeDevice(const std::string& name) const
    {
        return ::mknod(Path(name).c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    }
    AtomicWrite Save(const std::string& path, const std::string& text, std::string* reason = nullptr) const
    {
        return hcp::WriteFileAtomically(path, text, reason);
    }

    fs::path m_dir;
};

bool IsCharDevice(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISCHR(st.st_mode);
}

}  // namespace

TEST_F(AtomicSave, AFifoIsRefusedWithoutWaitingForAReader)
{
    ASSERT_EQ(::mkfifo(Path("out.tour").c_str(), 0644), 0);
    std::string reason;
    EXPECT_EQ(Save(Path("out.tour"), "text\n", &reason), AtomicWrite::NotRegularFile);
    EXPECT_EQ(reason, "Is a FIFO, not a regular file");
    EXPECT_TRUE(fs::is_fifo(m_dir / "out.tour"));
    EXPECT_EQ(Files(), std::vector<std::string>{"out.tour"}) << "no temporary left";
}

TEST_F(AtomicSave, ADeviceIsRefusedAndStaysADevice)
{
    if (!MakeDevice("null")) GTEST_SKIP() << "mknod needs root";
    std::string reason;
    EXPECT_EQ(Save(Path("null"), "text\n", &reason), AtomicWrite::NotRegularFile);
    EXPECT_EQ(reason, "Is a character device, not a regular file");
    EXPECT_TRUE(IsCharDevice(Path("null")));
    EXPECT_EQ(Files(), std::vector<std::string>{"null"});
}

TEST_F(AtomicSave, ADirectoryOrASocketIsRefused)
{
    fs::create_directory(m_dir / "folder.hcp");
    std::string reason;
    EXPECT_EQ(Save(Path("folder.hcp"), "text\n", &reason), AtomicWrite::NotRegularFile);
    EXPECT_EQ(reason, "Is a directory");
    EXPECT_TRUE(fs::is_directory(m_dir / "folder.hcp"));
    EXPECT_TRUE(fs::is_empty(m_dir / "folder.hcp"));

    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un addr {};
    addr.sun_family = AF_UNIX;
    const std::string sock = Path("s");
    ASSERT_LT(sock.size(), sizeof addr.sun_path);
    std::copy(sock.begin(), sock.end(), addr.sun_path);
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr), 0);
    EXPECT_EQ(Save(sock, "text\n", &reason), AtomicWrite::NotRegularFile);
    EXPECT_EQ(reason, "Is a socket, not a regular file");
    EXPECT_TRUE(fs::is_socket(sock));
    ::close(fd);
    EXPECT_EQ(Files(), (std::vector<std::string>{"folder.hcp", "s"}));
}

TEST_F(AtomicSave, ALinkToARegularFileIsWrittenThroughAndStaysALink)
{
    fs::create_directory(m_dir / "real");
    Write("real/graph.hcp", "old\n");
    ::chmod(Path("real/graph.hcp").c_str(), 0604);
    fs::create_directory(m_dir / "links");
    // A relative link, resolved from the link's own folder, then a link to
    // that link.
    fs::create_symlink("../real/graph.hcp", m_dir / "links" / "first");
    fs::create_symlink(m_dir / "links" / "first", m_dir / "second");
    ASSERT_EQ(Save(Path("second"), "new\n"), AtomicWrite::Ok);
    EXPECT_TRUE(fs::is_symlink(m_dir / "second"));
    EXPECT_TRUE(fs::is_symlink(m_dir / "links" / "first"));
    EXPECT_EQ(fs::read_symlink(m_dir / "links" / "first"), "../real/graph.hcp");
    EXPECT_EQ(Read("real/graph.hcp"), "new\n");
    EXPECT_EQ(static_cast<unsigned>(fs::status(m_dir / "real/graph.hcp").permissions()) & 0777, 0604u)
        << "the target keeps its mode";
    EXPECT_EQ(Files(m_dir / "real"), std::vector<std::string>{"graph.hcp"});
    EXPECT_EQ(Files(m_dir / "links"), std::vector<std::string>{"first"});
}

TEST_F(AtomicSave, ALinkToNothingCreatesItsTarget)
{
    fs::create_symlink("made.tour", m_dir / "link.tour");
    ASSERT_EQ(Save(Path("link.tour"), "made\n"), AtomicWrite::Ok);
    EXPECT_TRUE(fs::is_symlink(m_dir / "link.tour"));
    EXPECT_EQ(Read("made.tour"), "made\n");
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(static_cast<mode_t>(fs::status(m_dir / "made.tour").permissions()) & 0777, 0666 & ~mask);
}

TEST_F(AtomicSave, ALinkToADeviceOrFifoIsRefusedAndTheTargetUntouched)
{
    fs::create_symlink("/dev/null", m_dir / "out.png");
    std::string reason;
    EXPECT_EQ(Save(Path("out.png"), "picture", &reason), AtomicWrite::NotRegularFile);
    EXPECT_EQ(reason, "Links to a character device (/dev/null), not a regular file");
    EXPECT_TRUE(fs::is_symlink(m_dir / "out.png"));
    EXPECT_TRUE(IsCharDevice("/dev/null"));

    ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0644), 0);
    fs::create_symlink("pipe", m_dir / "to_pipe");
    EXPECT_EQ(Save(Path("to_pipe"), "text", &reason), AtomicWrite::NotRegularFile);
    EXPECT_EQ(reason, "Links to a FIFO (" + Path("pipe") + "), not a regular file");
    EXPECT_TRUE(fs::is_fifo(m_dir / "pipe"));

    if (MakeDevice("full")) {
        fs::create_symlink(m_dir / "full", m_dir / "to_full");
        EXPECT_EQ(Save(Path("to_full"), "text", &reason), AtomicWrite::NotRegularFile);
        EXPECT_TRUE(IsCharDevice(Path("full")));
    }
    for (const std::string& name : Files())
        EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;
}

TEST_F(AtomicSave, ALinkLoopIsAnErrorNotAHang)
{
    fs::create_symlink("b", m_dir / "a");
    fs::create_symlink("a", m_dir / "b");
    std::string reason;
    EXPECT_EQ(Save(Path("a"), "text", &reason), AtomicWrite::CannotCreate);
    EXPECT_EQ(reason, "Too many levels of symbolic links");
}

TEST_F(AtomicSave, AFailedFillKeepsTheOldFileAndNoTemporary)
{
    Write("keep.hcp", "old\n");
    const auto half = [](std::ostream& os) {
        os << std::string(200000, 'x');   // more than one buffer has gone out
        return false;
    };
    EXPECT_EQ(hcp::WriteFileAtomically(Path("keep.hcp"), half), AtomicWrite::CannotWrite);
    EXPECT_EQ(Read("keep.hcp"), "old\n");
    const auto thrower = [](std::ostream& os) -> bool {
        os << std::string(200000, 'y');
        throw std::runtime_error("generator failed");
    };
    EXPECT_THROW(hcp::WriteFileAtomically(Path("keep.hcp"), thrower), std::runtime_error);
    EXPECT_EQ(Read("keep.hcp"), "old\n");
    EXPECT_EQ(Files(), std::vector<std::string>{"keep.hcp"});
}

// What a signal handler does while a large file is written: the temporary
// goes, and the save fails without touching the old file.
TEST_F(AtomicSave, PendingTemporariesAreRemovedOnRequest)
{
    Write("big.hcp", "old\n");
    std::vector<std::string> during;
    const auto interrupted = [&](std::ostream& os) {
        os << "partial";
        during = Files();
        hcp::RemovePendingTemporaries();
        return true;
    };
    EXPECT_EQ(hcp::WriteFileAtomically(Path("big.hcp"), interrupted), AtomicWrite::CannotWrite);
    EXPECT_EQ(during.size(), 2u) << "the temporary stood beside the target";
    EXPECT_EQ(Read("big.hcp"), "old\n");
    EXPECT_EQ(Files(), std::vector<std::string>{"big.hcp"});
    ASSERT_EQ(Save(Path("big.hcp"), "new\n"), AtomicWrite::Ok) << "a later save is not affected";
    EXPECT_EQ(Read("big.hcp"), "new\n");
}

// Every writer of the engine goes through the save: each refuses a FIFO
// and a link to a device with its own message and leaves them be.
TEST_F(AtomicSave, EveryWriterRefusesAFifoAndADeviceLink)
{
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0644), 0);
    fs::create_symlink("/dev/null", m_dir / "dev");
    const std::vector<hcp::NodeId> order{0, 1, 2};
    const hcp::Graph triangle = hcp::Graph::FromEdges(3, std::vector<hcp::Edge>{{0, 1}, {1, 2}, {0, 2}});
    for (const std::string name : {"fifo", "dev"}) {
        try {
            hcp::WriteTour(Path(name), order, {"t", ""});
            ADD_FAILURE() << "WriteTour replaced " << name;
        } catch (const hcp::FileError& e) {
            EXPECT_EQ(std::string(e.what()).rfind("cannot write " + Path(name) + ": ", 0), 0u) << e.what();
            EXPECT_NE(std::string(e.what()).find("not a regular file"), std::string::npos) << e.what();
        }
        EXPECT_THROW(hcp::SaveHcp(Path(name), triangle, {}), hcp::FileError) << name;
        CBitGraph g = triangle.ToBitGraph();
        testing::internal::CaptureStderr();
        EXPECT_FALSE(g.Store(Path(name).c_str()));
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "Cannot open file " + Path(name) + "\n");
    }
    EXPECT_TRUE(fs::is_fifo(m_dir / "fifo"));
    EXPECT_TRUE(fs::is_symlink(m_dir / "dev"));
    EXPECT_TRUE(IsCharDevice("/dev/null"));
    EXPECT_EQ(Files(), (std::vector<std::string>{"dev", "fifo"}));
}
