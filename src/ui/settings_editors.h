#pragma once

#include <QAbstractSpinBox>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QLabel>
#include <QObject>
#include <QSpinBox>

#include "settings/settings_record.h"

namespace qeb::ui {

// The six settings editors: pH range, alarm margin and KH on Panel1, LCD brightness and contrast
// with their captions on the window itself. Decimal editors show a decimal comma (6,90).
class SettingsEditors : public QObject {
    Q_OBJECT
public:
    explicit SettingsEditors(QWidget* window);

    // The numbers in the editors' texts, read in extended precision. A text still being typed is
    // first settled by its editor. Throws core::ConversionError when a text is not a number.
    settings::SettingsValues Values() const;
    // A value outside an editor's range becomes the nearer bound.
    void SetValues(const settings::SettingsValues& values);

    // The six editors are usable only while connected.
    void SetSettingsEnabled(bool enabled);
    // The captions ZAKRES, PRÓG ALARMU and TWW (KH) WODY.
    void SetCaptionsEnabled(bool enabled);

private:
    QFrame* m_panel1;
    QLabel* m_label13;
    QLabel* m_label6;
    QLabel* m_label14;
    QLabel* m_label19;
    QDoubleSpinBox* m_rxSpinEdit7;
    QDoubleSpinBox* m_rxSpinEdit8;
    QDoubleSpinBox* m_rxSpinEdit11;
    QSpinBox* m_rxSpinEdit12;
    QSpinBox* m_rxSpinEdit9;
    QSpinBox* m_rxSpinEdit10;
};

}  // namespace qeb::ui
