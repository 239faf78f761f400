#include "options/ui/KeyBox.h"

#include "options/KeyCodes.h"
#include "options/ui/KeyEvents.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace velmora {

KeyBox::KeyBox(QWidget* parent) : QLineEdit(parent) {
    // A right click assigns the right mouse button; an edit menu would only get in the way.
    setContextMenuPolicy(Qt::NoContextMenu);
}

void KeyBox::keyPressEvent(QKeyEvent* event) {
    const std::int32_t code = KeyCodeOf(*event);
    if (code != 0)
        Q_EMIT KeyDown(code);
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        // Otherwise the dialog would take them as OK or Cancel.
        event->accept();
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

void KeyBox::mousePressEvent(QMouseEvent* event) {
    const std::int32_t button = KeyCodeOfMouseButton(event->button());
    if (button != 0)
        Q_EMIT MouseDown(button);
    QLineEdit::mousePressEvent(event);
}

void KeyBox::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click is a press too.
    const std::int32_t button = KeyCodeOfMouseButton(event->button());
    if (button != 0)
        Q_EMIT MouseDown(button);
    QLineEdit::mouseDoubleClickEvent(event);
}

} // namespace velmora
