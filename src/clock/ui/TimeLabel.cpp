#include "clock/ui/TimeLabel.h"

#include <QEvent>
#include <QPainter>

namespace velmora {

const QPixmap& TimeLabel::Character(QChar c) {
    auto found = characters_.find(c);
    if (found != characters_.end())
        return *found;
    const QFontMetrics metrics(font());
    const qreal ratio = devicePixelRatioF();
    QPixmap pixmap(QSize(metrics.horizontalAdvance(c), metrics.height()) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(0, metrics.ascent(), QString(c));
    return *characters_.insert(c, pixmap);
}

void TimeLabel::paintEvent(QPaintEvent*) {
    // Centred, as the label would align the text itself.
    const QFontMetrics metrics(font());
    const QString shown = text();
    int x = (width() - metrics.horizontalAdvance(shown)) / 2;
    const int y = (height() - metrics.height()) / 2;
    QPainter painter(this);
    for (QChar c : shown) {
        painter.drawPixmap(x, y, Character(c));
        x += metrics.horizontalAdvance(c);
    }
}

void TimeLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange)
        characters_.clear();
    PatternNamedLabel::changeEvent(event);
}

} // namespace velmora
