#include "app/navigation_lists.h"

#include "data/text_encoding.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>

#include <algorithm>

namespace pyramid::ui {

namespace {

// Entries keep their path's own bytes, so names that are not valid UTF-8
// still lead to the right place; they show decoded (CP932 names from
// Windows read as such).
constexpr int kPathRole = Qt::UserRole;

QString shown(const std::string& bytes)
{
    return QString::fromStdString(decodePathText(bytes));
}

std::string bytesOf(const QVariant& data)
{
    return data.toByteArray().toStdString();
}

QVariant pathData(const std::string& bytes)
{
    return QByteArray::fromStdString(bytes);
}

bool isEnter(const QKeyEvent* event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

}  // namespace

// ---- Drive1 ----

DriveList::DriveList(QWidget* parent)
    : QComboBox(parent)
{
    connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0 || index == lastIndex_)
            return;
        lastIndex_ = index;
        emit driveChanged();
    });
}

void DriveList::setVolumes(const std::vector<std::string>& roots, const std::string& current)
{
    const QSignalBlocker quiet(this);
    clear();
    for (const std::string& root : roots)
        addItem(shown(root), pathData(root));
    const auto found = std::find(roots.begin(), roots.end(), current);
    lastIndex_ = found == roots.end() ? 0 : int(found - roots.begin());
    setCurrentIndex(lastIndex_);
}

std::vector<std::string> DriveList::volumes() const
{
    std::vector<std::string> roots;
    for (int i = 0; i < count(); ++i)
        roots.push_back(bytesOf(itemData(i, kPathRole)));
    return roots;
}

std::string DriveList::drive() const
{
    return currentIndex() < 0 ? std::string() : bytesOf(currentData(kPathRole));
}

void DriveList::showPopup()
{
    std::vector<std::string> roots = volumeRoots();
    const std::string current = drive();
    // The chosen volume stays offered even when it was unmounted meanwhile.
    if (!current.empty() && std::find(roots.begin(), roots.end(), current) == roots.end())
        roots.push_back(current);
    if (roots != volumes())
        setVolumes(roots, current);
    QComboBox::showPopup();
}

// ---- Dir1 ----

DirectoryList::DirectoryList(QWidget* parent)
    : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setIndentation(8);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    header()->setSectionResizeMode(QHeaderView::Stretch);
}

void DirectoryList::setVolumes(const std::vector<std::string>& roots)
{
    volumes_ = roots;
    if (!path_.empty()) {
        volume_ = volumeHolding(path_, volumes_);
        rebuild();
    }
}

void DirectoryList::setPath(const std::string& path)
{
    const std::string target = normalDirectoryPath(path);
    if (std::find(volumes_.begin(), volumes_.end(), target) != volumes_.end()) {
        moveTo(visits_.landingDirectory(target), target);
        return;
    }
    const bool onThisVolume = !volume_.empty() && directoryTrail(volume_, target).front() == volume_;
    moveTo(target, onThisVolume ? volume_ : volumeHolding(target, volumes_));
}

void DirectoryList::openCurrentEntry()
{
    if (const QTreeWidgetItem* item = currentItem())
        moveTo(bytesOf(item->data(0, kPathRole)), volume_);
}

void DirectoryList::moveTo(const std::string& directory, const std::string& volume)
{
    const bool changed = directory != path_;
    path_ = directory;
    volume_ = volume;
    visits_.remember(volume_, path_);
    rebuild();
    if (changed)
        emit pathChanged();
}

void DirectoryList::rebuild()
{
    clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);

    QTreeWidgetItem* current = nullptr;
    for (const std::string& level : directoryTrail(volume_, path_)) {
        const std::string name =
            current ? level.substr(level.find_last_of('/') + 1) : level;  // the root shows its path
        auto* item = current ? new QTreeWidgetItem(current) : new QTreeWidgetItem(this);
        item->setText(0, shown(name));
        item->setIcon(0, open);
        item->setData(0, kPathRole, pathData(level));
        current = item;
    }
    for (const std::string& name : subdirectoryNames(path_)) {
        auto* item = new QTreeWidgetItem(current);
        item->setText(0, shown(name));
        item->setIcon(0, closed);
        item->setData(0, kPathRole, pathData(childPath(path_, name)));
    }
    expandAll();
    setCurrentItem(current);
    scrollToItem(current);
}

void DirectoryList::keyPressEvent(QKeyEvent* event)
{
    if (isEnter(event)) {
        openCurrentEntry();
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void DirectoryList::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (QTreeWidgetItem* item = itemAt(event->position().toPoint())) {
        setCurrentItem(item);
        openCurrentEntry();
    }
    event->accept();
}

// ---- File1 ----

FileList::FileList(QWidget* parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemClicked, this, &FileList::fileClicked);
}

void FileList::setPath(const std::string& directory)
{
    path_ = directory;
    clear();
    for (const std::string& name : regularFileNames(directory)) {
        auto* item = new QListWidgetItem(shown(name), this);
        item->setData(kPathRole, pathData(name));
    }
}

std::string FileList::fileName() const
{
    const QListWidgetItem* item = currentItem();
    return item && item->isSelected() ? bytesOf(item->data(kPathRole)) : std::string();
}

std::vector<std::string> FileList::fileNames() const
{
    std::vector<std::string> names;
    for (int row = 0; row < count(); ++row)
        names.push_back(bytesOf(item(row)->data(kPathRole)));
    return names;
}

std::string FileList::entryNameAt(QPoint point) const
{
    const QListWidgetItem* item = itemAt(point);
    if (!item)
        item = currentItem();
    return item ? bytesOf(item->data(kPathRole)) : std::string();
}

bool FileList::selectFile(const std::string& name)
{
    for (int pass = 0; pass < 2; ++pass) {
        for (int row = 0; row < count(); ++row) {
            if (bytesOf(item(row)->data(kPathRole)) == name) {
                setCurrentItem(item(row));
                scrollToItem(item(row));
                return true;
            }
        }
        setPath(path_);
    }
    return false;
}

void FileList::keyPressEvent(QKeyEvent* event)
{
    // The first arrow key chooses the entry that shows the focus mark,
    // rather than stepping past it.
    QListWidgetItem* marked = currentItem();
    if (marked && !marked->isSelected() && (event->key() == Qt::Key_Down || event->key() == Qt::Key_Up)) {
        marked->setSelected(true);
        emit fileClicked();
        return;
    }
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    if (currentRow() >= 0 && currentRow() != before)
        emit fileClicked();
}

}  // namespace pyramid::ui
