#include "MP3ListView.h"

#include "DesktopOpen.h"

#include <QtCore/QMimeData>
#include <QtGui/QKeyEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QStyleOption>

#include <algorithm>

MP3ListView::MP3ListView(QWidget* parent)
    : QTreeView(parent)
{
    setDragDropMode(DropOnly);
}

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

// Only local files are taken, and only as a copy: a file manager that is told the files were moved deletes them.
bool MP3ListView::AcceptDrag(QDropEvent& event)
{
    const QList<QUrl> urls = event.mimeData()->urls();
    const bool local = !urls.isEmpty() && std::ranges::all_of(urls, [](const QUrl& url) { return url.isLocalFile(); });
    if (!local || !(event.possibleActions() & Qt::CopyAction)) {
        event.ignore();
        return false;
    }
    event.setDropAction(Qt::CopyAction);
    event.accept();
    return true;
}

void MP3ListView::dragEnterEvent(QDragEnterEvent* event)
{
    ShowDropTarget(AcceptDrag(*event));
}

void MP3ListView::dragMoveEvent(QDragMoveEvent* event)
{
    ShowDropTarget(AcceptDrag(*event));
}

void MP3ListView::dragLeaveEvent(QDragLeaveEvent* event)
{
    event->accept();
    ShowDropTarget(false);
}

void MP3ListView::dropEvent(QDropEvent* event)
{
    ShowDropTarget(false);
    if (!AcceptDrag(*event))
        return;
    std::vector<std::string> paths;
    for (const QUrl& url : event->mimeData()->urls())
        paths.push_back(FilePath(url));
    QMetaObject::invokeMethod(this, [this, paths] { emit FilesDropped(paths); }, Qt::QueuedConnection);
}

void MP3ListView::ShowDropTarget(bool shown)
{
    if (shown == DropTargetShown)
        return;
    DropTargetShown = shown;
    viewport()->update();
}

void MP3ListView::paintEvent(QPaintEvent* event)
{
    QTreeView::paintEvent(event);
    if (!DropTargetShown)
        return;
    QPainter painter(viewport());
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    QStyleOption frame;
    frame.initFrom(this);
    frame.rect = viewport()->rect().adjusted(0, 0, -1, -1);
    style()->drawPrimitive(QStyle::PE_IndicatorItemViewItemDrop, &frame, &painter, this);
    // New rows are appended: the line goes under the last one.
    const int rows = model() ? model()->rowCount() : 0;
    const int y = rows > 0 ? visualRect(model()->index(rows - 1, 0)).bottom() + 1 : 0;
    QStyleOption line = frame;
    line.rect = QRect(0, y, viewport()->width(), 0);
    style()->drawPrimitive(QStyle::PE_IndicatorItemViewItemDrop, &line, &painter, this);
}
