#pragma once

#include <QGroupBox>

namespace qeb::ui {

class SvgPicture;

// GroupBox2: two flags and the language code. The language is held by which bright flag is
// shown; only the pale flag of the other language reacts to a click.
class LanguageSelector : public QGroupBox {
    Q_OBJECT
public:
    explicit LanguageSelector(QWidget* parent);

    bool IsPolish() const;
    void ShowPolishFlags();
    void ShowEnglishFlags();

signals:
    void PalePolishFlagClicked();
    void PaleEnglishFlagClicked();

private:
    SvgPicture* m_image12;  // pale Polish
    SvgPicture* m_image13;  // bright Polish
    SvgPicture* m_image14;  // bright English
    SvgPicture* m_image15;  // pale English
};

}  // namespace qeb::ui
