#include "link/frame_receiver.h"

#include <gtest/gtest.h>

#include <string>

#include "support/frames.h"

namespace qeb::link {
namespace {

using test::FrameText;
using test::StreamFor;

// Feeds text in pieces of `pieceSize` bytes; returns how many pieces gave an accepted frame.
int Feed(FrameReceiver& receiver, const std::string& text, std::size_t pieceSize) {
    int accepted = 0;
    for (std::size_t i = 0; i < text.size(); i += pieceSize) {
        accepted += receiver.Append(std::string_view(text).substr(i, pieceSize)) ? 1 : 0;
    }
    return accepted;
}

StatusFrame Expected(const FrameText& f) {
    return {f.PH,    f.PHmin,  f.PHmax,      f.PPM,      f.KH,    f.Alarm,
            f.OutO2, f.OutCO2, f.Brightness, f.Contrast, f.Blank, f.Marker};
}

TEST(FrameReceiver, StartsInTheResetState) {
    FrameReceiver receiver;
    EXPECT_EQ(receiver.ReceiveBuffer(), "\r\n");
    EXPECT_EQ(receiver.FrameLines(), "\r\n");
    EXPECT_EQ(receiver.LineCount(), 1);
    EXPECT_TRUE(receiver.NothingReceived());
    EXPECT_EQ(receiver.CurrentStatus(), StatusFrame{});
}

TEST(FrameReceiver, AcceptsAFrameWhateverThePieceSize) {
    FrameText frame;
    frame.PH = "6,95";
    // 1 byte at a time, pieces that split CR from LF, odd sizes, and everything at once.
    for (std::size_t piece : {1u, 2u, 3u, 7u, 13u, 64u, 4096u}) {
        FrameReceiver receiver;
        EXPECT_EQ(Feed(receiver, StreamFor(frame), piece), 1) << "piece " << piece;
        EXPECT_EQ(receiver.CurrentStatus(), Expected(frame)) << "piece " << piece;
    }
}

TEST(FrameReceiver, TwentyThreeLinesWaitAndAnyPartOfTheTwentyFourthCuts) {
    FrameReceiver receiver;
    std::string lines = "-\r\n" + FrameText{}.Lines();  // with the reset line: 14 lines
    for (int i = 0; i < 9; ++i) {
        lines += "x\r\n";
    }
    ASSERT_FALSE(receiver.Append(lines));
    EXPECT_EQ(receiver.LineCount(), 23);
    EXPECT_EQ(receiver.FrameLines(), "\r\n");
    EXPECT_TRUE(receiver.Append("y"));  // a partial line counts
    EXPECT_EQ(receiver.ReceiveBuffer(), "\r\n");
}

TEST(FrameReceiver, ALoneCrAtTheEndIsHalfALineBreak) {
    FrameReceiver receiver;
    receiver.Append("abc\r");
    EXPECT_EQ(receiver.LineCount(), 2);
    receiver.Append("\n");
    EXPECT_EQ(receiver.LineCount(), 2);
    receiver.Append("def\n");  // a lone LF ends a line too
    EXPECT_EQ(receiver.LineCount(), 3);
}

TEST(FrameReceiver, CutStartsAfterTheFirstMarkerSkippingAPartialFrame) {
    FrameText frame;
    frame.PH = "7,42";
    FrameReceiver receiver;
    // The program started listening in the middle of a frame.
    const std::string partial = "10\r\n,10\r\n25,3\r\n4\r\n";
    EXPECT_EQ(Feed(receiver, partial + StreamFor(frame), 5), 1);
    EXPECT_EQ(receiver.CurrentStatus().PH, "7,42");
}

TEST(FrameReceiver, LowercaseAsciiIsUpperCased) {
    FrameText frame;
    frame.PPM = "2a,b";  // not a real value, but it travels as it arrived, upper-cased
    FrameReceiver receiver;
    ASSERT_EQ(Feed(receiver, StreamFor(frame), 100), 1);
    EXPECT_EQ(receiver.CurrentStatus().PPM, "2A,B");
    EXPECT_NE(receiver.FrameLines().find("2A,B\r\n"), std::string::npos);
}

TEST(FrameReceiver, OnlyAsciiLettersChangeCase) {
    FrameText frame;
    frame.KH = "\xe9\xb5z";  // Latin-1 bytes stay as they are
    FrameReceiver receiver;
    ASSERT_EQ(Feed(receiver, StreamFor(frame), 100), 1);
    EXPECT_EQ(receiver.CurrentStatus().KH, "\xe9\xb5Z");
}

struct RejectCase {
    const char* what;
    FrameText frame;
};

FrameText With(std::string FrameText::*field, std::string value) {
    FrameText f;
    f.*field = std::move(value);
    return f;
}

TEST(FrameReceiver, RejectedFramesLeaveTheLastAcceptedStatus) {
    const RejectCase cases[] = {
        {"point instead of comma in PH", With(&FrameText::PH, "7.05")},
        {"PH too short", With(&FrameText::PH, "7,0")},
        {"PHmin too long", With(&FrameText::PHmin, "6,900")},
        {"PHmax without comma", With(&FrameText::PHmax, "7100")},
        {"O2 output of two characters", With(&FrameText::OutO2, "10")},
        {"CO2 output empty", With(&FrameText::OutCO2, "")},
        {"blank line not a space", With(&FrameText::Blank, "")},
        {"marker not a minus", With(&FrameText::Marker, "+")},
    };
    for (const auto& c : cases) {
        FrameReceiver receiver;
        FrameText good;
        good.PH = "6,50";
        ASSERT_TRUE(receiver.Append(StreamFor(good))) << c.what;
        EXPECT_FALSE(receiver.Append(StreamFor(c.frame))) << c.what;
        EXPECT_EQ(receiver.CurrentStatus(), Expected(good)) << c.what;
        EXPECT_EQ(receiver.ReceiveBuffer(), "\r\n") << c.what;
    }
}

TEST(FrameReceiver, AMinusInsideAFieldIsTakenAsTheMarker) {
    FrameReceiver receiver;
    ASSERT_TRUE(receiver.Append(StreamFor(FrameText{})));
    // No leading marker: the minus of "-1" comes first and the frame is read shifted.
    const FrameText negative = With(&FrameText::PPM, "-1");
    EXPECT_FALSE(receiver.Append(negative.Lines() + FrameText{}.Lines()));
    EXPECT_EQ(receiver.CurrentStatus(), Expected(FrameText{}));
    EXPECT_EQ(receiver.FrameLines().substr(0, 3), "4\r\n");
}

TEST(FrameReceiver, ACutThatCatchesAHalfReceivedLineKeepsTheLastStatus) {
    FrameReceiver receiver;
    FrameText good;
    ASSERT_TRUE(receiver.Append(StreamFor(good)));

    // Reset line + 12 lines of noise + marker + PH..Brightness + the "2" of Contrast "25": the
    // 24th line is the half-received Contrast, so the cut takes a frame without its last lines.
    FrameText next;
    next.Contrast = "25";
    next.PH = "8,01";
    std::string text;
    for (int i = 0; i < 12; ++i) {
        text += "junk\r\n";
    }
    const std::string lines = next.Lines();
    text += "-\r\n" + lines.substr(0, lines.find("25\r\n") + 1);
    EXPECT_FALSE(receiver.Append(text));
    EXPECT_EQ(receiver.CurrentStatus(), Expected(good));
    // The cut itself took place: FrameLines holds what was caught, the buffer is reset.
    EXPECT_NE(receiver.FrameLines().find("8,01\r\n"), std::string::npos);
    EXPECT_NE(receiver.FrameLines().find("\r\n2\r\n"), std::string::npos);
    EXPECT_EQ(receiver.ReceiveBuffer(), "\r\n");
}

TEST(FrameReceiver, WithoutAMarkerLinesOneToTwelveAreTakenAndTheBufferIsEmptied) {
    FrameReceiver receiver;
    std::string text;
    for (int i = 0; i < 23; ++i) {
        text += "L" + std::to_string(i) + "\r\n";
    }
    EXPECT_FALSE(receiver.Append(text));
    EXPECT_EQ(receiver.ReceiveBuffer(), "\r\n");
    // Line 0 is the reset line; lines 1..12 are L0..L11.
    EXPECT_EQ(receiver.FrameLines().substr(0, 8), "L0\r\nL1\r\n");
    EXPECT_NE(receiver.FrameLines().find("L11\r\n"), std::string::npos);
    EXPECT_EQ(receiver.FrameLines().find("L12"), std::string::npos);
}

TEST(FrameReceiver, NoiseWithoutLineBreaksStaysBounded) {
    FrameReceiver receiver;
    std::string noise(997, 'Z');
    std::size_t largest = 0;
    for (int i = 0; i < 2000; ++i) {
        receiver.Append(noise);
        largest = std::max(largest, receiver.ReceiveBuffer().size());
    }
    EXPECT_LE(largest, FrameReceiver::kReceiveBufferLimitChars);
    // Afterwards the stream is understood again.
    EXPECT_EQ(Feed(receiver, StreamFor(FrameText{}), 10), 1);
}

TEST(FrameReceiver, NulBytesAndStrayCrsInsideALineAreText) {
    FrameText frame;
    frame.PPM = "2\r5";
    FrameReceiver receiver;
    ASSERT_EQ(Feed(receiver, StreamFor(frame), 100), 1);
    EXPECT_EQ(receiver.CurrentStatus().PPM, "2\r5");
}

TEST(FrameReceiver, AppendedLinesAreSearchedByTheNextCut) {
    FrameReceiver receiver;
    // A settings file goes into the buffer line by line; the next cut searches the mix.
    for (const char* line : {"100", "14", "7", "10", "6", "90", "20", "0", "0", "0"}) {
        receiver.AppendLine(line);
    }
    EXPECT_EQ(receiver.LineCount(), 11);
    EXPECT_FALSE(receiver.NothingReceived());
    EXPECT_EQ(Feed(receiver, StreamFor(FrameText{}), 100), 1);
}

}  // namespace
}  // namespace qeb::link
