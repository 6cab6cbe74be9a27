#pragma once

#include <QWidget>

#include "core/prompts.h"

namespace qeb::ui {

// The real dialogs: message boxes titled with the program's name, file dialogs, the desktop.
class MessageBoxPrompts final : public core::Prompts {
public:
    static constexpr const char* kTitle = "PH Controller Qeb-01";

    void SetParentWindow(QWidget* window) { m_parent = window; }

    void ShowMessage(const QString& text) override;
    void ShowError(const QString& text) override;
    bool AskOkCancel(const QString& text) override;
    std::optional<QString> ChooseFileToOpen(const core::FileDialogRequest& request) override;
    std::optional<QString> ChooseFileToSave(const core::FileDialogRequest& request) override;
    void OpenFolder(const QString& folder) override;
    void OpenDateTimeSettings() override;

private:
    QWidget* m_parent = nullptr;
};

}  // namespace qeb::ui
