#include "ui/link_controls.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "link/port_list.h"
#include "ui/glyph_button.h"
#include "ui/port_combo_box.h"
#include "ui/rx_switch.h"
#include "ui/svg_picture.h"

namespace qeb::ui {

LinkControls::LinkControls(QWidget* window) : QObject(window) {
    m_comboBox1 = new PortComboBox(QStringLiteral("ComboBox1"), window);
    m_comboBox1->setGeometry(2, 51, 66, 21);
    // Only the user's typing and choosing run the change handler; text the program sets does not.
    connect(m_comboBox1->lineEdit(), &QLineEdit::textEdited, this, &LinkControls::PortTextChanged);
    connect(m_comboBox1, &QComboBox::textActivated, this, &LinkControls::PortTextChanged);
    connect(m_comboBox1, &QComboBox::editTextChanged, this,
            [this](const QString& text) { ShowSwitch(!text.isEmpty()); });
    connect(m_comboBox1, &PortComboBox::Entered, this, &LinkControls::Entered);

    m_speedButton5 =
        MakeGlyphButton(QStringLiteral("SpeedButton5"), QStringLiteral(":/glyph_refresh.svg"),
                        QStringLiteral("Odśwież COM"), QRect(70, 52, 21, 21), window);
    connect(m_speedButton5, &QToolButton::clicked, this, &LinkControls::RefreshClicked);

    m_rxSwitch1 = new RxSwitch(QStringLiteral("RxSwitch1"), QStringLiteral(":/switch_on.svg"),
                               QStringLiteral(":/switch_off.svg"), window);
    m_rxSwitch1->setGeometry(24, 78, 47, 29);
    m_rxSwitch1->setToolTip(QStringLiteral("Połącz ..."));
    m_rxSwitch1->hide();
    connect(m_rxSwitch1, &RxSwitch::Clicked, this, &LinkControls::SwitchClicked);

    m_image7 = new SvgPicture(QStringLiteral("Image7"), QStringLiteral(":/placeholder_hatched.svg"),
                              window);
    m_image7->setGeometry(20, 80, 57, 25);

    m_label29 = new QLabel(window);
    m_label29->setObjectName(QStringLiteral("Label29"));
    m_label29->move(8, 88);
    m_label29->hide();
}

QString LinkControls::PortText() const {
    return m_comboBox1->currentText();
}

void LinkControls::SetPortText(const QString& text) {
    m_comboBox1->setEditText(text);
}

QString LinkControls::SelectedPort() const {
    return m_label29->text();
}

void LinkControls::SetSelectedPort(const QString& name) {
    m_label29->setText(name);
}

void LinkControls::ClearList() {
    m_comboBox1->clear();
    m_comboBox1->setEditText(SelectedPort());
}

void LinkControls::AddPorts(const QStringList& names) {
    m_comboBox1->addItems(names);
    for (int i = 0; i < m_comboBox1->count(); ++i) {
        m_comboBox1->setItemData(i, link::PortToolTip(names[i]), Qt::ToolTipRole);
    }
    // Stable names are long; the open list shows them whole.
    m_comboBox1->view()->setMinimumWidth(m_comboBox1->view()->sizeHintForColumn(0) + 8);
    // The first item added to an empty list would become the text.
    m_comboBox1->setEditText(SelectedPort());
}

void LinkControls::ShowSwitch(bool visible) {
    m_rxSwitch1->setVisible(visible);
    m_image7->setVisible(!visible);
}

}  // namespace qeb::ui
