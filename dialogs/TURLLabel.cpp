#include "TURLLabel.h"

#include "DesktopOpen.h"

#include <QtGui/QMouseEvent>

TURLLabel::TURLLabel(QWidget* parent)
    : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    QPalette blue = palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    setPalette(blue);
}

void TURLLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        FOnClick();
}

void TURLLabel::FOnClick()
{
    if (!URL.isEmpty())
        OpenWithDesktop(QUrl(URL));
}
