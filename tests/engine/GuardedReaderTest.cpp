// The child-process reader behind the spreadsheet and database imports:
// frames arrive in order, and a child that crashes, stalls or sends a
// malformed frame never takes the importer with it.
#include "engine/datasheet/GuardedReader.h"
#include "engine/datasheet/ImportSupport.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <unistd.h>

#ifdef TAGMORA_GUARDED_READER

namespace {

struct TReceived {
    QList<QPair<char, QByteArray>> frames;
    bool finished = false;
    bool damaged = false;
};

TReceived ReadAll(const std::function<void(TFrameWriter&)>& child, int stallMs = 10000)
{
    TReceived got;
    try {
        TGuardedReader reader(child, stallMs);
        char kind;
        QByteArray payload;
        while (reader.Next(kind, payload))
            got.frames.append({kind, payload});
        got.finished = reader.Finish();
    } catch (const EImportError& e) {
        EXPECT_STREQ(e.what(), "");  // the caller words the message
        got.damaged = true;
    }
    return got;
}

}  // namespace

TEST(GuardedReader, FramesArriveInOrderThenDone)
{
    // Many frames, some larger than the pipe's buffer, with binary payloads.
    const TReceived got = ReadAll([](TFrameWriter& out) {
        for (int i = 0; i < 300; ++i) {
            std::string payload(size_t(i) * 997, char(i));
            payload += std::string("\0\xff", 2);
            out.Send('R', payload);
        }
    });
    ASSERT_FALSE(got.damaged);
    EXPECT_TRUE(got.finished);
    ASSERT_EQ(got.frames.size(), 301);
    for (int i = 0; i < 300; ++i) {
        EXPECT_EQ(got.frames[i].first, 'R');
        ASSERT_EQ(got.frames[i].second.size(), i * 997 + 2) << i;
        EXPECT_EQ(got.frames[i].second.right(2), QByteArray("\0\xff", 2));
    }
    EXPECT_EQ(got.frames.last().first, TGuardedReader::frameDone);
}

TEST(GuardedReader, ChildThatCrashesOrStopsEarlyIsNoticed)
{
    // A crash after some frames: what came is delivered, the end is not clean.
    TReceived got = ReadAll([](TFrameWriter& out) {
        out.Send('R', std::string("first"));
        out.Flush();
        std::abort();
    });
    EXPECT_FALSE(got.damaged);
    EXPECT_FALSE(got.finished);
    ASSERT_EQ(got.frames.size(), 1);
    EXPECT_EQ(got.frames[0].second, QByteArray("first"));

    // A child that exits on its own without its done frame.
    got = ReadAll([](TFrameWriter& out) {
        out.Send('R', std::string("partial"));
        out.Flush();
        _exit(0);
    });
    EXPECT_TRUE(got.finished);
    EXPECT_TRUE(got.frames.isEmpty() || got.frames.last().first != TGuardedReader::frameDone);

    // An exception in the child ends the child, not the test.
    got = ReadAll([](TFrameWriter&) { ThrowImportError(QStringLiteral("thrown in the child")); });
    EXPECT_FALSE(got.damaged);
    EXPECT_FALSE(got.finished);
    EXPECT_TRUE(got.frames.isEmpty());
}

TEST(GuardedReader, StalledChildOrOversizedFrameIsStopped)
{
    QElapsedTimer timer;
    timer.start();
    TReceived got = ReadAll([](TFrameWriter&) { ::sleep(30); }, 300);
    EXPECT_TRUE(got.damaged);
    EXPECT_LT(timer.elapsed(), 10000);

    // A frame larger than a frame may be.
    got = ReadAll([](TFrameWriter& out) { out.Send('R', std::string((64u << 20) + 1, 'x')); });
    EXPECT_TRUE(got.damaged);
}

TEST(GuardedReader, NestedChildKeepsTheLimitItStartedUnder)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer reserves more address space than the limit";
#endif
    // A child asking for 8 GB of room maps 1.5 GB (never touched) on its own,
    // but not when it runs inside a reader.
    auto roomy = [](TFrameWriter& out) {
        TGuardedLimits limits;
        limits.ExtraAddressSpace = qint64(8) << 30;
        TGuardedChild inner(
            [](TFrameWriter& o) {
                void* p = std::malloc(size_t(3) << 29);
                o.Send('M', std::string(p ? "mapped" : "refused"));
                std::free(p);
            },
            limits);
        char kind;
        QByteArray payload;
        while (inner.Next(kind, payload))
            if (kind == 'M')
                out.Send('M', payload);
        inner.Finish();
    };
    for (const auto& [inReader, expected] : {std::pair{false, "mapped"}, std::pair{true, "refused"}}) {
        TReceived got;
        if (inReader) {
            got = ReadAll(roomy);
        } else {
            TGuardedChild outer(roomy, TGuardedLimits{0, 0, 10000, 0});
            char kind;
            QByteArray payload;
            while (outer.Next(kind, payload))
                got.frames.append({kind, payload});
        }
        ASSERT_FALSE(got.frames.isEmpty());
        EXPECT_EQ(got.frames.front().second, QByteArray(expected)) << inReader;
    }
}

#endif
