#pragma once

#include <QColor>
#include <QSize>

#include <array>

class QGroupBox;
class QLabel;
class QObject;
class QWidget;

namespace velmora {

class PatternNamedLabel;

// The face's grey before the first hand-over.
inline const QColor kLightGrey(0xC0, 0xC0, 0xC0);

// A widget's background and text colour.
void SetColours(QWidget* widget, const QColor& background, const QColor& text);

// The clock face of the main window: the frame FrameAnzeige, whose caption is
// the status line, with both players' times, both key names and the time
// bonus, laid out as designed in twips. While the face fits the window it is
// scaled by one factor: every rectangle and font alike, so the layout stays
// the same, only larger.
class ClockFace {
public:
    // Builds the controls on the window's client area. Mouse presses on the
    // labels go to `labelFilter` (a click on a label is not a move).
    void Build(QWidget* client, QObject* labelFilter);

    // The largest factor at which the designed client area fits `client`; never below 1.
    static double FactorToFit(QSize client);
    // Lays the face out at `factor` (1: the design, to the pixel).
    void ScaleTo(double factor);
    double Factor() const { return factor_; }

    // A time in red (a low time, or one that is over) or in its label's own colour.
    void ShowLowTime(int timeLabel, bool low);

    QGroupBox* FrameAnzeige = nullptr;
    std::array<PatternNamedLabel*, 2> TimeLeft{}; // 0 White, 1 Black
    std::array<QLabel*, 3> PlayerKey{};           // 1 White, 2 Black
    QLabel* LabelTimeBonus = nullptr;

private:
    double factor_ = 1.0;
    std::array<bool, 2> lowShown_{};
};

} // namespace velmora
