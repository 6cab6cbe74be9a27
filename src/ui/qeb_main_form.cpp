#include "ui/qeb_main_form.h"

#include "core/errors.h"
#include "ui/fonts.h"
#include "ui/readout_panel.h"

namespace qeb::ui {

QebMainForm::QebMainForm(Services services, QWidget* parent)
    : QWidget(parent), m_services(services) {
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("PH Controller Qeb-01 - ") + QLatin1String(kMakerAddress));
    setFont(PixelFont(11, true));
    setFixedSize(345, 623);

    m_readoutPanel = new ReadoutPanel(this);

    connect(&m_comPort, &link::SerialLink::RxChar, this, &QebMainForm::ComPortRxChar);
}

QebMainForm::~QebMainForm() = default;

bool QebMainForm::IsPolish() const {
    const auto* brightPolishFlag = findChild<const QWidget*>(QStringLiteral("Image13"));
    return brightPolishFlag == nullptr || !brightPolishFlag->isHidden();
}

void QebMainForm::ComPortRxChar(qint64 count) {
    ProcessReceivedText(m_comPort.ReadText(count));
}

void QebMainForm::ProcessReceivedText(std::string_view text) {
    if (!m_receiver.Append(text)) {
        return;
    }
    try {
        monitor::ShowStatus(m_receiver.CurrentStatus(), m_readout);
    } catch (const core::ConversionError&) {
        // A frame whose numbers do not convert ends here, unseen; the next frame may be whole.
    }
    m_readoutPanel->Render(m_readout);
}

}  // namespace qeb::ui
