#pragma once

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QToolButton>

namespace qeb::ui {

class ClickableLabel;

// GroupBox14: load, save, fetch, factory-defaults and send buttons, the grey twins that cover
// them while disconnected or busy, and the name of the settings file last saved or loaded.
class SettingsGroup : public QGroupBox {
    Q_OBJECT
public:
    static constexpr const char* kNoFileCaption = "*.*";

    explicit SettingsGroup(QWidget* window);

    QToolButton* LoadButton() const { return m_speedButton1; }
    QToolButton* SaveButton() const { return m_speedButton2; }
    QToolButton* SendButton() const { return m_speedButton3; }
    QToolButton* FetchButton() const { return m_speedButton4; }
    QToolButton* FactoryButton() const { return m_speedButton6; }
    ClickableLabel* FileNameLabel() const { return m_rxLabel1; }

    // The five grey twins over the live buttons: shown while disconnected.
    void SetTwinsVisible(bool visible);
    // While a send settles, the send button is covered by its grey twin.
    void ShowSendBusy(bool busy);

    void SetFileName(const QString& caption);
    QString FileName() const;
    // The folder the last file dialog started in; a click on the file name opens it.
    void SetFolderHint(const QString& folder);
    QString FolderHint() const;

private:
    QToolButton* m_speedButton1;
    QToolButton* m_speedButton2;
    QToolButton* m_speedButton4;
    QToolButton* m_speedButton6;
    QToolButton* m_speedButton3;
    QToolButton* m_speedButton10;
    QToolButton* m_speedButton11;
    QToolButton* m_speedButton13;
    QToolButton* m_speedButton14;
    QToolButton* m_speedButton12;
    QFrame* m_bevel2;
    QLabel* m_label327;
    ClickableLabel* m_rxLabel1;
};

}  // namespace qeb::ui
