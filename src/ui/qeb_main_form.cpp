#include "ui/qeb_main_form.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>

#include "core/errors.h"
#include "ui/fonts.h"
#include "ui/readout_panel.h"
#include "ui/svg_picture.h"

namespace qeb::ui {

QebMainForm::QebMainForm(Services services, QWidget* parent)
    : QWidget(parent), m_services(services) {
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("PH Controller Qeb-01 - ") + QLatin1String(kMakerAddress));
    setFont(PixelFont(11, true));
    setFixedSize(345, 623);

    m_readoutPanel = new ReadoutPanel(this);
    CreateLogControls();

    connect(&m_comPort, &link::SerialLink::RxChar, this, &QebMainForm::ComPortRxChar);
}

void QebMainForm::CreateLogControls() {
    m_logBox = new QCheckBox(this);
    m_logBox->setObjectName(QStringLiteral("CheckBox1"));
    m_logBox->move(253, 183);
    m_logBox->adjustSize();
    m_logBox->setEnabled(false);
    m_logBox->setToolTip(QStringLiteral("Zapisz do pliku Excela w formacie CSV"));
    connect(m_logBox, &QCheckBox::clicked, this, &QebMainForm::CheckBox1Click);

    auto* inactiveFolder = new SvgPicture(QStringLiteral("Image5"),
                                          QStringLiteral(":/show_folder_inactive.svg"), this);
    inactiveFolder->setGeometry(275, 173, 32, 32);
    auto* activeFolder =
        new SvgPicture(QStringLiteral("Image6"), QStringLiteral(":/show_folder_active.svg"), this);
    activeFolder->setGeometry(275, 173, 32, 32);
    activeFolder->setCursor(Qt::PointingHandCursor);
    activeFolder->setToolTip(QStringLiteral("Pokaż folder z plikiem Excela"));
    activeFolder->hide();
    connect(activeFolder, &SvgPicture::Clicked, this, &QebMainForm::Image6Click);
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
        // A frame whose numbers do not convert ends here, unseen and unlogged; the next frame
        // may be whole.
        m_readoutPanel->Render(m_readout);
        return;
    }
    m_readoutPanel->Render(m_readout);
    LogReceivedFrame();
}

void QebMainForm::LogReceivedFrame() {
    try {
        m_log.LogStep(m_receiver.CurrentStatus(), m_logBox->isChecked(), CurrentMinute());
    } catch (const core::FileError& error) {
        // Shown once per logging run, and only after this handler has returned: a modal box
        // inside the received-characters event would run further frames inside it.
        if (m_log.ClaimFailureReport()) {
            const QString message = QString::fromStdString(error.what());
            QMetaObject::invokeMethod(
                this, [this, message] { m_services.prompts.ShowError(message); },
                Qt::QueuedConnection);
        }
    }
}

std::string QebMainForm::CurrentMinute() const {
    return core::LongTimeText(m_services.clock.Now()).substr(3, 2);
}

void QebMainForm::CheckBox1Click() {
    // The box stays dead for a moment so that a double click cannot start and stop a log.
    m_logBox->setEnabled(false);
    m_logBox->repaint();
    m_services.sleeper.SleepMs(300);
    m_logBox->setEnabled(true);
    m_logBox->repaint();
    m_services.sleeper.SleepMs(300);
}

void QebMainForm::Image6Click() {
    m_services.prompts.OpenFolder(QDir::currentPath());
}

void QebMainForm::FormClose() {
    if (!m_log.LogFinalized()) {
        try {
            m_log.FinishLog();
        } catch (const core::FileError& error) {
            m_services.prompts.ShowError(QString::fromStdString(error.what()));
        }
    }
}

void QebMainForm::closeEvent(QCloseEvent* event) {
    FormClose();
    QWidget::closeEvent(event);
}

}  // namespace qeb::ui
