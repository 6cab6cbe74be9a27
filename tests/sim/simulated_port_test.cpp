#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "qeb01-sim/simulated_port.h"

namespace qeb::sim {
namespace {

namespace fs = std::filesystem;

// The program's side of the line, opened by the stable path as the program opens it.
class ProgramSide {
public:
    explicit ProgramSide(const std::string& path)
        : m_fd(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK)) {
        if (m_fd >= 0) {
            termios raw{};
            tcgetattr(m_fd, &raw);
            cfmakeraw(&raw);
            tcsetattr(m_fd, TCSANOW, &raw);
        }
    }
    ~ProgramSide() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    bool IsOpen() const { return m_fd >= 0; }
    void Write(const std::string& bytes) {
        ASSERT_EQ(::write(m_fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    // What arrived within `timeoutMs`; stops early at a hang-up.
    std::string Read(int timeoutMs, bool* hungUp = nullptr) {
        std::string got;
        pollfd p{m_fd, POLLIN, 0};
        while (::poll(&p, 1, timeoutMs) > 0) {
            if ((p.revents & POLLHUP) != 0 && hungUp != nullptr) {
                *hungUp = true;
            }
            char buffer[256];
            const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
            if (n <= 0) {
                break;
            }
            got.append(buffer, static_cast<std::size_t>(n));
        }
        return got;
    }

private:
    int m_fd;
};

class SimulatedPortTest : public testing::Test {
protected:
    QTemporaryDir dir;
    std::string linkPath = dir.filePath(QStringLiteral("qeb01")).toStdString();
};

TEST_F(SimulatedPortTest, BytesTravelBothWaysThroughTheStablePath) {
    SimulatedPort port(linkPath);
    EXPECT_EQ(fs::read_symlink(linkPath).string(), port.TtyPath());
    EXPECT_FALSE(port.HasListener());

    ProgramSide program(linkPath);
    ASSERT_TRUE(program.IsOpen());
    EXPECT_TRUE(port.HasListener());
    EXPECT_EQ(port.Write("7,05\r\n"), 6u);
    EXPECT_EQ(program.Read(200), "7,05\r\n");
    program.Write("33333333333333333333333333333333");
    std::string got;
    for (int i = 0; i < 20 && got.size() < 32; ++i) {
        ::usleep(10'000);
        got += port.ReadAvailable();
    }
    EXPECT_EQ(got, std::string(32, '3'));
}

TEST_F(SimulatedPortTest, WhatNobodyHearsIsLost) {
    SimulatedPort port(linkPath);
    EXPECT_EQ(port.Write("stale frame\r\n"), 0u);
    ProgramSide program(linkPath);
    EXPECT_EQ(program.Read(100), "") << "a port opened later does not get old frames";
}

TEST_F(SimulatedPortTest, UnplugHangsUpAndReplugLeadsTheSamePathToANewTty) {
    SimulatedPort port(linkPath);
    const std::string firstTty = port.TtyPath();
    {
        ProgramSide program(linkPath);
        port.Unplug();
        EXPECT_FALSE(port.IsPlugged());
        EXPECT_FALSE(fs::is_symlink(fs::symlink_status(linkPath)))
            << "the node goes with the device, so a recycled tty cannot answer for it";
        EXPECT_EQ(port.Write("lost"), 0u);
        bool hungUp = false;
        program.Read(200, &hungUp);
        EXPECT_TRUE(hungUp);
    }
    EXPECT_FALSE(ProgramSide(linkPath).IsOpen()) << "unplugged: the path leads nowhere";

    port.Replug();
    EXPECT_TRUE(port.IsPlugged());
    EXPECT_EQ(fs::read_symlink(linkPath).string(), port.TtyPath());
    ProgramSide program(linkPath);
    ASSERT_TRUE(program.IsOpen());
    port.Write("-\r\n");
    EXPECT_EQ(program.Read(200), "-\r\n");
}

TEST_F(SimulatedPortTest, TheLinkGoesWithThePort) {
    { SimulatedPort port(linkPath); }
    EXPECT_FALSE(fs::is_symlink(linkPath));

    // Someone else took the path over meanwhile: theirs stays.
    auto port = std::make_unique<SimulatedPort>(linkPath);
    const std::string other = dir.filePath(QStringLiteral("other")).toStdString();
    QFile(QString::fromStdString(other)).open(QIODevice::WriteOnly);
    fs::remove(linkPath);
    fs::create_symlink(other, linkPath);
    port.reset();
    EXPECT_EQ(fs::read_symlink(linkPath).string(), other);
}

TEST_F(SimulatedPortTest, APathInUseIsNotTakenOver) {
    // Left behind by a simulator that was killed: leads nowhere, replaced.
    fs::create_symlink(dir.filePath(QStringLiteral("gone")).toStdString(), linkPath);
    {
        SimulatedPort port(linkPath);
        EXPECT_EQ(fs::read_symlink(linkPath).string(), port.TtyPath());
        // A second simulator at the same path would cut the first one off.
        EXPECT_THROW(SimulatedPort second(linkPath), std::runtime_error);
        EXPECT_EQ(fs::read_symlink(linkPath).string(), port.TtyPath());
    }
    QFile file(QString::fromStdString(linkPath));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_THROW(SimulatedPort port(linkPath), std::runtime_error);
    EXPECT_TRUE(fs::is_regular_file(linkPath));
}

}  // namespace
}  // namespace qeb::sim
