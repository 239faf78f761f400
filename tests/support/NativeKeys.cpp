#include "NativeKeys.h"

namespace velmora::test {

std::unique_ptr<QKeyEvent> NativeKeyPress(int key, Qt::KeyboardModifiers modifiers,
                                          quint32 xKeycode, const QString& text, bool autoRepeat) {
    return std::make_unique<QKeyEvent>(QEvent::KeyPress, key, modifiers, xKeycode,
                                       /*nativeVirtualKey=*/0, /*nativeModifiers=*/0, text,
                                       autoRepeat);
}

} // namespace velmora::test
