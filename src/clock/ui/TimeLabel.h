#pragma once

#include "state/ui/AccessibleNames.h"

#include <QHash>
#include <QPixmap>

namespace velmora {

// A clock's time label. Its few characters (digits, colons, a minus) are drawn
// once per font and colour and then copied: text this large is otherwise drawn
// as outlines at every repaint, which on a face scaled to a large screen costs
// more than the clock's whole tick.
class TimeLabel final : public PatternNamedLabel {
    Q_OBJECT

public:
    using PatternNamedLabel::PatternNamedLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    const QPixmap& Character(QChar c);

    QHash<QChar, QPixmap> characters_;
};

} // namespace velmora
