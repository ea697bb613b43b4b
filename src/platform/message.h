#pragma once

#include <QString>

enum class MessageIcon { None, Warning, Critical };

// One notice to the user: the window shows it in a box, quarv-report prints its text.
struct Message {
    QString text;
    QString title;  // a null title shows the application's name
    MessageIcon icon = MessageIcon::None;
};

inline const QString QuarvTitle = QStringLiteral("Quarv");

// The program's usual notice of a problem: titled "Quarv", with the warning icon.
[[nodiscard]] inline Message warning(const QString &text)
{
    return {text, QuarvTitle, MessageIcon::Warning};
}
