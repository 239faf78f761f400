#pragma once

#include <QLabel>

namespace velmora {

// A label that reports a click of the left mouse button, as the about dialog's
// links and pictures need. A click is a press and a release on the label. A
// link also takes the focus (Tab) and opens with Return or Space, and screen
// readers read it as a link.
class ClickableLabel final : public QLabel {
    Q_OBJECT

public:
    enum Kind { Picture, Link };
    explicit ClickableLabel(Kind kind, QWidget* parent = nullptr);

public Q_SLOTS:
    // Opens it, as a click does.
    void Activate() { Q_EMIT clicked(); }

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool pressed_ = false;
};

} // namespace velmora
