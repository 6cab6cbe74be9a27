#include <QApplication>
#include <QFont>

#include "core/clock.h"
#include "core/sleeper.h"
#include "ui/message_box_prompts.h"
#include "ui/qeb_main_form.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("PH Controller Qeb-01"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));

    qeb::core::SystemClock clock;
    qeb::core::ThreadSleeper sleeper;
    qeb::ui::MessageBoxPrompts prompts;
    qeb::ui::QebMainForm window({clock, sleeper, prompts});
    prompts.SetParentWindow(&window);
    window.FormCreate();
    window.show();
    return QApplication::exec();
}
