#pragma once
// The PC side of the melody and logo pages: a folder combo over a report
// list of the folder's files. The combo offers the Desktop (the home folder
// where there is none), the home folder, the page's own folder ("Melodies",
// "Logos") and the ancestors of the folder shown; a double click on a
// folder of the list opens it.

#include <QObject>
#include <QString>

class QComboBox;
class QFileSystemModel;
class QRect;
class QTreeView;
class QWidget;

namespace parlenko::ui {

class TPcFileList : public QObject {
    Q_OBJECT
public:
    // Both controls are children of parent, named by the page.
    TPcFileList(QWidget* parent, const QString& comboName, const QString& listName,
                const QString& ownCaption, const QString& ownFolder);

    // Shows folder (a missing one is not opened) and rebuilds the combo.
    void SetFolder(const QString& folder);
    QString Folder() const;
    // The path of the selected row ("" none).
    QString SelectedPath() const;
    // Selects the row of path when the list holds it (false otherwise).
    bool SelectPath(const QString& path);
    // True once the folder shown was read.
    bool Loaded() const { return loaded_; }
    // Places the folder combo and the list on their page.
    void Place(const QRect& folders, const QRect& list);

signals:
    // The selected row changed (none included).
    void SelectionChanged();
    // Another folder is shown; emitted once its files were read.
    void FolderChanged();

private:
    void FillCombo();
    void FolderLoaded(const QString& path);
    void Activated(int index);

    QComboBox* FoldersCB = nullptr;
    QTreeView* ListView = nullptr;
    QFileSystemModel* model_ = nullptr;
    QString ownCaption_;
    QString ownFolder_;
    QString folder_;
    bool loaded_ = false;
};

}  // namespace parlenko::ui
