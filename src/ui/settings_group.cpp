#include "ui/settings_group.h"

#include <QDir>

#include "ui/clickable_label.h"
#include "ui/fonts.h"
#include "ui/glyph_button.h"

namespace qeb::ui {
namespace {

const QString kLoadGlyph = QStringLiteral(":/glyph_load.svg");
const QString kSaveGlyph = QStringLiteral(":/glyph_save.svg");
const QString kFetchGlyph = QStringLiteral(":/glyph_fetch.svg");
const QString kFactoryGlyph = QStringLiteral(":/glyph_factory.svg");
const QString kSendGlyph = QStringLiteral(":/glyph_send.svg");

// The same glyph disabled, which greys it; a twin has no action and no hint.
QToolButton* GreyTwin(const QString& objectName, const QString& glyph, const QToolButton* live) {
    QToolButton* twin =
        MakeGlyphButton(objectName, glyph, QString(), live->geometry(), live->parentWidget());
    twin->setEnabled(false);
    twin->raise();
    return twin;
}

}  // namespace

SettingsGroup::SettingsGroup(QWidget* window) : QGroupBox(window) {
    setObjectName(QStringLiteral("GroupBox14"));
    setGeometry(93, 0, 249, 108);
    setEnabled(false);

    m_speedButton1 =
        MakeGlyphButton(QStringLiteral("SpeedButton1"), kLoadGlyph,
                        QStringLiteral("Pobierz ustawienia z pliku"), {8, 12, 41, 41}, this);
    m_speedButton2 =
        MakeGlyphButton(QStringLiteral("SpeedButton2"), kSaveGlyph,
                        QStringLiteral("Zachowaj ustawienia do pliku"), {200, 12, 41, 41}, this);
    m_speedButton4 =
        MakeGlyphButton(QStringLiteral("SpeedButton4"), kFetchGlyph,
                        QStringLiteral("Pobierz ustawienia z urządzenia"), {8, 60, 89, 41}, this);
    m_speedButton6 = MakeGlyphButton(QStringLiteral("SpeedButton6"), kFactoryGlyph,
                                     QStringLiteral("Przywróć ustawienia domyślne (fabryczne)"),
                                     {104, 60, 41, 41}, this);
    m_speedButton3 =
        MakeGlyphButton(QStringLiteral("SpeedButton3"), kSendGlyph,
                        QStringLiteral("Wyślij ustawienia do urządzenia"), {152, 60, 89, 41}, this);

    // Created after the live buttons, so that they lie on top.
    m_speedButton10 = GreyTwin(QStringLiteral("SpeedButton10"), kLoadGlyph, m_speedButton1);
    m_speedButton11 = GreyTwin(QStringLiteral("SpeedButton11"), kSaveGlyph, m_speedButton2);
    m_speedButton13 = GreyTwin(QStringLiteral("SpeedButton13"), kFetchGlyph, m_speedButton4);
    m_speedButton14 = GreyTwin(QStringLiteral("SpeedButton14"), kSendGlyph, m_speedButton3);
    m_speedButton12 = GreyTwin(QStringLiteral("SpeedButton12"), kFactoryGlyph, m_speedButton6);
    m_bevel2 = new QFrame(this);
    m_bevel2->setObjectName(QStringLiteral("Bevel2"));
    m_bevel2->setFrameShape(QFrame::Box);
    m_bevel2->setFrameShadow(QFrame::Sunken);
    m_bevel2->setGeometry(56, 18, 137, 36);

    m_label327 = MakeLabel(QStringLiteral("Label327"), QStringLiteral(" Plik z konfiguracją "),
                           this, 62, 11, PixelFont(11, true), Qt::white);
    m_label327->setAutoFillBackground(true);

    m_rxLabel1 = new ClickableLabel(this);
    m_rxLabel1->setObjectName(QStringLiteral("RxLabel1"));
    m_rxLabel1->setText(QString::fromLatin1(kNoFileCaption));
    m_rxLabel1->setWordWrap(true);
    m_rxLabel1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_rxLabel1->setGeometry(64, 32, 121, 13);
    m_rxLabel1->setToolTip(QDir::currentPath());
}

void SettingsGroup::SetTwinsVisible(bool visible) {
    for (QToolButton* twin :
         {m_speedButton10, m_speedButton11, m_speedButton13, m_speedButton14, m_speedButton12}) {
        twin->setVisible(visible);
    }
}

void SettingsGroup::ShowSendBusy(bool busy) {
    m_speedButton14->setVisible(busy);
    m_speedButton3->setVisible(!busy);
}

void SettingsGroup::SetFileName(const QString& caption) {
    m_rxLabel1->setText(caption);
}

QString SettingsGroup::FileName() const {
    return m_rxLabel1->text();
}

void SettingsGroup::SetFolderHint(const QString& folder) {
    m_rxLabel1->setToolTip(folder);
}

QString SettingsGroup::FolderHint() const {
    return m_rxLabel1->toolTip();
}

}  // namespace qeb::ui
