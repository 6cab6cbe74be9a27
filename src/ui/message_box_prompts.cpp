#include "ui/message_box_prompts.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace qeb::ui {
namespace {

QString Title() {
    return QString::fromLatin1(MessageBoxPrompts::kTitle);
}

std::optional<QString> RunFileDialog(QWidget* parent, const core::FileDialogRequest& request,
                                     QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, Title(), request.startFolder, request.filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.selectFile(request.proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

}  // namespace

void MessageBoxPrompts::ShowMessage(const QString& text) {
    QMessageBox::information(m_parent, Title(), text);
}

void MessageBoxPrompts::ShowError(const QString& text) {
    QMessageBox::critical(m_parent, Title(), text);
}

bool MessageBoxPrompts::AskOkCancel(const QString& text) {
    return QMessageBox::warning(m_parent, Title(), text, QMessageBox::Ok | QMessageBox::Cancel,
                                QMessageBox::Cancel) == QMessageBox::Ok;
}

std::optional<QString> MessageBoxPrompts::ChooseFileToOpen(const core::FileDialogRequest& request) {
    return RunFileDialog(m_parent, request, QFileDialog::AcceptOpen);
}

std::optional<QString> MessageBoxPrompts::ChooseFileToSave(const core::FileDialogRequest& request) {
    return RunFileDialog(m_parent, request, QFileDialog::AcceptSave);
}

void MessageBoxPrompts::OpenFolder(const QString& folder) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

void MessageBoxPrompts::OpenDateTimeSettings() {
#ifdef Q_OS_WIN
    QProcess::startDetached(QStringLiteral("control.exe"), {QStringLiteral("timedate.cpl")});
#else
    // Whichever desktop's date and time settings are installed; without one nothing happens.
    const struct {
        const char* program;
        const char* argument;
    } candidates[] = {
        {"gnome-control-center", "datetime"},
        {"systemsettings", "kcm_clock"},
        {"systemsettings5", "clock"},
        {"xfce4-datetime-settings", nullptr},
    };
    for (const auto& candidate : candidates) {
        const QString program =
            QStandardPaths::findExecutable(QString::fromLatin1(candidate.program));
        if (program.isEmpty()) {
            continue;
        }
        QStringList arguments;
        if (candidate.argument != nullptr) {
            arguments << QString::fromLatin1(candidate.argument);
        }
        QProcess::startDetached(program, arguments);
        return;
    }
#endif
}

}  // namespace qeb::ui
