#include "app/worksheet_actions.h"

#include "app/worksheet_copy.h"
#include "app/worksheet_page.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

namespace pyramid::ui {

WorksheetActions::WorksheetActions(QWidget& window, const ChartWidget& chart, Figures figures)
    : QObject(&window)
    , window_(window)
    , chart_(chart)
    , figures_(std::move(figures))
    , copy_(new QAction(QStringLiteral("図と結果をコピー"), &window))
    , print_(new QAction(QStringLiteral("印刷…"), &window))
    , blackGround_(new QAction(QStringLiteral("黒地で印刷・コピー"), &window))
{
    blackGround_->setCheckable(true);
    copy_->setShortcut(QKeySequence::Copy);
    print_->setShortcut(QKeySequence::Print);
    for (QAction* action : {copy_, print_}) {
        action->setShortcutContext(Qt::WindowShortcut);
        window.addAction(action);
    }
    connect(copy_, &QAction::triggered, this, &WorksheetActions::copy);
    connect(print_, &QAction::triggered, this, &WorksheetActions::print);
    setAvailable(false);
}

void WorksheetActions::setAvailable(bool available)
{
    copy_->setEnabled(available);
    print_->setEnabled(available);
}

ChartInk WorksheetActions::ink() const
{
    return blackGround_->isChecked() ? ChartInk::Screen : ChartInk::Paper;
}

void printThroughDialog(QWidget& window, QPrinter& printer, const std::function<bool(QPrinter&)>& print)
{
    QPrintDialog dialog(&printer, &window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!print(printer))
        QMessageBox::warning(&window, window.windowTitle(),
                             QStringLiteral("印刷できませんでした。\n%1").arg(printer.outputFileName().isEmpty()
                                                                             ? printer.printerName()
                                                                             : printer.outputFileName()));
}

void WorksheetActions::copy()
{
    const std::vector<FileFigures> figures = figures_();
    if (figures.empty())
        return;
    QApplication::clipboard()->setMimeData(
        worksheetClipboardItem(chart_, figures, ink(), marks_ ? marks_() : PaperMarks{}).release());
}

void WorksheetActions::print()
{
    if (figures_().empty())
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(QString::fromStdString(figures_().front().title));
    printThroughDialog(window_, printer, [this](QPrinter& to) { return printTo(to); });
}

bool WorksheetActions::printTo(QPrinter& printer)
{
    const std::vector<FileFigures> figures = figures_();
    return !figures.empty() &&
           printWorksheet(printer, chart_, figures, window_.font(), ink(), marks_ ? marks_() : PaperMarks{});
}

}  // namespace pyramid::ui
