#pragma once

#include <QtWidgets/QTreeView>

#include <string>
#include <vector>

// The list view of the main window. It tells of a mouse click or a key release only after it has
// handled the event itself, so whoever listens sees the selection the user has just made (a click on
// a row already selected among several changes the selection on release, not on press).
//
// Files and folders dragged from a file manager may be dropped on it; while they are over it the list is framed
// and a line under the last row shows where their rows will go.
class MP3ListView : public QTreeView {
    Q_OBJECT

public:
    explicit MP3ListView(QWidget* parent = nullptr);

signals:
    void Clicked();
    void KeyReleased(const QKeyEvent& key);
    // Anywhere on the list, as on a row.
    void DoubleClicked();
    // The local paths dropped, as the file system's bytes; sent once the drop has ended, so the file manager is
    // not kept waiting while they load.
    void FilesDropped(const std::vector<std::string>& paths);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool AcceptDrag(QDropEvent& event);
    void ShowDropTarget(bool shown);

    bool DropTargetShown = false;
};
