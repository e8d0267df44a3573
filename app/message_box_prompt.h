#pragma once
// The error prompt as the user sees it: a modal warning box with Yes and No.

#include "core/error_prompt.h"

#include <QString>

class QFont;
class QWidget;

namespace pyramid::ui {

// The width below which a window frame could cut the prompt's title.
int promptMinimumWidth(const QString& title, const QFont& font);

// The message's CR LF pairs (and any lone CR or LF) as line breaks.
QString promptText(std::string_view message);

class MessageBoxPrompt : public ErrorPrompt {
public:
    explicit MessageBoxPrompt(QWidget* parent) : parent_(parent) {}

    // Yes is the default button; Escape and the close box answer No.
    bool askToContinue(std::string_view title, std::string_view message) override;

private:
    QWidget* parent_;
};

}  // namespace pyramid::ui
