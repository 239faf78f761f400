#include "about/ui/ClickableLabel.h"

#include "state/ui/AccessibleNames.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace velmora {

ClickableLabel::ClickableLabel(Kind kind, QWidget* parent) : QLabel(parent) {
    setCursor(Qt::PointingHandCursor);
    if (kind == Link) {
        setFocusPolicy(Qt::StrongFocus);
        MarkAsLink(this);
    }
}

void ClickableLabel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        Activate(); // Return opens the link, not the dialog's default button
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

// A dotted frame shows which link has the keyboard.
void ClickableLabel::focusInEvent(QFocusEvent* event) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    QLabel::focusInEvent(event);
}

void ClickableLabel::focusOutEvent(QFocusEvent* event) {
    setFrameStyle(QFrame::NoFrame);
    QLabel::focusOutEvent(event);
}

void ClickableLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    // Releasing outside the label takes the click back, as with a button.
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click)
        Q_EMIT clicked();
}

} // namespace velmora
