#pragma once

#include <QWidget>
#include <string_view>

#include "core/clock.h"
#include "core/prompts.h"
#include "core/sleeper.h"
#include "link/frame_receiver.h"
#include "link/serial_link.h"
#include "monitor/measurement_log.h"
#include "monitor/readout.h"

class QCheckBox;
class QCloseEvent;

namespace qeb::ui {

class ReadoutPanel;
class SvgPicture;

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

    // The interface language, held by which bright flag is shown; Polish as designed.
    bool IsPolish() const;

    // The close handler's work; runs once when the window closes.
    void FormClose();

public slots:
    // The received-characters event: `count` bytes are waiting on the port.
    void ComPortRxChar(qint64 count);
    void CheckBox1Click();
    void Image6Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateLogControls();
    void ProcessReceivedText(std::string_view text);
    void LogReceivedFrame();
    std::string CurrentMinute() const;

    Services m_services;
    link::SerialLink m_comPort;
    link::FrameReceiver m_receiver;
    monitor::Readout m_readout;
    ReadoutPanel* m_readoutPanel = nullptr;
    monitor::MeasurementLog m_log{m_services.clock};
    QCheckBox* m_logBox = nullptr;
};

}  // namespace qeb::ui
