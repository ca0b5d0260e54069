#include "MP3ListView.h"

#include <QtGui/QKeyEvent>

void MP3ListView::mouseReleaseEvent(QMouseEvent* event)
{
    QTreeView::mouseReleaseEvent(event);
    emit Clicked();
}

void MP3ListView::keyReleaseEvent(QKeyEvent* event)
{
    QTreeView::keyReleaseEvent(event);
    emit KeyReleased(*event);
}

void MP3ListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTreeView::mouseDoubleClickEvent(event);
    emit DoubleClicked();
}
