#pragma once

#include <QString>
#include <optional>

namespace qeb::core {

// What a file dialog is asked to show.
struct FileDialogRequest {
    QString startFolder;
    QString filter;
    QString proposedName;
    QString defaultSuffix;
};

// Everything that waits for the user or hands work to the desktop. The window talks to the user
// only through this, so tests answer the questions and record the messages.
class Prompts {
public:
    virtual ~Prompts() = default;
    // A simple message box with an OK button.
    virtual void ShowMessage(const QString& text) = 0;
    // The standard error display for an error a handler could not complete.
    virtual void ShowError(const QString& text) = 0;
    // A warning box with OK and Cancel; true only for OK.
    virtual bool AskOkCancel(const QString& text) = 0;
    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<QString> ChooseFileToOpen(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> ChooseFileToSave(const FileDialogRequest& request) = 0;
    virtual void OpenFolder(const QString& folder) = 0;
    virtual void OpenDateTimeSettings() = 0;
};

}  // namespace qeb::core
