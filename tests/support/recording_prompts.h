#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

#include "core/prompts.h"

namespace qeb::test {

// Records what the program showed and answers its questions from queues the test fills.
class RecordingPrompts final : public core::Prompts {
public:
    void ShowMessage(const QString& text) override { messages << text; }
    void ShowError(const QString& text) override { errors << text; }
    bool AskOkCancel(const QString& text) override {
        questions << text;
        return answerOk;
    }
    std::optional<QString> ChooseFileToOpen(const core::FileDialogRequest& request) override {
        openRequests.push_back(request);
        return Take(filesToOpen);
    }
    std::optional<QString> ChooseFileToSave(const core::FileDialogRequest& request) override {
        saveRequests.push_back(request);
        return Take(filesToSave);
    }
    void OpenFolder(const QString& folder) override { openedFolders << folder; }
    void OpenDateTimeSettings() override { ++dateTimeSettingsOpened; }

    QStringList messages;
    QStringList errors;
    QStringList questions;
    bool answerOk = true;
    // An empty path answers like Cancel.
    std::deque<QString> filesToOpen;
    std::deque<QString> filesToSave;
    std::vector<core::FileDialogRequest> openRequests;
    std::vector<core::FileDialogRequest> saveRequests;
    QStringList openedFolders;
    int dateTimeSettingsOpened = 0;

private:
    static std::optional<QString> Take(std::deque<QString>& queue) {
        if (queue.empty() || queue.front().isEmpty()) {
            if (!queue.empty()) {
                queue.pop_front();
            }
            return std::nullopt;
        }
        const QString path = queue.front();
        queue.pop_front();
        return path;
    }
};

}  // namespace qeb::test
