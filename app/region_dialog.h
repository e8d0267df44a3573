#pragma once
// 「地域を選ぶ」: the list of a census table's regions, narrowed by what is
// typed, with 日本人のみ when the table has both nationalities' rows.

#include "data/region_question.h"

#include <QDialog>

#include <optional>
#include <vector>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace pyramid::ui {

class RegionDialog : public QDialog {
    Q_OBJECT
public:
    RegionDialog(const CensusTable& table, QWidget* parent);

    // The selected region and the box, once the dialog was accepted.
    std::optional<RegionChoice> choice() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void narrow();

    const CensusTable& table_;
    QLineEdit* typed_;
    QListWidget* list_;
    QCheckBox* japaneseOnly_ = nullptr;
    QPushButton* ok_;
    std::vector<std::size_t> shown_;  // the table's index of each line of the list
};

// Asks with the dialog over `parent`.
class DialogRegionQuestion : public RegionQuestion {
public:
    explicit DialogRegionQuestion(QWidget* parent) : parent_(parent) {}
    std::optional<RegionChoice> askForRegion(const CensusTable& table) override;

private:
    QWidget* parent_;
};

}  // namespace pyramid::ui
