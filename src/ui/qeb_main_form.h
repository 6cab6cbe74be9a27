#pragma once

#include <QWidget>
#include <string_view>

#include "core/clock.h"
#include "core/prompts.h"
#include "core/sleeper.h"
#include "link/frame_receiver.h"
#include "link/serial_link.h"
#include "monitor/readout.h"

namespace qeb::ui {

class ReadoutPanel;

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

    // The interface language, held by which bright flag is shown; Polish as designed.
    bool IsPolish() const;

public slots:
    // The received-characters event: `count` bytes are waiting on the port.
    void ComPortRxChar(qint64 count);

private:
    void ProcessReceivedText(std::string_view text);

    Services m_services;
    link::SerialLink m_comPort;
    link::FrameReceiver m_receiver;
    monitor::Readout m_readout;
    ReadoutPanel* m_readoutPanel = nullptr;
};

}  // namespace qeb::ui
