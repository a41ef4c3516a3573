// Stream output forwarded piece by piece to a sink.
#include <gtest/gtest.h>

#include <iomanip>
#include <ostream>
#include <string>

#include "logstreambuf.h"

TEST(LogStream, FormattedOutputReachesTheSinkAtOnce)
{
    std::string got;
    app::LogStreamBuf buf([&got](std::string_view s) { got.append(s); });
    std::ostream os(&buf);
    os << "H=" << 0;
    EXPECT_EQ(got, "H=0");
    os << ' ' << std::setw(4) << 12 << std::endl;
    EXPECT_EQ(got, "H=0   12\n");
    EXPECT_TRUE(os.good());
}

TEST(LogStream, WithoutASinkTextIsDroppedAndTheStreamStaysGood)
{
    app::LogStreamBuf buf;
    std::ostream os(&buf);
    os << "nothing" << 42 << std::flush;
    EXPECT_TRUE(os.good());
}

TEST(LogStream, SinkCanBeReplaced)
{
    std::string first, second;
    app::LogStreamBuf buf([&first](std::string_view s) { first.append(s); });
    std::ostream os(&buf);
    os << "a";
    buf.setSink([&second](std::string_view s) { second.append(s); });
    os << "b";
    EXPECT_EQ(first, "a");
    EXPECT_EQ(second, "b");
}
