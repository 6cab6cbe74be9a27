#include "ui/language_texts.h"

#include <QLabel>
#include <QWidget>
#include <array>

#include "ui/fonts.h"

namespace qeb::ui {
namespace {

using P = TextProperty;
using S = SwitchState;

constexpr std::array kTable{
    LanguageRow{"Label1", P::Caption, S::Any, "PL", "EN"},
    LanguageRow{"Label1", P::Hint, S::Any, "polski", "english"},
    LanguageRow{"Label1", P::LeftEdge, S::Any, "39", "38"},
    LanguageRow{"SpeedButton9", P::Hint, S::Any, "Połączenie bezprzewodowe", "Wireless connection"},
    LanguageRow{"SpeedButton8", P::Hint, S::Any, "Połączenie kablowe", "Cable connection"},
    LanguageRow{"SpeedButton7", P::Hint, S::Any, "Restart urządzenia", "Reset device"},
    LanguageRow{"SpeedButton5", P::Hint, S::Any, "Odśwież COM", "Refresh COM"},
    LanguageRow{"ComboBox1", P::Hint, S::Any, "Wybierz port do którego podłączone urządzenie",
                "Choose the port that is connected to device - usually the highest number in "
                "the list"},
    LanguageRow{"RxSwitch1", P::Hint, S::On, "Rozłącz ...", "Disconnect ..."},
    LanguageRow{"RxSwitch1", P::Hint, S::Off, "Połącz ...", "Connect ..."},
    LanguageRow{"SpeedButton4", P::Hint, S::Any, "Pobierz ustawienia z urządzenia",
                "Get settings from the Controller"},
    LanguageRow{"SpeedButton6", P::Hint, S::Any, "Przywróć ustawienia domyślne (fabryczne)",
                "Restore default settings"},
    LanguageRow{"SpeedButton3", P::Hint, S::Any, "Wyślij ustawienia do urządzenia",
                "Send settings to the Controller"},
    LanguageRow{"SpeedButton2", P::Hint, S::Any, "Zachowaj ustawienia do pliku",
                "Save settings to file"},
    LanguageRow{"SpeedButton1", P::Hint, S::Any, "Pobierz ustawienia z pliku",
                "Get settings from file"},
    LanguageRow{"RxSpinEdit9", P::Hint, S::Any, "Jasność podświetlenia LCD",
                "Backlight brightness of LCD"},
    LanguageRow{"RxSpinEdit10", P::Hint, S::Any, "Kontrast LCD", "Contrast of LCD"},
    LanguageRow{"RxSpinEdit12", P::Hint, S::Any, "Twardość węglanowa wody TWW (KH)",
                "Carbonate Hardness of the Water"},
    LanguageRow{"RxSpinEdit11", P::Hint, S::Any,
                "Próg alarmu obliczany jako (PHmin-ALARM oraz PHmax+ALARM)",
                "Alarm treshold calculated as (PHmin-ALARM and PHmax+ALARM)"},
    LanguageRow{"RxSpinEdit7", P::Hint, S::Any, "PH minimalne zakresu", "Minimum of PH Range"},
    LanguageRow{"RxSpinEdit8", P::Hint, S::Any, "PH maksymalne zakresu", "Maximum of PH Range"},
    LanguageRow{"CheckBox1", P::Hint, S::Any, "Zapisz do pliku Excela w formacie CSV",
                "Save to Excel file in CSV type"},
    LanguageRow{"Image6", P::Hint, S::Any, "Pokaż folder z plikiem Excela",
                "Show directory with Excel file"},
    LanguageRow{"TrendButton", P::Hint, S::Any, "Wykres pH", "pH chart"},
    LanguageRow{"Label13", P::Caption, S::Any, "ZAKRES", "RANGE"},
    LanguageRow{"Label14", P::Caption, S::Any, "PRÓG ALARMU", "ALARM PH"},
    LanguageRow{"Label19", P::Caption, S::Any, "TWW (KH) WODY", "KH of WATER"},
    LanguageRow{"Label2", P::Caption, S::Any, "JAS", "BRI"},
    LanguageRow{"Label28", P::Caption, S::Any, "KON", "CON"},
    LanguageRow{"Label327", P::Caption, S::Any, " Plik z konfiguracją ", " Configuration file "},
    LanguageRow{"Label3", P::Hint, S::Any, "dziś jest ...", "today is ..."},
    LanguageRow{"Label4", P::Hint, S::Any, "data ...", "date ..."},
    LanguageRow{"Label5", P::Hint, S::Any, "obecna godzina ...", "now its ..."},
};

QString Pick(const LanguageRow& row, Language language) {
    return QString::fromUtf8(language == Language::Polish ? row.polish : row.english);
}

bool Holds(SwitchState when, bool switchOn) {
    return when == SwitchState::Any || (when == SwitchState::On) == switchOn;
}

void SetCaption(QWidget& control, const QString& text) {
    if (auto* label = qobject_cast<QLabel*>(&control)) {
        SetLabelText(label, text);
    } else {
        control.setProperty("text", text);
    }
}

}  // namespace

std::span<const LanguageRow> LanguageTable() {
    return kTable;
}

void ApplyLanguage(QWidget& window, Language language, bool switchOn) {
    for (const LanguageRow& row : kTable) {
        if (!Holds(row.when, switchOn)) {
            continue;
        }
        auto* control = window.findChild<QWidget*>(QString::fromLatin1(row.control));
        if (control == nullptr) {
            continue;
        }
        const QString text = Pick(row, language);
        switch (row.property) {
            case TextProperty::Caption:
                SetCaption(*control, text);
                break;
            case TextProperty::Hint:
                control->setToolTip(text);
                break;
            case TextProperty::LeftEdge:
                control->move(text.toInt(), control->y());
                break;
        }
    }
}

QString DayName(int dayOfWeek, Language language) {
    // Both lists start on Sunday.
    static constexpr std::array<const char*, 7> kPolish{
        "Niedziela", "Poniedziałek", "Wtorek", "Środa", "Czwartek", "Piątek", "Sobota"};
    static constexpr std::array<const char*, 7> kEnglish{
        "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    const auto& names = language == Language::Polish ? kPolish : kEnglish;
    return QString::fromUtf8(names.at(static_cast<std::size_t>(dayOfWeek % 7)));
}

QString SwitchHint(bool switchOn, Language language) {
    for (const LanguageRow& row : kTable) {
        if (QLatin1String(row.control) == QLatin1String("RxSwitch1") && row.when != S::Any &&
            Holds(row.when, switchOn)) {
            return Pick(row, language);
        }
    }
    return {};
}

}  // namespace qeb::ui
