#pragma once

#include <QString>
#include <utility>

#include "core/prompts.h"

namespace qeb::core {

// For runs nobody watches (benchmarks, screenshot makers): a box would stop the run, so what it
// would have shown goes to stderr under the program's name, questions are declined and no file
// is chosen.
class UnattendedPrompts final : public Prompts {
public:
    explicit UnattendedPrompts(QString programName) : m_programName(std::move(programName)) {}

    void ShowMessage(const QString& text) override { Print("message", text); }
    void ShowError(const QString& text) override { Print("error", text); }
    bool AskOkCancel(const QString& text) override;
    std::optional<QString> ChooseFileToOpen(const FileDialogRequest&) override {
        return std::nullopt;
    }
    std::optional<QString> ChooseFileToSave(const FileDialogRequest&) override {
        return std::nullopt;
    }
    void OpenFolder(const QString&) override {}
    void OpenDateTimeSettings() override {}

private:
    void Print(const char* kind, const QString& text) const;

    QString m_programName;
};

}  // namespace qeb::core
