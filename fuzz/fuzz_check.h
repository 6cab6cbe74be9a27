#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <string_view>

// A broken invariant is a finding like a crash: libFuzzer keeps the input that caused it.
#define QEB_FUZZ_CHECK(condition)                                                                  \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace qeb::fuzz {

// The loaders read files by path, so each input goes through a real file. Memory-backed where
// the system offers it, so that a run measures the loader rather than the disk.
class InputFile {
public:
    InputFile()
        : m_folder(QDir(QStringLiteral("/dev/shm")).exists()
                       ? QStringLiteral("/dev/shm/qeb-fuzz-XXXXXX")
                       : QDir::tempPath() + QStringLiteral("/qeb-fuzz-XXXXXX")) {
        if (!m_folder.isValid()) {
            std::fprintf(stderr, "cannot create a folder for the fuzz input\n");
            std::abort();
        }
    }

    QString Path(const QString& name) const { return m_folder.filePath(name); }

    // Replaces the file `name` by exactly `bytes`.
    QString Write(const QString& name, std::string_view bytes) const {
        const QString path = Path(name);
        const QByteArray path8 = QFile::encodeName(path);
        std::FILE* file = std::fopen(path8.constData(), "wb");
        QEB_FUZZ_CHECK(file != nullptr);
        QEB_FUZZ_CHECK(std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size());
        QEB_FUZZ_CHECK(std::fclose(file) == 0);
        return path;
    }

private:
    QTemporaryDir m_folder;
};

}  // namespace qeb::fuzz
