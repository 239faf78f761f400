#include "clock/ui/ClockFace.h"

#include "clock/ui/TimeLabel.h"
#include "state/ui/Twips.h"

#include <QGroupBox>
#include <QLabel>

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

struct Design {
    int left, top, width, height; // twips
};

constexpr Design kClientArea{0, 0, 8835, 2565};
constexpr Design kFrame{120, 600, 8535, 1935};
constexpr Design kTimes[2] = {{240, 360, 3855, 1095}, {4440, 360, 3855, 1095}};
constexpr Design kKeys[2] = {{240, 1560, 3855, 255}, {4440, 1560, 3855, 255}};
// At the right end of the status line.
constexpr Design kTimeBonus{6255, 0, 2040, 255};
constexpr int kTimePointSize = 48;

const QColor kTimeColours[2][2] = {{Qt::white, Qt::black}, {Qt::black, Qt::white}};

// Pixels of a designed length at the factor; at 1 exactly the design's.
int Scaled(int twips, double factor) {
    return factor == 1.0 ? Px(twips) : int(std::lround(twips * factor / 15.0));
}

QRect ScaledRect(const Design& d, double factor) {
    return {Scaled(d.left, factor), Scaled(d.top, factor), Scaled(d.width, factor),
            Scaled(d.height, factor)};
}

QFont TimeFont(double factor) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(kTimePointSize * factor);
    font.setWeight(QFont::Normal);
    return font;
}

} // namespace

void SetColours(QWidget* widget, const QColor& background, const QColor& text) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, text);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void ClockFace::Build(QWidget* client, QObject* labelFilter) {
    FrameAnzeige = new QGroupBox(client);
    FrameAnzeige->setObjectName(QStringLiteral("FrameAnzeige"));
    SetColours(FrameAnzeige, kLightGrey, Qt::black);
    for (int i = 0; i < 2; ++i) {
        auto* label = new TimeLabel(FrameAnzeige);
        label->setObjectName(QStringLiteral("TimeLeft(%1)").arg(i));
        label->setAlignment(Qt::AlignCenter);
        SetColours(label, kTimeColours[i][0], kTimeColours[i][1]);
        TimeLeft[i] = label;

        auto* key = new QLabel(FrameAnzeige);
        key->setObjectName(QStringLiteral("PlayerKey(%1)").arg(i + 1));
        key->setAlignment(Qt::AlignCenter);
        SetColours(key, kLightGrey, Qt::black);
        PlayerKey[i + 1] = key;
    }
    LabelTimeBonus = new QLabel(FrameAnzeige);
    LabelTimeBonus->setObjectName(QStringLiteral("LabelTimeBonus"));
    LabelTimeBonus->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    LabelTimeBonus->hide();
    for (QLabel* label : std::initializer_list<QLabel*>{TimeLeft[0], TimeLeft[1], PlayerKey[1],
                                                        PlayerKey[2], LabelTimeBonus})
        label->installEventFilter(labelFilter);
    factor_ = 0; // lays out the design below
    ScaleTo(1.0);
}

double ClockFace::FactorToFit(QSize client) {
    const double width = client.width() / double(Px(kClientArea.width));
    const double height = client.height() / double(Px(kClientArea.height));
    return std::max(1.0, std::min(width, height));
}

void ClockFace::ScaleTo(double factor) {
    if (factor == factor_)
        return;
    factor_ = factor;
    FrameAnzeige->resize(ScaledRect(kFrame, factor).size());
    // The status line, the key names and the bonus use the window's font, scaled.
    QFont font;
    if (factor != 1.0)
        font.setPointSizeF(font.pointSizeF() * factor);
    FrameAnzeige->setFont(font);
    for (int i = 0; i < 2; ++i) {
        TimeLeft[i]->setGeometry(ScaledRect(kTimes[i], factor));
        TimeLeft[i]->setFont(TimeFont(factor));
        PlayerKey[i + 1]->setGeometry(ScaledRect(kKeys[i], factor));
    }
    LabelTimeBonus->setGeometry(ScaledRect(kTimeBonus, factor));
}

void ClockFace::ShowLowTime(int timeLabel, bool low) {
    if (lowShown_[timeLabel] == low)
        return;
    lowShown_[timeLabel] = low;
    SetColours(TimeLeft[timeLabel], kTimeColours[timeLabel][0],
               low ? QColor(Qt::red) : kTimeColours[timeLabel][1]);
}

} // namespace velmora
