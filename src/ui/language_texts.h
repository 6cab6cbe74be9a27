#pragma once

#include <QString>
#include <span>

class QWidget;

namespace qeb::ui {

enum class Language { Polish, English };

// What a row of the language table sets on its control.
enum class TextProperty {
    Caption,   // the text a label or button shows
    Hint,      // the tool tip
    LeftEdge,  // the x position, for a caption whose width differs between the languages
};

// Rows that hold only in one state of the connect switch.
enum class SwitchState { Any, On, Off };

struct LanguageRow {
    const char* control;  // object name
    TextProperty property;
    SwitchState when;
    const char* polish;
    const char* english;
};

// The captions and hints that change with the language, in the order they are applied.
std::span<const LanguageRow> LanguageTable();

// Sets every row of the table that finds its control under `window`, in table order. A control
// that does not exist is passed over.
void ApplyLanguage(QWidget& window, Language language, bool switchOn);

// Texts picked at the moment they are shown, from the language of that moment.

// `dayOfWeek` counts as QDate does: 1 Monday .. 7 Sunday.
QString DayName(int dayOfWeek, Language language);
QString SwitchHint(bool switchOn, Language language);

}  // namespace qeb::ui
