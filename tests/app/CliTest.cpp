#include "common/TestSupport.h"

#include <gtest/gtest.h>

using testsupport::RunCli;

TEST(Cli, VersionHelpAndUsageErrors)
{
    auto v = RunCli({"--version"});
    EXPECT_EQ(v.exitCode, 0);
    EXPECT_EQ(v.out.trimmed(), QByteArray("Tagmora 4.2"));

    auto h = RunCli({"--help"});
    EXPECT_EQ(h.exitCode, 0);
    EXPECT_TRUE(h.out.contains("Usage: tagmora-cli"));

    auto none = RunCli({});
    EXPECT_EQ(none.exitCode, 2);

    auto bad = RunCli({"no-such-command"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_TRUE(bad.err.contains("unknown command"));
}
