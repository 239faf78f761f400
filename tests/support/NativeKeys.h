#pragma once

#include <QKeyEvent>

#include <memory>

namespace velmora::test {

// A key event as X11 delivers it: Qt's key, the modifiers and the X keycode
// (evdev code + 8). QTest::keyClick cannot set the scan code.
inline std::unique_ptr<QKeyEvent> NativeKeyPress(int key, Qt::KeyboardModifiers modifiers,
                                                 quint32 xKeycode, const QString& text = {},
                                                 bool autoRepeat = false) {
    return std::make_unique<QKeyEvent>(QEvent::KeyPress, key, modifiers, xKeycode,
                                       /*nativeVirtualKey=*/0, /*nativeModifiers=*/0, text,
                                       autoRepeat);
}

} // namespace velmora::test
