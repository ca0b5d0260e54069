#pragma once

#include <QtWidgets/QLabel>

// A label that opens its URL with the desktop's program for it when clicked: blue, underlined, with the
// pointing-hand cursor. With no URL a click does nothing, whatever the caption looks like.
class TURLLabel : public QLabel {
    Q_OBJECT
    Q_PROPERTY(QString URL MEMBER URL)

public:
    explicit TURLLabel(QWidget* parent = nullptr);

    QString URL;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void FOnClick();
};
