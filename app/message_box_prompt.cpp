#include "app/message_box_prompt.h"

#include <QFont>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

namespace pyramid::ui {

int promptMinimumWidth(const QString& title, const QFont& font)
{
    // The frame draws the title in a font of its own, often bold and larger,
    // beside its icon and its buttons, and cuts what does not fit. A box that
    // only fits its message (a short description) would lose the title's end.
    QFont frameFont = font;
    frameFont.setBold(true);
    // The program's fonts are sized in pixels, the desktop's in points.
    if (font.pixelSize() > 0)
        frameFont.setPixelSize(qRound(font.pixelSize() * 1.25));
    else
        frameFont.setPointSizeF(font.pointSizeF() * 1.25);
    const QFontMetrics metrics(frameFont);
    return metrics.horizontalAdvance(title) + 5 * 2 * metrics.height();
}

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
    // The box sizes itself from its layout, so the room goes in there.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(promptMinimumWidth(box.windowTitle(), box.font()), 0, QSizePolicy::Minimum,
                                      QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    return box.exec() == QMessageBox::Yes;
}

}  // namespace pyramid::ui
