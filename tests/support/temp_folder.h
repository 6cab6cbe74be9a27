#pragma once

#include <QString>
#include <QTemporaryDir>

namespace qeb::test {

// A fresh folder that is the working folder while the object lives.
class TempWorkingFolder {
public:
    TempWorkingFolder();
    ~TempWorkingFolder();
    TempWorkingFolder(const TempWorkingFolder&) = delete;
    TempWorkingFolder& operator=(const TempWorkingFolder&) = delete;

    QString Path() const { return m_dir.path(); }
    QString FilePath(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

}  // namespace qeb::test
