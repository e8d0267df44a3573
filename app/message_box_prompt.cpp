#include "app/message_box_prompt.h"

#include <QMessageBox>

namespace pyramid::ui {

QString promptText(std::string_view message)
{
    QString text = QString::fromUtf8(message.data(), qsizetype(message.size()));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

bool MessageBoxPrompt::askToContinue(std::string_view title, std::string_view message)
{
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(title.data(), qsizetype(title.size())),
                    promptText(message), QMessageBox::Yes | QMessageBox::No, parent_);
    // Descriptions carry paths and file contents: never read them as markup.
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace pyramid::ui
