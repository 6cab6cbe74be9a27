#include "support/temp_folder.h"

#include <QDir>

namespace qeb::test {

TempWorkingFolder::TempWorkingFolder() : m_previous(QDir::currentPath()) {
    QDir::setCurrent(m_dir.path());
}

TempWorkingFolder::~TempWorkingFolder() {
    QDir::setCurrent(m_previous);
}

}  // namespace qeb::test
