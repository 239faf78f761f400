#pragma once

#include <QLineEdit>

#include <cstdint>

namespace velmora {

// A text box that reports every key press and mouse press on it as a key code
// (keys through the live key mapping, mouse buttons 1, 2 and 4). What the box
// shows is up to its owner. Return and Escape stop here, so that they become a
// player's key instead of reaching the dialog; Tab still moves the focus.
class KeyBox final : public QLineEdit {
    Q_OBJECT

public:
    explicit KeyBox(QWidget* parent = nullptr);

Q_SIGNALS:
    void KeyDown(std::int32_t keyCode);
    void MouseDown(std::int32_t button);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

} // namespace velmora
