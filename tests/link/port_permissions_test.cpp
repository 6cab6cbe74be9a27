#include "link/port_permissions.h"

#include <gtest/gtest.h>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <string>

#include "core/errors.h"
#include "link/port_list.h"
#include "link/serial_link.h"
#include "support/pty_pair.h"

namespace qeb::link {
namespace {

constexpr uid_t kNobody = 65534;

gid_t DialoutGroup() {
    const group* dialout = ::getgrnam("dialout");
    return dialout != nullptr ? dialout->gr_gid : 20;
}

class PortPermissions : public testing::Test {
protected:
    QString MakeNode(const char* name, mode_t mode) {
        const QString path = folder.filePath(QString::fromLatin1(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.close();
        EXPECT_EQ(0, ::chmod(path.toLocal8Bit().constData(), mode));
        return path;
    }

    QTemporaryDir folder;
};

TEST_F(PortPermissions, HintNamesTheGroupThatOwnsTheDevice) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "giving a file to the dialout group needs root";
    }
    const QString device = MakeNode("ttyUSB0", 0660);
    ASSERT_EQ(0, ::chown(device.toLocal8Bit().constData(), 0, DialoutGroup()));
    const QString hint = PermissionHint(device);
    EXPECT_TRUE(hint.contains(QStringLiteral("\"dialout\""))) << hint.toStdString();
    EXPECT_TRUE(hint.contains(device));
    EXPECT_TRUE(hint.contains(QStringLiteral("usermod -aG dialout")));
    EXPECT_TRUE(hint.contains(QStringLiteral("log out and in again")));
    EXPECT_FALSE(hint.contains(QLatin1Char('\n'))) << "one line";

    // A stable name is a link: the group is read from the device it leads to.
    const QString link = folder.filePath(QStringLiteral("usb-FTDI_FT232R_A1-if00-port0"));
    ASSERT_TRUE(QFile::link(device, link));
    EXPECT_TRUE(PermissionHint(link).contains(QStringLiteral("\"dialout\"")));
}

TEST_F(PortPermissions, NoHintWhereJoiningTheGroupWouldNotHelp) {
    EXPECT_TRUE(PermissionHint(MakeNode("owner-only", 0600)).isEmpty());
    EXPECT_TRUE(PermissionHint(MakeNode("group-reads-only", 0640)).isEmpty());
    EXPECT_TRUE(PermissionHint(folder.filePath(QStringLiteral("gone"))).isEmpty());
}

TEST(SerialErrorText, HintGoesOnALineBelowTheFixedMessage) {
    const core::SerialError plain("Unable to open com port (Error: 2)");
    EXPECT_EQ("Unable to open com port (Error: 2)", plain.Shown());
    const core::SerialError hinted("Unable to open com port (Error: 13)", "Join the group.");
    EXPECT_STREQ("Unable to open com port (Error: 13)", hinted.what());
    EXPECT_EQ("Unable to open com port (Error: 13)\nJoin the group.", hinted.Shown());
}

// A user outside the group the tty belongs to opens it: the message stays the fixed text and
// the hint follows. Root may open anything, so the open runs in a child that has become nobody.
TEST(SerialErrorText, PermissionDeniedOpenCarriesTheGroupHint) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to hand the tty to the dialout group and become nobody";
    }
    test::PtyPair device;
    const QByteArray tty = device.TtyPath().toLocal8Bit();
    ASSERT_EQ(0, ::chown(tty.constData(), 0, DialoutGroup()));
    ASSERT_EQ(0, ::chmod(tty.constData(), 0660));
    EXPECT_EXIT(
        {
            if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) {
                std::_Exit(3);
            }
            SerialLink port;
            port.SetPortName(device.TtyPath());
            try {
                port.Open();
            } catch (const core::SerialError& error) {
                const std::string shown = error.Shown();
                const bool ok =
                    std::string(error.what()) == "Unable to open com port (Error: 13)" &&
                    shown.rfind("Unable to open com port (Error: 13)\n", 0) == 0 &&
                    shown.find("\"dialout\"") != std::string::npos;
                std::_Exit(ok ? 0 : 1);
            }
            std::_Exit(2);
        },
        testing::ExitedWithCode(0), "");
}

TEST(StablePortNames, LinksThatLeadToListedDevicesInDeviceOrder) {
    QTemporaryDir dev;
    QTemporaryDir byId;
    auto node = [&](const char* name) {
        const QString path = dev.filePath(QString::fromLatin1(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return path;
    };
    const QString usb0 = node("ttyUSB0");
    const QString acm0 = node("ttyACM0");
    const QString unlisted = node("ttyUSB7");
    auto link = [&](const QString& target, const char* name) {
        const QString path = byId.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(QFile::link(target, path));
        return path;
    };
    const QString arduino = link(acm0, "usb-Arduino_Uno_7543-if00");
    const QString ftdi = link(usb0, "usb-FTDI_FT232R_A1-if00-port0");
    link(unlisted, "usb-Prolific_PL2303-if00-port0");
    link(dev.filePath(QStringLiteral("ttyUSB9")), "usb-gone-if00-port0");
    QFile plain(byId.filePath(QStringLiteral("not-a-link")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));

    EXPECT_EQ((QStringList{ftdi, arduino}), StableNames({usb0, acm0}, byId.path()));
    EXPECT_TRUE(StableNames({usb0}, dev.filePath(QStringLiteral("no-by-id"))).isEmpty());
}

TEST(StablePortNames, ToolTipOfAnUnknownPortIsEmpty) {
    EXPECT_TRUE(PortToolTip(QStringLiteral("ttyQEB99")).isEmpty());
    EXPECT_TRUE(PortToolTip(QStringLiteral("/dev/serial/by-id/none")).isEmpty());
}

}  // namespace
}  // namespace qeb::link
