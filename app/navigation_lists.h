#pragma once
// The three linked lists of the left column: Drive1 (the volumes), Dir1 (the
// directory trail and the subdirectories) and File1 (the files). They only
// show and report; keeping them in step is the form's handlers' work.

#include "data/file_system_lists.h"

#include <QComboBox>
#include <QListWidget>
#include <QTreeWidget>

#include <string>
#include <vector>

namespace pyramid::ui {

// Drive1: a drop-down list of the mounted volumes; the entry text is the
// volume's root path.
class DriveList : public QComboBox {
    Q_OBJECT
public:
    explicit DriveList(QWidget* parent = nullptr);

    void setVolumes(const std::vector<std::string>& roots, const std::string& current);
    std::vector<std::string> volumes() const;
    std::string drive() const;

    // Reads the mount table afresh before dropping down, so media mounted
    // meanwhile are offered.
    void showPopup() override;

signals:
    // The user picked another volume.
    void driveChanged();

private:
    int lastIndex_ = -1;
};

// Dir1: the trail from the volume's root down to the current directory, each
// level indented under the one above and shown open, then the current
// directory's subdirectories one level deeper. Double-click or Enter opens
// an entry; a single click only highlights it.
class DirectoryList : public QTreeWidget {
    Q_OBJECT
public:
    explicit DirectoryList(QWidget* parent = nullptr);

    // The volumes offered; the list's trail then starts at the one holding
    // the current directory.
    void setVolumes(const std::vector<std::string>& roots);
    std::string path() const { return path_; }
    // Moves the list. A volume root lands in the directory last visited on
    // that volume during this run.
    void setPath(const std::string& path);
    // Opens the highlighted entry, as Enter does.
    void openCurrentEntry();

signals:
    // The current directory changed; emitted before setPath returns.
    void pathChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    // Every level is always open: no expand or collapse marks.
    void drawBranches(QPainter*, const QRect&, const QModelIndex&) const override {}

private:
    void moveTo(const std::string& directory, const std::string& volume);
    void rebuild();

    std::vector<std::string> volumes_;
    std::string volume_;  // empty until the first move
    std::string path_;    // empty until the first move
    VolumeVisits visits_;
};

// File1: every regular file of its directory by name.
class FileList : public QListWidget {
    Q_OBJECT
public:
    explicit FileList(QWidget* parent = nullptr);

    std::string path() const { return path_; }
    void setPath(const std::string& directory);  // no signal
    std::string fileName() const;                 // "" when none is selected
    std::vector<std::string> fileNames() const;   // every entry, in the list's order
    // The name of the entry at `point` of the list's viewport, else of the
    // current entry, as bytes of the file system; "" when there is none.
    std::string entryNameAt(QPoint point) const;
    // Selects the entry of `name`, reading the directory again when it is
    // not listed (a file saved there meanwhile); no signal. False when the
    // list does not show such a file (a hidden one, say).
    bool selectFile(const std::string& name);

signals:
    // The user chose an entry, by click or by moving with the keyboard.
    void fileClicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::string path_;
};

}  // namespace pyramid::ui
