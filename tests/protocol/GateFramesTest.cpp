#include "protocol/GateFrames.h"

#include <gtest/gtest.h>

#include <string>

namespace zelto {
namespace {

struct ExtractCase {
    const char *name;
    const char *source;
    const char *frame;
    const char *remainder;
};

void PrintTo(const ExtractCase &c, std::ostream *out) { *out << c.name; }

class ExtractFrameCase : public ::testing::TestWithParam<ExtractCase> {};

TEST_P(ExtractFrameCase, TakesTheFirstFrame)
{
    const ExtractCase &c = GetParam();
    QByteArrayView frame;
    const QByteArrayView remainder = ExtractFrame(QByteArrayView(c.source), frame);
    EXPECT_EQ(frame.toByteArray(), QByteArray(c.frame));
    EXPECT_EQ(remainder.toByteArray(), QByteArray(c.remainder));
}

INSTANTIATE_TEST_SUITE_P(Frames, ExtractFrameCase,
    ::testing::Values(ExtractCase{"empty", "", "", ""},
        ExtractCase{"complete_then_partial", "#abc!#de", "abc", "#de"},
        ExtractCase{"text_before_start", "xy#abc!z", "abc", "z"},
        ExtractCase{"no_end_yet", "#abc", "", "#abc"},
        ExtractCase{"end_before_start", "ab!cd#ef", "", "#ef"},
        ExtractCase{"end_without_start", "abc!", "", ""},
        ExtractCase{"lone_start", "#", "", "#"},
        ExtractCase{"lone_other", "x", "", ""},
        ExtractCase{"empty_frame", "#!rest", "", "rest"},
        ExtractCase{"two_starts", "##a!", "#a", ""}),
    [](const auto &info) { return std::string(info.param.name); });

std::vector<QByteArray> TakeAll(TGateReceiveBuffer &buffer)
{
    std::vector<QByteArray> frames;
    while (const std::optional<QByteArray> frame = buffer.TakeFrame())
        frames.push_back(*frame);
    return frames;
}

TEST(GateReceiveBuffer, CompletesAFrameSplitOverReads)
{
    TGateReceiveBuffer buffer;
    buffer.Append("#abc!#de");
    EXPECT_EQ(TakeAll(buffer), std::vector<QByteArray>{"abc"});
    EXPECT_EQ(buffer.Text(), QByteArray("#de"));
    buffer.Append("f!");
    EXPECT_EQ(TakeAll(buffer), std::vector<QByteArray>{"def"});
    EXPECT_TRUE(buffer.Text().isEmpty());
}

TEST(GateReceiveBuffer, DropsWhatCannotBecomeAFrame)
{
    TGateReceiveBuffer buffer;
    buffer.Append("no start here!");
    EXPECT_TRUE(TakeAll(buffer).empty());
    EXPECT_TRUE(buffer.Text().isEmpty());

    buffer.Append("#!#!junk#x!");
    EXPECT_EQ(TakeAll(buffer), std::vector<QByteArray>{"x"}); // empty frames are skipped
}

TEST(GateReceiveBuffer, AnEndlessFrameIsCappedAndTheStreamRecovers)
{
    TGateReceiveBuffer buffer;
    buffer.Append("#" + QByteArray(TGateReceiveBuffer::kMaxBufferedBytes, 'g'));
    EXPECT_TRUE(TakeAll(buffer).empty());
    EXPECT_TRUE(buffer.Text().isEmpty());
    buffer.Append("tail of the lost frame!#next!");
    EXPECT_EQ(TakeAll(buffer), std::vector<QByteArray>{"next"});

    // Up to the cap the incomplete frame waits.
    buffer.Append("#" + QByteArray(TGateReceiveBuffer::kMaxBufferedBytes - 1, 'g'));
    EXPECT_TRUE(TakeAll(buffer).empty());
    EXPECT_EQ(buffer.Text().size(), TGateReceiveBuffer::kMaxBufferedBytes);
}

TEST(FrameCounter, RunsZeroThenOneToNineOverAndOver)
{
    TFrameCounter counter;
    QByteArray digits;
    for (int i = 0; i < 21; ++i) {
        digits.append(counter.Digit());
        counter.Advance();
    }
    EXPECT_EQ(digits, QByteArray("012345678912345678912"));
    EXPECT_EQ(LauncherFrame('7', "payload"), QByteArray("#7payload!"));
}

} // namespace
} // namespace zelto
