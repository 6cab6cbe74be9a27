#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QLabel;
class QToolButton;
class QWidget;

namespace qeb::ui {

class PortComboBox;
class RxSwitch;
class SvgPicture;

// The port row of the window: the port drop-down (ComboBox1), its refresh button (SpeedButton5),
// the connect switch (RxSwitch1) with the grey placeholder (Image7) that stands in for it while
// there is no port name, and the hidden label (Label29) that keeps the selected port name. They
// have no frame of their own, so they stay children of the window at their designed places.
class LinkControls : public QObject {
    Q_OBJECT
public:
    explicit LinkControls(QWidget* window);

    PortComboBox* PortBox() const { return m_comboBox1; }
    QToolButton* RefreshButton() const { return m_speedButton5; }
    RxSwitch* Switch() const { return m_rxSwitch1; }

    QString PortText() const;
    // Text set by the program: no change handler runs.
    void SetPortText(const QString& text);
    QString SelectedPort() const;
    void SetSelectedPort(const QString& name);

    // Empties the list; the text becomes the selected port name.
    void ClearList();
    // Adds the system's ports with their descriptions; the text stays the selected port name.
    void AddPorts(const QStringList& names);

    void ShowSwitch(bool visible);

signals:
    // The user typed or chose a text.
    void PortTextChanged();
    // The drop-down became the control the user works in.
    void Entered();
    void RefreshClicked();
    void SwitchClicked();

private:
    PortComboBox* m_comboBox1;
    QToolButton* m_speedButton5;
    RxSwitch* m_rxSwitch1;
    SvgPicture* m_image7;
    QLabel* m_label29;
};

}  // namespace qeb::ui
