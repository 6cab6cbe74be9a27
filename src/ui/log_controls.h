#pragma once

#include <QObject>

#include "core/sleeper.h"

class QCheckBox;
class QWidget;

namespace qeb::ui {

class SvgPicture;

// The log box (CheckBox1) and the show-folder pictures beside it: inactive (Image5) while
// disconnected, active (Image6) while connected. Children of the window at their designed places.
class LogControls : public QObject {
    Q_OBJECT
public:
    explicit LogControls(QWidget* window);

    QCheckBox* LogBox() const { return m_checkBox1; }
    bool LogTicked() const;

    // After a click the box stays dead for a moment, so that a double click cannot start and
    // stop a log; the user-interface thread waits meanwhile.
    void HoldAfterClick(core::Sleeper& sleeper);

signals:
    void LogBoxClicked();
    void ShowFolderClicked();

private:
    QCheckBox* m_checkBox1;
    SvgPicture* m_image5;
    SvgPicture* m_image6;
};

}  // namespace qeb::ui
