#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "link/frame_receiver.h"
#include "link/status_frame.h"
#include "qeb01-sim/sim_device.h"

namespace qeb::sim {
namespace {

using Kind = ReceivedCommand::Kind;

constexpr const char* kExampleSettings = "10001400701000609002000000000011";

std::vector<Kind> Kinds(const std::vector<ReceivedCommand>& commands) {
    std::vector<Kind> kinds;
    for (const auto& command : commands) {
        kinds.push_back(command.kind);
    }
    return kinds;
}

TEST(SimDevice, FrameTextIsTheDevicesTwelveLines) {
    SimDevice device;
    DeviceSettings settings;
    settings.kh = 4;
    device.SetSettings(settings);
    device.SetPhCents(705);
    EXPECT_EQ(device.FrameText(),
              "7,05\r\n6,90\r\n7,10\r\n10,7\r\n4\r\n20\r\n0\r\n0\r\n100\r\n14\r\n \r\n-\r\n");

    settings = {5, 25, 805, 405, 250, 12};
    device.SetSettings(settings);
    device.SetPhCents(400);
    EXPECT_EQ(device.FrameText(),
              "4,00\r\n4,05\r\n8,05\r\n100\r\n12\r\n250\r\n1\r\n0\r\n5\r\n25\r\n \r\n-\r\n");
}

TEST(SimDevice, StreamIsAcceptedByTheProgramsReceiver) {
    SimDevice device(7);
    DeviceSettings settings;
    settings.kh = 6;
    device.SetSettings(settings);
    link::FrameReceiver receiver;
    int accepted = 0;
    std::int64_t nowMs = 0;
    for (int i = 0; i < 200; ++i, nowMs += 1000) {
        const std::string frameBefore = device.FrameText();
        const std::string sent = device.NextFrame(nowMs);
        ASSERT_EQ(sent.starts_with("-\r\n"), i == 0) << "only the first frame has its own marker";
        ASSERT_TRUE(sent.ends_with(frameBefore));
        if (receiver.Append(sent)) {
            ++accepted;
            EXPECT_TRUE(link::IsAcceptable(receiver.CurrentStatus()));
        }
    }
    // Each cut takes one frame and drops the rest of what was buffered: every second frame.
    EXPECT_EQ(accepted, 100);
}

TEST(SimDevice, PpmFollowsTheHardnessAndThePh) {
    const struct {
        const char* shows;
        int kh;
        int phCents;
        const char* ppm;
    } cases[] = {
        {"no hardness, no CO2 figure", 0, 650, "0"},
        {"3 x KH x 10^(7 - pH), one decimal", 4, 705, "10,7"},
        {"a neutral pH gives 3 x KH", 1, 700, "3,0"},
        {"below ten keeps one digit before the comma", 2, 800, "0,6"},
        {"tiny values round to zero with a decimal", 1, 999, "0,0"},
        {"just under the limit", 20, 678, "99,6"},
        {"rounding up to 100 is the limit", 20, 677, "100"},
        {"far above is the limit too", 20, 600, "100"},
    };
    for (const auto& c : cases) {
        SimDevice device;
        DeviceSettings settings;
        settings.kh = c.kh;
        device.SetSettings(settings);
        device.SetPhCents(c.phCents);
        EXPECT_EQ(device.PpmText(), c.ppm) << c.shows;
    }
}

TEST(SimDevice, OutputsFollowTheRange) {
    const struct {
        int phCents;
        bool o2;
        bool co2;
    } cases[] = {{600, true, false},  {689, true, false},  {690, false, false},
                 {700, false, false}, {710, false, false}, {711, false, true}};
    for (const auto& c : cases) {
        SimDevice device;
        device.SetPhCents(c.phCents);
        EXPECT_EQ(device.OutO2(), c.o2) << c.phCents;
        EXPECT_EQ(device.OutCO2(), c.co2) << c.phCents;
        const std::string frame = device.FrameText();
        EXPECT_NE(frame.find(std::string("\r\n") + (c.o2 ? "1" : "0") + "\r\n" +
                             (c.co2 ? "1" : "0") + "\r\n100\r\n"),
                  std::string::npos)
            << frame;
    }
}

TEST(SimDevice, PhDriftsThroughTheRangeRepeatably) {
    SimDevice device(42);
    SimDevice twin(42);
    SimDevice other(43);
    const DeviceSettings& range = device.Settings();
    bool below = false;
    bool inside = false;
    bool above = false;
    bool otherDiffers = false;
    for (int i = 0; i < 400; ++i) {
        const std::string frame = device.NextFrame(i * 1000);
        ASSERT_EQ(frame, twin.NextFrame(i * 1000)) << "the same seed gives the same stream";
        otherDiffers = otherDiffers || frame != other.NextFrame(i * 1000);
        const int ph = device.PhCents();
        ASSERT_GE(ph, range.phMinCents - SimDevice::kOvershootCents - 3);
        ASSERT_LE(ph, range.phMaxCents + SimDevice::kOvershootCents + 3);
        below = below || device.OutO2();
        above = above || device.OutCO2();
        inside = inside || (!device.OutO2() && !device.OutCO2());
    }
    EXPECT_TRUE(below && inside && above);
    EXPECT_TRUE(otherDiffers);
}

TEST(SimDevice, PhFindsANewRange) {
    SimDevice device(3);
    device.Receive("08001200804000705003000500000011", 0);
    bool reached = false;
    for (int i = 1; i < 200 && !reached; ++i) {
        device.NextFrame(i * 1000);
        reached = device.PhCents() >= 750 && device.PhCents() <= 840;
    }
    EXPECT_TRUE(reached);
}

TEST(SimDevice, SettingsCommandIsApplied) {
    const struct {
        const char* command;
        DeviceSettings settings;
    } cases[] = {
        {kExampleSettings, {100, 14, 710, 690, 20, 0}},
        {"00502500800500400525001200000011", {5, 25, 805, 405, 250, 12}},
        {"00000000409000401000002000000011", {0, 0, 490, 410, 0, 20}},
    };
    for (const auto& c : cases) {
        SimDevice device;
        const auto received = device.Receive(c.command, 0);
        ASSERT_EQ(received.size(), 1u) << c.command;
        EXPECT_EQ(received[0].kind, Kind::Settings) << c.command;
        EXPECT_EQ(received[0].Describe(), std::string("received settings ") + c.command);
        EXPECT_EQ(device.Settings(), c.settings) << c.command;
    }
}

TEST(SimDevice, SettingsTheDeviceCannotHoldAreIgnored) {
    const char* const commands[] = {
        "15001400701000609002000000000011",  // brightness 150
        "10002600701000609002000000000011",  // contrast 26
        "10001401001000609002000000000011",  // pH 10,10
        "10001400710000609002000000000011",  // 100 hundredths
    };
    for (const char* command : commands) {
        SimDevice device;
        DeviceSettings before;
        before.kh = 3;
        device.SetSettings(before);
        const auto received = device.Receive(command, 0);
        ASSERT_EQ(Kinds(received), std::vector<Kind>{Kind::RejectedSettings}) << command;
        EXPECT_NE(received[0].Describe().find("ignored"), std::string::npos);
        EXPECT_EQ(device.Settings(), before) << command;
    }
}

TEST(SimDevice, FactoryResetRestoresTheDefaults) {
    SimDevice device;
    device.Receive("00502500800500400525001200000011", 0);
    ASSERT_NE(device.Settings(), kFactorySettings);
    const auto received = device.Receive(std::string(32, '2'), 10);
    ASSERT_EQ(Kinds(received), std::vector<Kind>{Kind::FactoryReset});
    EXPECT_EQ(received[0].Describe(), "received factory reset");
    EXPECT_EQ(device.Settings(), kFactorySettings);
}

TEST(SimDevice, RestartIsSilenceThenFramesWithAMarker) {
    SimDevice device;
    device.Receive("00502500800500400525001200000011", 0);
    EXPECT_FALSE(device.NextFrame(0).empty());
    const auto received = device.Receive(std::string(32, '3'), 1000);
    ASSERT_EQ(Kinds(received), std::vector<Kind>{Kind::Restart});
    EXPECT_EQ(received[0].Describe(), "received restart");
    EXPECT_TRUE(device.NextFrame(1000).empty());
    EXPECT_TRUE(device.NextFrame(1000 + SimDevice::kRestartSilenceMs - 1).empty());
    const std::string first = device.NextFrame(1000 + SimDevice::kRestartSilenceMs);
    EXPECT_TRUE(first.starts_with("-\r\n")) << first;
    EXPECT_EQ(device.Settings().brightness, 5) << "a restart keeps the settings";
}

TEST(SimDevice, JunkIsReportedAndTheNextCommandStillApplies) {
    const struct {
        const char* shows;
        std::vector<std::pair<std::string, std::int64_t>> chunks;  // bytes and when they came
        std::vector<Kind> kinds;
    } cases[] = {
        {"letters before a command",
         {{std::string("hello\r\n") + kExampleSettings, 0}},
         {Kind::Unknown, Kind::Settings}},
        {"a partial command broken by a non-digit",
         {{std::string("1000140x") + kExampleSettings, 0}},
         {Kind::Unknown, Kind::Settings}},
        {"a partial command, a pause, a whole one",
         {{"0000000000", 0}, {kExampleSettings, SimDevice::kCommandGapMs}},
         {Kind::Unknown, Kind::Settings}},
        {"a command split over two reads without a pause",
         {{"1000140070100", 0}, {"0609002000000000011", 20}},
         {Kind::Settings}},
        {"32 digits that are no command, then a command",
         {{std::string(32, '4') + kExampleSettings, 0}},
         {Kind::Unknown, Kind::Settings}},
        {"a line end after a command is junk of its own",
         {{std::string(kExampleSettings) + "\r\n", 0}},
         {Kind::Settings, Kind::Unknown}},
        {"NUL bytes between commands",
         {{std::string(kExampleSettings) + std::string(3, '\0') + std::string(32, '2'), 0}},
         {Kind::Settings, Kind::Unknown, Kind::FactoryReset}},
    };
    for (const auto& c : cases) {
        SimDevice device;
        device.SetSettings({50, 5, 800, 700, 10, 2});
        std::vector<Kind> kinds;
        for (const auto& [bytes, atMs] : c.chunks) {
            for (const Kind kind : Kinds(device.Receive(bytes, atMs))) {
                kinds.push_back(kind);
            }
        }
        EXPECT_EQ(kinds, c.kinds) << c.shows;
        if (c.kinds.back() == Kind::Settings) {
            EXPECT_EQ(device.Settings(), kFactorySettings) << c.shows;
        }
    }
}

TEST(SimDevice, UnknownBytesAreShownReadably) {
    SimDevice device;
    const auto received = device.Receive(std::string("ab\x01\\", 4), 0);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].Describe(), "received unknown 4 bytes \"ab\\x01\\x5c\"");
    const auto flood = device.Receive(std::string(1000, 'z'), 1);
    ASSERT_EQ(flood.size(), 1u);
    EXPECT_EQ(flood[0].Describe(),
              "received unknown 1000 bytes \"" + std::string(64, 'z') + "...\"");
}

TEST(SimDevice, PartialCommandIsDroppedAfterAPause) {
    SimDevice device;
    device.Receive("100014", 0);
    EXPECT_TRUE(device.DropStalePartial(SimDevice::kCommandGapMs - 1).empty());
    const auto dropped = device.DropStalePartial(SimDevice::kCommandGapMs);
    ASSERT_EQ(Kinds(dropped), std::vector<Kind>{Kind::Unknown});
    EXPECT_EQ(dropped[0].bytes, "100014");
    EXPECT_TRUE(device.DropStalePartial(10 * SimDevice::kCommandGapMs).empty());
}

TEST(SimDevice, RandomBytesNeverBreakTheDevice) {
    std::mt19937 random(2024);
    SimDevice device;
    std::int64_t nowMs = 0;
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(random() % 40, '\0');
        for (char& c : bytes) {
            // Mostly digits, so that many blocks reach 32 characters.
            c = random() % 4 == 0 ? static_cast<char>(random() % 256)
                                  : static_cast<char>('0' + random() % 10);
        }
        nowMs += random() % 300;
        device.Receive(bytes, nowMs);
        const std::string frame = device.NextFrame(nowMs + SimDevice::kRestartSilenceMs * 2);
        ASSERT_FALSE(frame.empty());
        link::FrameReceiver receiver;
        receiver.Append("-\r\n");
        for (int i = 0; i < 2; ++i) {
            receiver.Append(device.FrameText());
        }
        ASSERT_TRUE(link::IsAcceptable(receiver.CurrentStatus())) << device.FrameText();
    }
    nowMs += SimDevice::kCommandGapMs;
    const auto last = device.Receive(kExampleSettings, nowMs);
    ASSERT_FALSE(last.empty());
    EXPECT_EQ(last.back().kind, Kind::Settings);
    EXPECT_EQ(device.Settings(), kFactorySettings);
}

}  // namespace
}  // namespace qeb::sim
