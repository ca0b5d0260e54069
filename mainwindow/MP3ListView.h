#pragma once

#include <QtWidgets/QTreeView>

// The list view of the main window. It tells of a mouse click or a key release only after it has
// handled the event itself, so whoever listens sees the selection the user has just made (a click on
// a row already selected among several changes the selection on release, not on press).
class MP3ListView : public QTreeView {
    Q_OBJECT

public:
    using QTreeView::QTreeView;

signals:
    void Clicked();
    void KeyReleased(const QKeyEvent& key);
    // Anywhere on the list, as on a row.
    void DoubleClicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};
