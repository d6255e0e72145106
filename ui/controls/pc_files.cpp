#include "ui/controls/pc_files.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QStandardPaths>
#include <QTreeView>

namespace parlenko::ui {
namespace {

QString Clean(const QString& path) { return QDir::cleanPath(QDir(path).absolutePath()); }

// The Desktop, or the home folder where there is none.
QString DesktopOrHome() {
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (!desktop.isEmpty() && QFileInfo(desktop).isDir()) return Clean(desktop);
    return Clean(QDir::homePath());
}

QString Caption(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    return name.isEmpty() ? path : name;
}

}  // namespace

TPcFileList::TPcFileList(QWidget* parent, const QString& comboName, const QString& listName,
                         const QString& ownCaption, const QString& ownFolder)
    : QObject(parent), ownCaption_(ownCaption), ownFolder_(Clean(ownFolder)) {
    FoldersCB = new QComboBox(parent);
    FoldersCB->setObjectName(comboName);
    ListView = new QTreeView(parent);
    ListView->setObjectName(listName);
    model_ = new QFileSystemModel(this);
    model_->setFilter(QDir::AllEntries | QDir::AllDirs | QDir::NoDotAndDotDot);
    model_->setReadOnly(true);
    ListView->setModel(model_);
    ListView->setRootIsDecorated(false);
    ListView->setItemsExpandable(false);
    ListView->setUniformRowHeights(true);
    ListView->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView->setSortingEnabled(true);
    ListView->sortByColumn(0, Qt::AscendingOrder);
    ListView->header()->setStretchLastSection(false);
    connect(ListView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { emit SelectionChanged(); });
    connect(ListView, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
        if (model_->isDir(index)) SetFolder(model_->filePath(index));
    });
    connect(model_, &QFileSystemModel::directoryLoaded, this, &TPcFileList::FolderLoaded);
    connect(FoldersCB, &QComboBox::activated, this, &TPcFileList::Activated);
    SetFolder(DesktopOrHome());
}

void TPcFileList::SetFolder(const QString& folder) {
    const QString path = Clean(folder);
    if (!QFileInfo(path).isDir()) return;
    folder_ = path;
    loaded_ = false;
    ListView->selectionModel()->clear();
    ListView->setRootIndex(model_->setRootPath(path));
    FillCombo();
    emit SelectionChanged();
}

QString TPcFileList::Folder() const { return folder_; }

void TPcFileList::Place(const QRect& folders, const QRect& list) {
    FoldersCB->setGeometry(folders);
    ListView->setGeometry(list);
}

QString TPcFileList::SelectedPath() const {
    const QModelIndexList rows = ListView->selectionModel()->selectedRows();
    if (rows.isEmpty()) return {};
    return model_->filePath(rows.front());
}

bool TPcFileList::SelectPath(const QString& path) {
    const QModelIndex index = model_->index(path);
    if (!index.isValid() || index.parent() != ListView->rootIndex()) return false;
    ListView->setCurrentIndex(index);
    ListView->selectionModel()->select(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    return true;
}

void TPcFileList::FillCombo() {
    QSignalBlocker block(FoldersCB);
    FoldersCB->clear();
    const QString desktop = DesktopOrHome();
    const QString home = Clean(QDir::homePath());
    FoldersCB->addItem(Caption(desktop), desktop);
    if (home != desktop) FoldersCB->addItem(Caption(home), home);
    FoldersCB->addItem(ownCaption_, ownFolder_);
    // The folder shown with its ancestors, the outermost first.
    QStringList chain;
    for (QDir d(folder_);;) {
        chain.prepend(Clean(d.absolutePath()));
        if (!d.cdUp()) break;
    }
    for (qsizetype depth = 0; depth < chain.size(); ++depth)
        FoldersCB->addItem(QString(depth * 2, QLatin1Char(' ')) + Caption(chain[depth]),
                           chain[depth]);
    FoldersCB->setCurrentIndex(FoldersCB->count() - 1);
}

void TPcFileList::FolderLoaded(const QString& path) {
    if (Clean(path) != folder_ || loaded_) return;
    loaded_ = true;
    // The first file is chosen, as the folder box's change did.
    const QModelIndex root = ListView->rootIndex();
    if (model_->rowCount(root) > 0) {
        ListView->sortByColumn(0, Qt::AscendingOrder);
        const QModelIndex first = model_->index(0, 0, root);
        ListView->setCurrentIndex(first);
        ListView->setFocus();
    }
    emit FolderChanged();
}

void TPcFileList::Activated(int index) {
    const QString path = FoldersCB->itemData(index).toString();
    SetFolder(path);
}

}  // namespace parlenko::ui
