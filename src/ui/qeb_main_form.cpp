#include "ui/qeb_main_form.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QPalette>
#include <QScreen>
#include <QToolButton>
#include <exception>

#include "app/preferences.h"
#include "core/errors.h"
#include "link/device_commands.h"
#include "link/port_list.h"
#include "settings/settings_file.h"
#include "trend/trend_launcher.h"
#include "ui/clickable_label.h"
#include "ui/connection_layout.h"
#include "ui/fonts.h"
#include "ui/glyph_button.h"
#include "ui/language_selector.h"
#include "ui/link_controls.h"
#include "ui/log_controls.h"
#include "ui/readout_panel.h"
#include "ui/rx_switch.h"
#include "ui/settings_editors.h"
#include "ui/settings_group.h"
#include "ui/svg_picture.h"

namespace qeb::ui {
namespace {

// The light grey of the system's active window border, which the window is painted in.
const QColor kActiveBorderGrey(0xB4, 0xB4, 0xB4);
const QColor kDefaultTextColor(Qt::white);
const QColor kClockTextColor(Qt::black);
constexpr int kClockFontPx = 13;
// The device needs a moment to take new settings; the busy look tells the user so.
constexpr int kSettleAfterSendMs = 800;

const QString kSettingsFileFilter = QStringLiteral("Pliki ustawień Qeb-01 (*.qeb)");
const QString kSettingsFileProposedName = QStringLiteral("ustawienia");
const QString kSettingsFileSuffix = QStringLiteral("qeb");

const QString kFactoryResetQuestionPolish = QStringLiteral(
    "Czy jesteś pewnien, że chcesz przywrócić ustawienia domyślne (fabryczne)?\n\n"
    "Bieżące ustawienia będą wykasowane ...");
const QString kFactoryResetQuestionEnglish = QStringLiteral(
    "Are you sure, You want to restore the default values?\n\nCurrent settings will be lost ...");
const QString kFactoryResetNoticePolish = QStringLiteral(
    "Po przywróceniu ustawień domyślnych, do poprawnej pracy urządzenia WYMAGANA jest "
    "kalibracja!");
const QString kFactoryResetNoticeEnglish =
    QStringLiteral("After restore the default settings, REQUIRE probe calibration process!");

// A handler's edge: an error ends the handler's remaining steps and is shown to the user.
template <typename Steps>
void ReportingErrors(core::Prompts& prompts, Steps steps) {
    try {
        steps();
    } catch (const std::exception& error) {
        prompts.ShowError(QString::fromStdString(error.what()));
    }
}

}  // namespace

app::Screens SystemScreens() {
    app::Screens screens;
    if (const QScreen* primary = QGuiApplication::primaryScreen()) {
        screens.primary = primary->geometry();
    }
    for (const QScreen* screen : QGuiApplication::screens()) {
        screens.all << screen->geometry();
    }
    return screens;
}

QebMainForm::QebMainForm(Services services, QWidget* parent)
    : QWidget(parent), m_services(services) {
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("PH Controller Qeb-01 - ") + QLatin1String(kMakerAddress));
    setFont(PixelFont(11, true));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kActiveBorderGrey);
    palette.setColor(QPalette::Active, QPalette::WindowText, kDefaultTextColor);
    palette.setColor(QPalette::Inactive, QPalette::WindowText, kDefaultTextColor);
    setPalette(palette);
    setAutoFillBackground(true);
    setFixedSize(345, 623);
    move(app::kDesignedPosition);

    // Created first and kept lowest: everything else lies on the picture of the front panel.
    m_image3 = new SvgPicture(QStringLiteral("Image3"), QStringLiteral(":/front_panel.svg"), this);
    m_image3->setGeometry(0, 118, 345, 505);

    m_languageSelector = new LanguageSelector(this);
    connect(m_languageSelector, &LanguageSelector::PalePolishFlagClicked, this,
            &QebMainForm::Image12Click);
    connect(m_languageSelector, &LanguageSelector::PaleEnglishFlagClicked, this,
            &QebMainForm::Image15Click);
    CreateLinkTypeButtons();
    CreateClockLabels();

    m_readoutPanel = new ReadoutPanel(this);
    // Covers the readout while disconnected.
    auto* panel2 = new QFrame(this);
    panel2->setObjectName(QStringLiteral("Panel2"));
    panel2->setGeometry(45, 205, 258, 143);
    panel2->setAutoFillBackground(true);
    QPalette coverPalette = panel2->palette();
    coverPalette.setColor(QPalette::Window, QColor(0xA0, 0xA0, 0xA0));
    panel2->setPalette(coverPalette);
    m_logControls = new LogControls(this);
    connect(m_logControls, &LogControls::LogBoxClicked, this, &QebMainForm::CheckBox1Click);
    connect(m_logControls, &LogControls::ShowFolderClicked, this, &QebMainForm::Image6Click);
    m_trend = new trend::TrendLauncher(*this, m_services.prompts, [this] { return IsPolish(); });
    m_settingsEditors = new SettingsEditors(this);
    m_settingsGroup = new SettingsGroup(this);
    m_speedButton7 =
        MakeGlyphButton(QStringLiteral("SpeedButton7"), QStringLiteral(":/glyph_restart.svg"),
                        QStringLiteral("Restart zdalny"), {70, 52, 21, 21}, this);
    m_speedButton7->hide();

    connect(m_settingsGroup->LoadButton(), &QToolButton::clicked, this,
            &QebMainForm::SpeedButton1Click);
    connect(m_settingsGroup->SaveButton(), &QToolButton::clicked, this,
            &QebMainForm::SpeedButton2Click);
    connect(m_settingsGroup->SendButton(), &QToolButton::clicked, this,
            &QebMainForm::SpeedButton3Click);
    connect(m_settingsGroup->FetchButton(), &QToolButton::clicked, this,
            &QebMainForm::SpeedButton4Click);
    connect(m_settingsGroup->FactoryButton(), &QToolButton::clicked, this,
            &QebMainForm::SpeedButton6Click);
    connect(m_speedButton7, &QToolButton::clicked, this, &QebMainForm::SpeedButton7Click);
    connect(m_settingsGroup->FileNameLabel(), &ClickableLabel::Clicked, this,
            &QebMainForm::RxLabel1Click);
    m_linkControls = new LinkControls(this);
    connect(m_linkControls, &LinkControls::PortTextChanged, this, &QebMainForm::ComboBox1Change);
    connect(m_linkControls, &LinkControls::Entered, this, &QebMainForm::ComboBox1Enter);
    connect(m_linkControls, &LinkControls::RefreshClicked, this, &QebMainForm::SpeedButton5Click);
    connect(m_linkControls, &LinkControls::SwitchClicked, this, &QebMainForm::RxSwitch1Click);

    connect(&m_comPort, &link::SerialLink::RxChar, this, &QebMainForm::ComPortRxChar);

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setSingleShot(true);
    m_timer1->setTimerType(Qt::PreciseTimer);
    connect(m_timer1, &QTimer::timeout, this, &QebMainForm::Timer1Timer);
    m_timer1->start(0);
}

QebMainForm::~QebMainForm() = default;

void QebMainForm::CreateLinkTypeButtons() {
    const QRect place(3, 82, 17, 21);
    m_speedButton8 =
        MakeGlyphButton(QStringLiteral("SpeedButton8"), QStringLiteral(":/glyph_cable.svg"),
                        QStringLiteral("Połączenie kablowe"), place, this);
    m_speedButton9 =
        MakeGlyphButton(QStringLiteral("SpeedButton9"), QStringLiteral(":/glyph_wireless.svg"),
                        QStringLiteral("Połączenie bezprzewodowe"), place, this);
    m_speedButton8->hide();
    m_speedButton9->hide();
    connect(m_speedButton8, &QToolButton::clicked, this, &QebMainForm::SpeedButton8Click);
    connect(m_speedButton9, &QToolButton::clicked, this, &QebMainForm::SpeedButton9Click);
}

void QebMainForm::CreateClockLabels() {
    const QFont font = PixelFont(kClockFontPx, true);
    const struct {
        QLabel*& member;
        const char* name;
        const char* text;
        const char* hint;
        int left;
        void (QebMainForm::*handler)();
    } labels[] = {
        {m_label4, "Label4", "2016-10-01", "data ...", 24, &QebMainForm::Label4Click},
        {m_label3, "Label3", "Poniedzialek", "dziś jest ...", 105, &QebMainForm::Label3Click},
        {m_label5, "Label5", "18:00:00", "obecna godzina ...", 265, &QebMainForm::Label5Click},
    };
    for (const auto& l : labels) {
        auto* label = new ClickableLabel(this);
        ConfigureLabel(label, QString::fromLatin1(l.name), QString::fromLatin1(l.text), l.left, 110,
                       font, kClockTextColor);
        label->setToolTip(QString::fromUtf8(l.hint));
        label->setEnabled(false);
        connect(label, &ClickableLabel::Clicked, this, l.handler);
        l.member = label;
    }
}

bool QebMainForm::IsPolish() const {
    return m_languageSelector->IsPolish();
}

Language QebMainForm::CurrentLanguage() const {
    return IsPolish() ? Language::Polish : Language::English;
}

bool QebMainForm::SwitchIsOn() const {
    return m_linkControls != nullptr && m_linkControls->Switch()->IsOn();
}

void QebMainForm::Image12Click() {
    m_languageSelector->ShowPolishFlags();
    ApplyLanguage(*this, Language::Polish, SwitchIsOn());
}

void QebMainForm::Image15Click() {
    m_languageSelector->ShowEnglishFlags();
    ApplyLanguage(*this, Language::English, SwitchIsOn());
}

void QebMainForm::ShowClock(const QDateTime& now) {
    SetLabelText(m_label5, QString::fromStdString(core::LongTimeText(now)));
    SetLabelText(m_label4, QString::fromStdString(core::ShortDateText(now)));
    SetLabelText(m_label3, DayName(now.date().dayOfWeek(), CurrentLanguage()));
}

void QebMainForm::Label3Click() {
    m_services.prompts.OpenDateTimeSettings();
}

void QebMainForm::Label4Click() {
    m_services.prompts.OpenDateTimeSettings();
}

void QebMainForm::Label5Click() {
    m_services.prompts.OpenDateTimeSettings();
}

void QebMainForm::SetWirelessLink(int wirelessLink) {
    m_wirelessLink = wirelessLink == 1 ? 1 : 0;
    m_speedButton8->setVisible(m_wirelessLink == 0);
    m_speedButton9->setVisible(m_wirelessLink == 1);
}

void QebMainForm::SpeedButton8Click() {
    SetWirelessLink(1);
}

void QebMainForm::SpeedButton9Click() {
    SetWirelessLink(0);
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
    m_trend->AddFrame(m_receiver.CurrentStatus(), m_services.clock.Now());
}

void QebMainForm::LogReceivedFrame() {
    try {
        m_log.LogStep(m_receiver.CurrentStatus(), m_logControls->LogTicked(),
                      m_supervision.CurrentMinute());
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

void QebMainForm::CheckBox1Click() {
    m_logControls->HoldAfterClick(m_services.sleeper);
}

void QebMainForm::Image6Click() {
    m_services.prompts.OpenFolder(QDir::currentPath());
}

void QebMainForm::FormCreate() {
    m_wirelessLink = 0;
    const QString path = app::PreferencesPath(QDir::currentPath());
    const app::StartUpPlan plan =
        app::PlanStartUp(app::ReadPreferences(path), frameGeometry().size(), m_screenSource());
    if (plan.screenTooSmall) {
        m_services.prompts.ShowMessage(QString::fromLatin1(app::kScreenTooSmallMessage));
    }
    if (plan.portText) {
        RestorePortText(*plan.portText);
    }
    if (plan.position) {
        move(*plan.position);
    }
    if (plan.language == app::LanguageChoice::Polish) {
        Image12Click();
    } else if (plan.language == app::LanguageChoice::English) {
        Image15Click();
    }
    if (plan.link != app::LinkChoice::Unchanged) {
        SetWirelessLink(plan.link == app::LinkChoice::Wireless ? 1 : 0);
    }
    if (plan.firstRun) {
        WriteFirstRunPreferences(path);
    }
    if (!plan.error.isEmpty()) {
        m_services.prompts.ShowError(plan.error);
    }
    m_log.ArmLog();
}

void QebMainForm::RestorePortText(const QString& text) {
    // Set as the program's text, not typed: no change handler runs, and the selected port
    // keeps the name, so that refilling the list on the first focus brings the text back.
    m_linkControls->SetPortText(text);
    m_comPort.SetPortName(link::PortNameForText(text));
    m_linkControls->SetSelectedPort(m_comPort.PortName());
}

void QebMainForm::WriteFirstRunPreferences(const QString& path) {
    try {
        app::WritePreferences(
            path, app::PreferencesOfWindow(m_linkControls->PortText(), frameGeometry(), true, 0));
    } catch (const core::FileError& error) {
        m_services.prompts.ShowError(QString::fromStdString(error.what()));
    }
}

void QebMainForm::FormClose() {
    m_comPort.Close();
    try {
        app::WritePreferences(app::PreferencesPath(QDir::currentPath()),
                              app::PreferencesOfWindow(m_linkControls->PortText(), frameGeometry(),
                                                       IsPolish(), m_wirelessLink));
    } catch (const core::FileError& error) {
        m_services.prompts.ShowError(QString::fromStdString(error.what()));
    }
    // An error box runs the event loop, and the tick of a switch still on reopens the port.
    m_comPort.Close();
    // Unsaved preferences do not keep the log from getting its final name.
    if (!m_log.LogFinalized()) {
        try {
            m_log.FinishLog();
        } catch (const core::FileError& error) {
            m_services.prompts.ShowError(QString::fromStdString(error.what()));
        }
    }
}

void QebMainForm::closeEvent(QCloseEvent* event) {
    if (!m_closed) {
        m_closed = true;
        FormClose();
    }
    QWidget::closeEvent(event);
}

void QebMainForm::SpeedButton3Click() {
    ReportingErrors(m_services.prompts, [this] {
        settings::BuildSettingsRecord(m_settingsEditors->Values(), m_settingsRecord);
        m_comPort.WriteText(link::SettingsCommand(m_settingsRecord));
        m_settingsGroup->ShowSendBusy(true);
        repaint();
        m_services.sleeper.SleepMs(kSettleAfterSendMs);
        m_settingsGroup->ShowSendBusy(false);
        settings::RefreshStatusFromSettings(m_settingsRecord, m_receiver.CurrentStatus());
    });
}

void QebMainForm::SendFactoryReset() {
    m_comPort.WriteText(link::kFactoryResetCommand);
}

void QebMainForm::SpeedButton6Click() {
    if (!m_services.prompts.AskOkCancel(IsPolish() ? kFactoryResetQuestionPolish
                                                   : kFactoryResetQuestionEnglish)) {
        return;
    }
    ReportingErrors(m_services.prompts, [this] {
        m_settingsGroup->SetFileName(QString::fromLatin1(SettingsGroup::kNoFileCaption));
        SendFactoryReset();
        m_settingsEditors->SetValues(settings::kFactorySettings);
        m_services.prompts.ShowMessage(IsPolish() ? kFactoryResetNoticePolish
                                                  : kFactoryResetNoticeEnglish);
    });
}

void QebMainForm::SpeedButton7Click() {
    ReportingErrors(m_services.prompts, [this] { m_comPort.WriteText(link::kRestartCommand); });
}

void QebMainForm::SpeedButton4Click() {
    ReportingErrors(m_services.prompts, [this] {
        const settings::SettingsValues reported =
            settings::SettingsFromStatus(m_receiver.CurrentStatus());
        m_settingsGroup->SetFileName(QString::fromLatin1(SettingsGroup::kNoFileCaption));
        m_settingsEditors->SetValues(reported);
    });
}

core::FileDialogRequest QebMainForm::PrepareSettingsDialog() {
    const QString folder = QDir::currentPath();
    m_settingsGroup->SetFolderHint(folder);
    return {folder, kSettingsFileFilter, kSettingsFileProposedName, kSettingsFileSuffix};
}

void QebMainForm::SpeedButton2Click() {
    const std::optional<QString> path =
        m_services.prompts.ChooseFileToSave(PrepareSettingsDialog());
    if (!path) {
        return;
    }
    ReportingErrors(m_services.prompts, [this, &path] {
        settings::BuildSettingsRecord(m_settingsEditors->Values(), m_settingsRecord);
        settings::SaveSettingsFile(*path, m_settingsRecord, m_services.sleeper);
        m_settingsGroup->SetFileName(QFileInfo(*path).fileName());
        settings::RefreshStatusFromSettings(m_settingsRecord, m_receiver.CurrentStatus());
    });
}

void QebMainForm::SpeedButton1Click() {
    const std::optional<QString> path =
        m_services.prompts.ChooseFileToOpen(PrepareSettingsDialog());
    if (!path) {
        return;
    }
    ReportingErrors(m_services.prompts, [this, &path] {
        const settings::SettingsValues loaded =
            settings::LoadSettingsFile(*path, m_settingsRecord, m_receiver, m_services.sleeper);
        m_settingsEditors->SetValues(loaded);
        m_settingsGroup->SetFileName(QFileInfo(*path).fileName());
        settings::RefreshStatusFromSettings(m_settingsRecord, m_receiver.CurrentStatus());
    });
}

void QebMainForm::RxLabel1Click() {
    m_services.prompts.OpenFolder(m_settingsGroup->FolderHint());
}

}  // namespace qeb::ui

namespace qeb::ui {

void QebMainForm::Timer1Timer() {
    // Armed first, so that the tick goes on while an error box of this run is open.
    ArmTick();
    const QDateTime now = m_services.clock.Now();
    ShowClock(now);
    const link::TickResult tick =
        m_supervision.SupervisionTick(core::LongTimeText(now), m_linkControls->PortText().isEmpty(),
                                      m_linkControls->Switch()->IsOn());
    m_linkControls->ShowSwitch(tick.switchVisible);
    if (tick.reconnected) {
        ShowSendAndFetch(!tick.reconnectError);
    }
    if (tick.reconnectError) {
        ShowSupervisionError(*tick.reconnectError);
        return;
    }
    if (tick.showZeros) {
        monitor::ShowZeros(m_readout);
        m_readoutPanel->Render(m_readout);
    }
}

void QebMainForm::RxSwitch1Click() {
    m_receiver.ResetReceiveBuffer();
    if (m_linkControls->Switch()->IsOn()) {
        try {
            m_supervision.Connect();
        } catch (const core::SerialError& error) {
            // Back to off, so that the switch agrees with the disconnected window and the tick
            // does not reopen the port behind the user's back.
            m_linkControls->Switch()->SetOn(false);
            m_services.prompts.ShowError(QString::fromStdString(error.Shown()));
            return;
        }
        // The readout's icon shows the link type while connected; the cable's lies on top.
        m_readout.Image4Visible = m_wirelessLink == 1;
        m_readout.Image8Visible = m_wirelessLink == 0;
        ShowSendAndFetch(true);
    } else {
        m_supervision.Disconnect();
        monitor::HideReadout(m_readout);
    }
    const bool connected = m_linkControls->Switch()->IsOn();
    m_readoutPanel->Render(m_readout);
    ApplyConnectionLayout(*this, connected, m_wirelessLink);
    m_linkControls->Switch()->setToolTip(SwitchHint(connected, CurrentLanguage()));
}

void QebMainForm::ComboBox1Change() {
    const QString text = m_linkControls->PortText();
    try {
        m_comPort.SetPortName(link::PortNameForText(text));
    } catch (const core::SerialError& error) {
        m_services.prompts.ShowError(QString::fromStdString(error.what()));
        return;
    }
    m_linkControls->SetSelectedPort(m_comPort.PortName());
    if (!link::KeepsTypedText(text)) {
        m_linkControls->SetPortText(QString());
    }
}

void QebMainForm::ComboBox1Enter() {
    EnumComPorts();
}

void QebMainForm::SpeedButton5Click() {
    EnumComPorts();
}

void QebMainForm::EnumComPorts() {
    m_linkControls->ClearList();
    const QStringList names = m_portSource();
    if (names.isEmpty()) {
        m_services.prompts.ShowMessage(link::NoPortMessage());
        return;
    }
    m_linkControls->AddPorts(names);
}

void QebMainForm::ArmTick() {
    m_timer1->start(link::NextTickDelayMs(m_services.clock.Now(), m_fixedTickPeriodMs));
}

void QebMainForm::ShowSendAndFetch(bool live) {
    // The send and fetch buttons are greyed while the port is being reopened, and stay so when
    // the reopen failed: there is nothing to send to.
    for (const char* name : {"SpeedButton3", "SpeedButton4"}) {
        if (auto* button = findChild<QWidget*>(QLatin1String(name))) {
            button->setVisible(live);
        }
    }
    for (const char* name : {"SpeedButton13", "SpeedButton14"}) {
        if (auto* twin = findChild<QWidget*>(QLatin1String(name))) {
            twin->setVisible(!live);
        }
    }
}

void QebMainForm::ShowSupervisionError(const std::string& message) {
    if (m_supervisionErrorShown) {
        return;
    }
    m_supervisionErrorShown = true;
    m_services.prompts.ShowError(QString::fromStdString(message));
    m_supervisionErrorShown = false;
}

}  // namespace qeb::ui
