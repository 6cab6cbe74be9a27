#pragma once

#include <QString>

namespace qeb::link {

// The line that tells a user who may not open `devicePath` what to do: join the group that owns
// the device (read from the device node, usually "dialout") and log in again. Empty where that
// would not help: the node is gone, or its group has no read and write access.
QString PermissionHint(const QString& devicePath);

}  // namespace qeb::link
