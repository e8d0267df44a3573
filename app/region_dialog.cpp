#include "app/region_dialog.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace pyramid::ui {

RegionDialog::RegionDialog(const CensusTable& table, QWidget* parent) : QDialog(parent), table_(table)
{
    setWindowTitle(QStringLiteral("地域を選ぶ"));
    auto* layout = new QVBoxLayout(this);

    auto* prompt = new QLabel(QStringLiteral("地域名またはコード(&N)："), this);
    typed_ = new QLineEdit(this);
    typed_->setObjectName("regionText");
    typed_->setAccessibleName(QStringLiteral("地域名またはコード"));
    typed_->setPlaceholderText(QStringLiteral("例：札幌、01101"));
    prompt->setBuddy(typed_);
    layout->addWidget(prompt);
    layout->addWidget(typed_);

    list_ = new QListWidget(this);
    list_->setObjectName("regionList");
    list_->setAccessibleName(QStringLiteral("地域"));
    list_->setMinimumSize(320, 300);
    layout->addWidget(list_);

    if (table.hasJapaneseOnly()) {
        japaneseOnly_ = new QCheckBox(QStringLiteral("日本人のみ(&J)"), this);
        japaneseOnly_->setObjectName("japaneseOnly");
        japaneseOnly_->setAccessibleName(QStringLiteral("日本人のみ"));
        layout->addWidget(japaneseOnly_);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setDefault(true);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemActivated, this, &QDialog::accept);
    connect(typed_, &QLineEdit::textChanged, this, &RegionDialog::narrow);
    // Up and Down in the text box move through the list without leaving it.
    typed_->installEventFilter(this);

    narrow();
    typed_->setFocus();
}

void RegionDialog::narrow()
{
    const QByteArray typed = typed_->text().toUtf8();
    shown_ = table_.matching(std::string_view(typed.constData(), std::size_t(typed.size())));
    list_->clear();
    const std::vector<CensusRegion>& regions = table_.regions();
    QStringList lines;
    lines.reserve(qsizetype(shown_.size()));
    for (std::size_t index : shown_)
        lines << QString::fromStdString(regionLine(regions[index]));
    list_->addItems(lines);
    if (!shown_.empty())
        list_->setCurrentRow(0);
    ok_->setEnabled(!shown_.empty());
}

std::optional<RegionChoice> RegionDialog::choice() const
{
    const int row = list_->currentRow();
    if (result() != Accepted || row < 0 || std::size_t(row) >= shown_.size())
        return std::nullopt;
    return RegionChoice{shown_[std::size_t(row)], japaneseOnly_ && japaneseOnly_->isChecked()};
}

bool RegionDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == typed_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
            QKeyEvent moved(QEvent::KeyPress, key, Qt::NoModifier);
            QCoreApplication::sendEvent(list_, &moved);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

std::optional<RegionChoice> DialogRegionQuestion::askForRegion(const CensusTable& table)
{
    RegionDialog dialog(table, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

}  // namespace pyramid::ui
