#include "link/port_permissions.h"

#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <grp.h>
#include <sys/stat.h>
#endif

namespace qeb::link {

QString PermissionHint(const QString& devicePath) {
#ifdef Q_OS_UNIX
    struct stat node {};
    // stat follows a /dev/serial/by-id link to the device itself.
    if (::stat(devicePath.toLocal8Bit().constData(), &node) != 0) {
        return {};
    }
    if ((node.st_mode & (S_IRGRP | S_IWGRP)) != (S_IRGRP | S_IWGRP)) {
        return {};
    }
    const group* owner = ::getgrgid(node.st_gid);
    const QString name =
        owner != nullptr ? QString::fromLocal8Bit(owner->gr_name) : QString::number(node.st_gid);
    return QStringLiteral(
               "Only members of the group \"%1\" may use %2: add yourself to it "
               "(sudo usermod -aG %1 $USER), then log out and in again.")
        .arg(name, devicePath);
#else
    Q_UNUSED(devicePath);
    return {};
#endif
}

}  // namespace qeb::link
