#include "ui/settings_editors.h"

#include <QLocale>
#include <QPalette>
#include <algorithm>
#include <cmath>

#include "core/decimal_comma.h"
#include "ui/fonts.h"

namespace qeb::ui {
namespace {

constexpr int kEditorHeight = 29;
constexpr int kDecimalEditorWidth = 66;
constexpr int kWholeEditorWidth = 50;
constexpr int kEditorFontPx = 16;
constexpr int kCaptionFontPx = 19;
constexpr int kDashFontPx = 23;
constexpr int kLcdCaptionFontPx = 11;

const QColor kPanelColor(0x00, 0x00, 0x00);
const QColor kCaptionSilver(0xC0, 0xC0, 0xC0);

QLocale EditorLocale() {
    QLocale locale(QLocale::Polish, QLocale::Poland);
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

void Prepare(QAbstractSpinBox* editor, const char* name, const QPoint& at, int width,
             const QString& hint) {
    editor->setObjectName(QString::fromLatin1(name));
    editor->setLocale(EditorLocale());
    editor->setFont(PixelFont(kEditorFontPx, true));
    editor->setGeometry(at.x(), at.y(), width, kEditorHeight);
    editor->setToolTip(hint);
    editor->setKeyboardTracking(false);
    editor->setEnabled(false);
}

QDoubleSpinBox* DecimalEditor(QWidget* parent, const char* name, const QPoint& at, double minimum,
                              double maximum, long double initial, const QString& hint) {
    auto* editor = new QDoubleSpinBox(parent);
    editor->setDecimals(2);
    editor->setSingleStep(0.01);
    editor->setRange(minimum, maximum);
    editor->setValue(static_cast<double>(initial));
    Prepare(editor, name, at, kDecimalEditorWidth, hint);
    return editor;
}

QSpinBox* WholeEditor(QWidget* parent, const char* name, const QPoint& at, int minimum, int maximum,
                      long double initial, const QString& hint) {
    auto* editor = new QSpinBox(parent);
    editor->setSingleStep(1);
    editor->setRange(minimum, maximum);
    editor->setValue(static_cast<int>(initial));
    Prepare(editor, name, at, kWholeEditorWidth, hint);
    return editor;
}

QLabel* Caption(const char* name, const QString& text, QWidget* parent, int left, int top,
                int pixelSize) {
    return MakeLabel(QString::fromLatin1(name), text, parent, left, top, PixelFont(pixelSize, true),
                     kCaptionSilver);
}

// Clamped in extended precision first: a huge value must not overflow the editor's own type.
void SetDecimal(QDoubleSpinBox* editor, long double value) {
    editor->setValue(static_cast<double>(
        std::clamp<long double>(value, static_cast<long double>(editor->minimum()),
                                static_cast<long double>(editor->maximum()))));
}

void SetWhole(QSpinBox* editor, long double value) {
    const long double clamped =
        std::clamp<long double>(value, editor->minimum(), editor->maximum());
    editor->setValue(static_cast<int>(std::lround(clamped)));
}

long double Read(QAbstractSpinBox* editor) {
    editor->interpretText();
    return core::ParseDecimal(editor->text().toStdString());
}

}  // namespace

SettingsEditors::SettingsEditors(QWidget* window) : QObject(window) {
    m_panel1 = new QFrame(window);
    m_panel1->setObjectName(QStringLiteral("Panel1"));
    m_panel1->setGeometry(34, 470, 281, 104);
    m_panel1->setAutoFillBackground(true);
    QPalette palette = m_panel1->palette();
    palette.setColor(QPalette::Window, kPanelColor);
    m_panel1->setPalette(palette);

    m_label13 = Caption("Label13", QStringLiteral("ZAKRES"), m_panel1, 6, 10, kCaptionFontPx);
    m_label6 = Caption("Label6", QStringLiteral("-"), m_panel1, 176, 7, kDashFontPx);
    m_label14 = Caption("Label14", QStringLiteral("PRÓG ALARMU"), m_panel1, 6, 43, kCaptionFontPx);
    m_label19 =
        Caption("Label19", QStringLiteral("TWW (KH) WODY"), m_panel1, 6, 76, kCaptionFontPx);

    const settings::SettingsValues& initial = settings::kFactorySettings;
    m_rxSpinEdit7 = DecimalEditor(m_panel1, "RxSpinEdit7", {100, 6}, 4.0, 8.7, initial.PHmin,
                                  QStringLiteral("PH minimalne zakresu"));
    m_rxSpinEdit8 = DecimalEditor(m_panel1, "RxSpinEdit8", {196, 6}, 4.1, 8.8, initial.PHmax,
                                  QStringLiteral("PH maksymalne zakresu"));
    m_rxSpinEdit11 =
        DecimalEditor(m_panel1, "RxSpinEdit11", {172, 39}, 0.0, 2.5, initial.Alarm,
                      QStringLiteral("Próg alarmu obliczany jako (PHmin-ALARM oraz PHmax+ALARM)"));
    m_rxSpinEdit12 = WholeEditor(m_panel1, "RxSpinEdit12", {188, 72}, 0, 20, initial.KH,
                                 QStringLiteral("Twardość węglanowa wody TWW (KH)"));
    m_rxSpinEdit9 = WholeEditor(window, "RxSpinEdit9", {33, 387}, 0, 100, initial.Brightness,
                                QStringLiteral("Jasność podświetlenia LCD"));
    m_rxSpinEdit10 = WholeEditor(window, "RxSpinEdit10", {255, 387}, 0, 25, initial.Contrast,
                                 QStringLiteral("Kontrast LCD"));

    Caption("Label2", QStringLiteral("BRI"), window, 46, 369, kLcdCaptionFontPx);
    Caption("Label28", QStringLiteral("CON"), window, 264, 369, kLcdCaptionFontPx);
}

settings::SettingsValues SettingsEditors::Values() const {
    settings::SettingsValues values;
    values.PHmin = Read(m_rxSpinEdit7);
    values.PHmax = Read(m_rxSpinEdit8);
    values.Alarm = Read(m_rxSpinEdit11);
    values.KH = Read(m_rxSpinEdit12);
    values.Brightness = Read(m_rxSpinEdit9);
    values.Contrast = Read(m_rxSpinEdit10);
    return values;
}

void SettingsEditors::SetValues(const settings::SettingsValues& values) {
    SetDecimal(m_rxSpinEdit7, values.PHmin);
    SetDecimal(m_rxSpinEdit8, values.PHmax);
    SetDecimal(m_rxSpinEdit11, values.Alarm);
    SetWhole(m_rxSpinEdit12, values.KH);
    SetWhole(m_rxSpinEdit9, values.Brightness);
    SetWhole(m_rxSpinEdit10, values.Contrast);
}

void SettingsEditors::SetSettingsEnabled(bool enabled) {
    for (QAbstractSpinBox* editor : {static_cast<QAbstractSpinBox*>(m_rxSpinEdit7),
                                     static_cast<QAbstractSpinBox*>(m_rxSpinEdit8),
                                     static_cast<QAbstractSpinBox*>(m_rxSpinEdit11),
                                     static_cast<QAbstractSpinBox*>(m_rxSpinEdit12),
                                     static_cast<QAbstractSpinBox*>(m_rxSpinEdit9),
                                     static_cast<QAbstractSpinBox*>(m_rxSpinEdit10)}) {
        editor->setEnabled(enabled);
    }
}

void SettingsEditors::SetCaptionsEnabled(bool enabled) {
    m_label13->setEnabled(enabled);
    m_label14->setEnabled(enabled);
    m_label19->setEnabled(enabled);
}

}  // namespace qeb::ui
