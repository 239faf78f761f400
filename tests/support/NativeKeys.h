#pragma once

#include <QKeyEvent>

#include <memory>

namespace velmora::test {

// A key event as X11 delivers it: Qt's key, the modifiers and the X keycode
// (evdev code + 8). QTest::keyClick cannot set the scan code.
std::unique_ptr<QKeyEvent> NativeKeyPress(int key, Qt::KeyboardModifiers modifiers,
                                          quint32 xKeycode, const QString& text = QString(),
                                          bool autoRepeat = false);

} // namespace velmora::test
