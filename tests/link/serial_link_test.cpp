#include "link/serial_link.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <string>

#include "core/errors.h"
#include "support/event_wait.h"
#include "support/pty_pair.h"

namespace qeb::link {
namespace {

using test::PtyPair;
using test::WaitUntil;

std::string OpenErrorText(SerialLink& link) {
    try {
        link.Open();
    } catch (const core::SerialError& error) {
        return error.what();
    }
    return "opened";
}

// Collects what the link hands over, as the window does.
struct Received {
    explicit Received(SerialLink& link) {
        QObject::connect(&link, &SerialLink::RxChar,
                         [this, &link](qint64 count) { text += link.ReadText(count); });
    }
    std::string text;
};

TEST(SerialLinkOpen, MissingDeviceReportsNoSuchFile) {
    QTemporaryDir dir;
    SerialLink link;
    link.SetPortName(dir.filePath(QStringLiteral("no-such-tty")));
    EXPECT_EQ(OpenErrorText(link), "Unable to open com port (Error: 2)");
    EXPECT_FALSE(link.IsOpen());
}

TEST(SerialLinkOpen, PortHeldByAnotherOpenReportsBusy) {
    PtyPair pty;
    SerialLink first;
    first.SetPortName(pty.TtyPath());
    first.Open();
    SerialLink second;
    second.SetPortName(pty.TtyPath());
    EXPECT_EQ(OpenErrorText(second), "Unable to open com port (Error: 16)");
    EXPECT_FALSE(second.IsOpen());
    EXPECT_TRUE(first.IsOpen());
}

TEST(SerialLinkOpen, AppliesTheControllersLineSettings) {
    PtyPair pty;
    SerialLink link;
    link.SetPortName(pty.TtyPath());
    link.Open();
    const int fd = ::open(pty.TtyPath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    termios line{};
    ASSERT_EQ(tcgetattr(fd, &line), 0);
    ::close(fd);
    EXPECT_EQ(cfgetispeed(&line), B19200);
    EXPECT_EQ(cfgetospeed(&line), B19200);
    EXPECT_EQ(line.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(line.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(line.c_iflag & (IXON | IXOFF), 0u);
}

TEST(SerialLinkOpen, NamesWithoutPathAreDevicesUnderDev) {
    EXPECT_EQ(SerialLink::SystemLocation(QStringLiteral("ttyUSB0")),
              QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(SerialLink::SystemLocation(QStringLiteral("/tmp/qeb01-sim")),
              QStringLiteral("/tmp/qeb01-sim"));
}

TEST(SerialLinkWrite, WritingWhileClosedReportsPortNotOpen) {
    SerialLink link;
    try {
        link.WriteText("x");
        FAIL() << "no error";
    } catch (const core::SerialError& error) {
        EXPECT_STREQ(error.what(), "Port Not Open");
    }
}

TEST(SerialLinkWrite, AllBytesReachTheDevice) {
    PtyPair pty;
    SerialLink link;
    link.SetPortName(pty.TtyPath());
    link.Open();
    const std::string command(32, '3');
    link.WriteText(command);
    EXPECT_EQ(pty.Read(command.size(), 2000), command);
}

TEST(SerialLinkRead, NulBytesAreRemoved) {
    PtyPair pty;
    SerialLink link;
    link.SetPortName(pty.TtyPath());
    Received received(link);
    link.Open();
    pty.Write(
        std::string("7,\0"
                    "05\r\n",
                    7));
    EXPECT_TRUE(WaitUntil([&] { return received.text.size() >= 6; }));
    EXPECT_EQ(received.text, "7,05\r\n");
}

TEST(SerialLinkPortName, RenamingAnOpenPortReopensUnderTheNewName) {
    PtyPair oldDevice;
    PtyPair newDevice;
    SerialLink link;
    link.SetPortName(oldDevice.TtyPath());
    Received received(link);
    link.Open();
    link.SetPortName(newDevice.TtyPath());
    ASSERT_TRUE(link.IsOpen());
    oldDevice.Write("old\r\n");
    newDevice.Write("new\r\n");
    EXPECT_TRUE(WaitUntil([&] { return received.text.find("new") != std::string::npos; }));
    test::RunEventLoopFor(100);
    EXPECT_EQ(received.text, "new\r\n");
}

TEST(SerialLinkDeviceLost, ClosesQuietlyWithoutBusyLoop) {
    PtyPair pty;
    SerialLink link;
    link.SetPortName(pty.TtyPath());
    int lost = 0;
    int wakeUps = 0;
    QObject::connect(&link, &SerialLink::DeviceLost, [&] { ++lost; });
    QObject::connect(&link, &SerialLink::RxChar, [&](qint64 count) {
        ++wakeUps;
        link.ReadText(count);
    });
    link.Open();
    pty.CloseDevice();
    ASSERT_TRUE(WaitUntil([&] { return !link.IsOpen(); }));

    const double cpuBeforeMs = test::ProcessCpuMs();
    const int wakeUpsBefore = wakeUps;
    test::RunEventLoopFor(1000);
    const double cpuUsedMs = test::ProcessCpuMs() - cpuBeforeMs;

    EXPECT_EQ(lost, 1);
    EXPECT_EQ(wakeUps, wakeUpsBefore);
    EXPECT_LT(cpuUsedMs, 50.0) << "the event loop kept waking up for the lost device";
    EXPECT_FALSE(link.IsOpen());
}

}  // namespace
}  // namespace qeb::link
