#include "core/unattended_prompts.h"

#include <cstdio>

namespace qeb::core {

bool UnattendedPrompts::AskOkCancel(const QString& text) {
    Print("question", text);
    return false;
}

void UnattendedPrompts::Print(const char* kind, const QString& text) const {
    std::fprintf(stderr, "%s: %s: %s\n", qPrintable(m_programName), kind, qPrintable(text));
}

}  // namespace qeb::core
