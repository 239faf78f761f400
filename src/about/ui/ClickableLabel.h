#pragma once

#include <QLabel>

namespace velmora {

// A label that reports a click of the left mouse button, as the about dialog's
// links and pictures need. A click is a press and a release on the label.
class ClickableLabel final : public QLabel {
    Q_OBJECT

public:
    explicit ClickableLabel(QWidget* parent = nullptr);

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

} // namespace velmora
