#pragma once

#include <QDateTime>
#include <QLabel>
#include <QStringList>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <functional>
#include <optional>
#include <string_view>

#include "app/start_up.h"
#include "core/clock.h"
#include "core/prompts.h"
#include "core/sleeper.h"
#include "link/frame_receiver.h"
#include "link/serial_link.h"
#include "link/supervision.h"
#include "monitor/measurement_log.h"
#include "monitor/readout.h"
#include "settings/settings_record.h"
#include "ui/language_texts.h"

class QCloseEvent;

namespace qeb::trend {
class TrendLauncher;
}

namespace qeb::ui {

class LanguageSelector;
class LinkControls;
class LogControls;
class ReadoutPanel;
class SvgPicture;
class SettingsEditors;
class SettingsGroup;

// The monitors of this desktop, the primary one first.
app::Screens SystemScreens();

// What the window needs from the world; tests hand in their own.
struct Services {
    core::Clock& clock;
    core::Sleeper& sleeper;
    core::Prompts& prompts;
};

// The program's one window, drawn as the controller. Its slots are the event handlers; each is
// a few lines that call into link, monitor and settings.
class QebMainForm : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kMakerAddress = "www.example.com";

    explicit QebMainForm(Services services, QWidget* parent = nullptr);
    ~QebMainForm() override;

    link::SerialLink& ComPort() { return m_comPort; }
    link::FrameReceiver& Receiver() { return m_receiver; }
    const monitor::Readout& CurrentReadout() const { return m_readout; }
    monitor::MeasurementLog& Log() { return m_log; }
    const link::Supervision& LinkSupervision() const { return m_supervision; }

    // Where EnumComPorts gets the port names; the system's list unless a test sets another.
    void SetPortSource(std::function<QStringList()> source) { m_portSource = std::move(source); }
    // The monitors FormCreate places the window on; the system's unless a test sets others.
    void SetScreenSource(std::function<app::Screens()> source) {
        m_screenSource = std::move(source);
    }

    // The interface language, held by which bright flag is shown; Polish as designed.
    bool IsPolish() const;
    Language CurrentLanguage() const;

    // 0 for the USB cable, 1 for the wireless transmitter.
    int WirelessLink() const { return m_wirelessLink; }
    // Selects the link type and shows the one link-type button that stands for it.
    void SetWirelessLink(int wirelessLink);

    // The clock step of the tick: time, date and day name of one moment.
    void ShowClock(const QDateTime& now);

    // The creation handler's work, run once before the window is first shown: the preferences
    // of the working folder bring back port, place, language and link type, and the log is
    // armed. Every problem is shown and the start goes on.
    void FormCreate();
    // The close handler's work; runs once when the window closes: the port is closed, the
    // preferences are written to the working folder of that moment and the log is finished.
    void FormClose();

    // For the connected and disconnected layouts: the six editors and their captions, the
    // settings group with its grey twins, and the restart button shown only while connected.
    SettingsEditors& Editors() { return *m_settingsEditors; }
    SettingsGroup& SettingsButtons() { return *m_settingsGroup; }
    QToolButton* RestartButton() { return m_speedButton7; }
    const settings::SettingsRecord& CurrentSettingsRecord() const { return m_settingsRecord; }

    // Writes the factory-reset command; throws core::SerialError.
    void SendFactoryReset();

public slots:
    // The received-characters event: `count` bytes are waiting on the port.
    void ComPortRxChar(qint64 count);
    void CheckBox1Click();
    void Image6Click();
    void Timer1Timer();
    void RxSwitch1Click();
    void ComboBox1Change();
    void ComboBox1Enter();
    void SpeedButton5Click();
    void EnumComPorts();

    // The pale flags: switch to Polish or English.
    void Image12Click();
    void Image15Click();

    // The clock labels open the system's date and time settings.
    void Label3Click();
    void Label4Click();
    void Label5Click();

    // The cable button selects wireless, the wireless button selects cable.
    void SpeedButton8Click();
    void SpeedButton9Click();

    void SpeedButton1Click();  // load a settings file
    void SpeedButton2Click();  // save a settings file
    void SpeedButton3Click();  // send the settings
    void SpeedButton4Click();  // fetch the device's reported settings
    void SpeedButton6Click();  // factory defaults
    void SpeedButton7Click();  // restart the device
    void RxLabel1Click();      // show the settings file's folder

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void RestorePortText(const QString& text);
    void WriteFirstRunPreferences(const QString& path);
    void CreateClockLabels();
    void CreateLinkTypeButtons();
    bool SwitchIsOn() const;

    void ProcessReceivedText(std::string_view text);
    void LogReceivedFrame();
    core::FileDialogRequest PrepareSettingsDialog();
    void ArmTick();
    void ShowSendAndFetch(bool live);
    void ShowSupervisionError(const std::string& message);

    Services m_services;
    link::SerialLink m_comPort;
    link::FrameReceiver m_receiver;
    monitor::Readout m_readout;
    ReadoutPanel* m_readoutPanel = nullptr;
    monitor::MeasurementLog m_log{m_services.clock};
    SvgPicture* m_image3 = nullptr;
    LanguageSelector* m_languageSelector = nullptr;
    QLabel* m_label3 = nullptr;
    QLabel* m_label4 = nullptr;
    QLabel* m_label5 = nullptr;
    QToolButton* m_speedButton8 = nullptr;
    QToolButton* m_speedButton9 = nullptr;
    int m_wirelessLink = 0;
    SettingsEditors* m_settingsEditors = nullptr;
    SettingsGroup* m_settingsGroup = nullptr;
    QToolButton* m_speedButton7 = nullptr;
    settings::SettingsRecord m_settingsRecord;
    link::Supervision m_supervision{m_comPort, m_receiver, m_services.sleeper};
    LinkControls* m_linkControls = nullptr;
    LogControls* m_logControls = nullptr;
    std::function<QStringList()> m_portSource = link::AvailablePortNames;
    std::function<app::Screens()> m_screenSource = SystemScreens;
    QTimer* m_timer1 = nullptr;
    std::optional<int> m_fixedTickPeriodMs = link::FixedTickPeriodFromEnvironment();
    // A failed scheduled reopen is reported once while its box is still open.
    bool m_supervisionErrorShown = false;
    bool m_closed = false;
    trend::TrendLauncher* m_trend = nullptr;
};

}  // namespace qeb::ui
