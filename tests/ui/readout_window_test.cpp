#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>

#include "support/event_wait.h"
#include "support/frames.h"
#include "support/pty_pair.h"
#include "support/window_test.h"
#include "ui/qeb_main_form.h"
#include "ui/svg_picture.h"

namespace qeb::ui {
namespace {

class ReadoutWindow : public test::WindowTest<> {
protected:
    // Processes events until `done` holds or the time is up.
    template <typename Done>
    bool WaitFor(Done done, int timeoutMs = 3000) {
        return test::WaitUntil(done, timeoutMs);
    }
};

TEST_F(ReadoutWindow, PanelElementsSitWhereTheLayoutPutsThem) {
    auto* panel = window.findChild<QWidget*>(QStringLiteral("GroupBox1"));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->geometry(), QRect(50, 205, 249, 140));
    const struct {
        const char* name;
        QPoint at;
    } places[] = {{"Label7", {60, 6}},    {"Label8", {8, 110}},    {"Label9", {201, 110}},
                  {"Label17", {64, 110}}, {"Label23", {145, 110}}, {"Label10", {106, 116}},
                  {"Label11", {136, 70}}, {"Label12", {136, 90}},  {"Image2", {1, 8}},
                  {"Image1", {185, 8}},   {"Image4", {52, 93}},    {"Image8", {52, 93}}};
    for (const auto& p : places) {
        auto* widget = panel->findChild<QWidget*>(QString::fromLatin1(p.name));
        ASSERT_NE(widget, nullptr) << p.name;
        EXPECT_EQ(widget->pos(), p.at) << p.name;
        EXPECT_EQ(widget->parentWidget(), panel) << p.name;
    }
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("Label7"))->font().pixelSize(), 64);
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("Label11"))->font().pixelSize(), 19);
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("Label10"))->font().pixelSize(), 11);
    EXPECT_TRUE(Shown("Label10"));
    EXPECT_FALSE(Shown("Label7"));
    EXPECT_FALSE(Shown("Image2"));
}

TEST_F(ReadoutWindow, FramesFromThePortReachTheLabels) {
    test::PtyPair device;
    window.ComPort().SetPortName(device.TtyPath());
    window.ComPort().Open();

    test::FrameText frame;
    frame.PH = "7,25";
    frame.OutO2 = "0";
    frame.OutCO2 = "1";
    frame.Alarm = "25";
    device.Write(test::StreamFor(frame));

    ASSERT_TRUE(WaitFor([&] { return Text("Label7") == QStringLiteral("7.25"); }))
        << Text("Label7").toStdString();
    EXPECT_EQ(Text("Label8"), QStringLiteral("6,90"));
    EXPECT_EQ(Text("Label9"), QStringLiteral("7,10"));
    EXPECT_EQ(Text("Label17"), QStringLiteral("6,65"));
    EXPECT_EQ(Text("Label23"), QStringLiteral("7,35"));
    EXPECT_EQ(Text("Label11"), QStringLiteral("25,3"));
    EXPECT_EQ(Text("Label12"), QStringLiteral("04"));
    EXPECT_TRUE(Shown("Label7"));
    EXPECT_TRUE(Shown("Image1"));
    EXPECT_FALSE(Shown("Image2"));
    EXPECT_EQ(window.Receiver().CurrentStatus().PH, "7.25");
    EXPECT_TRUE(prompts.errors.isEmpty());
}

TEST_F(ReadoutWindow, AFrameWithABadNumberIsDroppedSilently) {
    test::PtyPair device;
    window.ComPort().SetPortName(device.TtyPath());
    window.ComPort().Open();

    test::FrameText bad;
    bad.PH = "6,11";
    bad.KH = "K";
    device.Write(test::StreamFor(bad));
    ASSERT_TRUE(WaitFor([&] { return Text("Label7") == QStringLiteral("6.11"); }));
    EXPECT_TRUE(prompts.errors.isEmpty());

    // The next frame is shown in full.
    test::FrameText good;
    good.PH = "6,12";
    device.Write(test::StreamFor(good));
    ASSERT_TRUE(WaitFor([&] { return Text("Label7") == QStringLiteral("6.12"); }));
    EXPECT_EQ(Text("Label12"), QStringLiteral("04"));
}

}  // namespace
}  // namespace qeb::ui
