#include "timecontrol/ui/UserSelection.h"

#include "localisation/ExtraTexts.h"
#include "localisation/UIStrings.h"
#include "state/ui/Twips.h"
#include "timecontrol/NumberFromText.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <vector>

namespace velmora {

namespace {

// What the boxes show when no time has been accepted yet: 15 minutes each.
constexpr std::array<std::int32_t, 3> kFirstUseTime{0, 15, 0};

constexpr int kBoxLeft[] = {120, 600, 1080};
constexpr int kBoxMaxLength = 2;
// The time bonus sits below the other controls; the dialog grows by its height.
constexpr int kDialogHeight = 4575;
constexpr int kBonusSecondsMaxLength = 3;
// What the seconds box offers before a bonus was ever chosen.
constexpr std::int32_t kFirstBonusSeconds = 5;

// The layout was designed for 8-point type of Arial's width.
QFont DesignFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    return font;
}

// Where a caption may reach at most: the next control to the right, or the
// dialog's edge, less a small gap.
constexpr int kCaptionGap = 4;

int CaptionLimitOfOption(int index) {
    if (index == 0)
        return Px(8100);
    return index <= 7 ? Px(3000) : Px(5520);
}

QRect OptionGameTimeRect(int index) {
    if (index == 0)
        return TwipRect(5520, 360, 2055, 255);
    const int column = index <= 7 ? 0 : 1;
    const int row = column == 0 ? index - 1 : index - 8;
    return TwipRect(column == 0 ? 480 : 3000, 360 + 360 * row, 2055, 255);
}

} // namespace

UserSelection::UserSelection(const TimeSettings& stored, const UIStrings& strings, bool startingUp,
                             QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("UserSelection"));
    // A fixed dialog frame: no minimise, no maximise, no resizing.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(Px(8100), Px(kDialogHeight));
    setFont(DesignFont());
    setModal(true);
    BuildControls();
    SetTabOrder();
    Form_Load(stored, strings, startingUp);
}

void UserSelection::BuildControls() {
    gameTimeGroup_ = new QButtonGroup(this);
    for (int i = 0; i < GameTypeCount; ++i) {
        auto* option = new QRadioButton(this);
        option->setObjectName(QStringLiteral("OptionGameTime(%1)").arg(i));
        option->setGeometry(OptionGameTimeRect(i));
        gameTimeGroup_->addButton(option, i);
        OptionGameTime[i] = option;
    }
    // However the selection changes (click, arrow keys, mnemonic, an assistive
    // technology's toggle), the user-defined fields follow it.
    connect(gameTimeGroup_, &QButtonGroup::idToggled, this, [this](int index, bool checked) {
        if (checked)
            OptionGameTime_Click(index);
    });

    const int frameTop[2] = {720, 1560};
    std::array<QLineEdit*, 4>* boxes[2] = {&MaskEdBox1, &MaskEdBox2};
    for (int player = 0; player < 2; ++player) {
        auto* frame = new QGroupBox(this);
        frame->setObjectName(QStringLiteral("FrameUserTime(%1)").arg(player));
        frame->setGeometry(TwipRect(5520, frameTop[player], 1695, 735));
        FrameUserTime[player] = frame;
        for (int index = 1; index <= 3; ++index) {
            auto* box = new QLineEdit(frame);
            box->setObjectName(QStringLiteral("MaskEdBox%1(%2)").arg(player + 1).arg(index));
            box->setGeometry(TwipRect(kBoxLeft[index - 1], 240, 495, 375));
            box->setMaxLength(kBoxMaxLength);
            box->installEventFilter(this);
            (*boxes[player])[index] = box;
        }
    }

    Line1 = new QFrame(this);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Plain);
    Line1->setGeometry(0, Px(2880), Px(8160), 1);

    OptionGameTimeContinues = new QCheckBox(this);
    OptionGameTimeContinues->setObjectName(QStringLiteral("OptionGameTimeContinues"));
    OptionGameTimeContinues->setGeometry(TwipRect(360, 3120, 4815, 255));

    ButtonOkay = new QPushButton(this);
    ButtonOkay->setObjectName(QStringLiteral("ButtonOkay"));
    ButtonOkay->setGeometry(TwipRect(5520, 3060, 1215, 375));
    ButtonOkay->setDefault(true);
    connect(ButtonOkay, &QPushButton::clicked, this, &UserSelection::ButtonOkay_Click);

    ButtonCancel = new QPushButton(this);
    ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
    ButtonCancel->setGeometry(TwipRect(6720, 3060, 1215, 375));
    connect(ButtonCancel, &QPushButton::clicked, this, &UserSelection::ButtonCancel_Click);

    FrameTimeBonus = new QGroupBox(this);
    FrameTimeBonus->setObjectName(QStringLiteral("FrameTimeBonus"));
    FrameTimeBonus->setGeometry(TwipRect(360, 3600, 4815, 735));
    SelectionTimeBonus = new QComboBox(FrameTimeBonus);
    SelectionTimeBonus->setObjectName(QStringLiteral("SelectionTimeBonus"));
    SelectionTimeBonus->setGeometry(TwipRect(120, 300, 2535, 315));
    LabelBonusSeconds = new QLabel(FrameTimeBonus);
    LabelBonusSeconds->setObjectName(QStringLiteral("LabelBonusSeconds"));
    LabelBonusSeconds->setGeometry(TwipRect(2895, 330, 1080, 255));
    TextBonusSeconds = new QLineEdit(FrameTimeBonus);
    TextBonusSeconds->setObjectName(QStringLiteral("TextBonusSeconds"));
    TextBonusSeconds->setGeometry(TwipRect(4035, 270, 615, 375));
    TextBonusSeconds->setMaxLength(kBonusSecondsMaxLength);
    TextBonusSeconds->installEventFilter(this);
    LabelBonusSeconds->setBuddy(TextBonusSeconds);
    connect(SelectionTimeBonus, &QComboBox::currentIndexChanged, this,
            [this](int mode) { TextBonusSeconds->setEnabled(mode != int(BonusMode::None)); });
}

void UserSelection::SetTabOrder() {
    std::vector<QWidget*> order;
    for (int i = 1; i < GameTypeCount; ++i)
        order.push_back(OptionGameTime[i]);
    order.push_back(OptionGameTime[0]);
    for (int i = 1; i <= 3; ++i)
        order.push_back(MaskEdBox1[i]);
    for (int i = 1; i <= 3; ++i)
        order.push_back(MaskEdBox2[i]);
    order.push_back(ButtonOkay);
    order.push_back(ButtonCancel);
    order.push_back(OptionGameTimeContinues);
    order.push_back(SelectionTimeBonus);
    order.push_back(TextBonusSeconds);
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void UserSelection::Form_Load(const TimeSettings& stored, const UIStrings& strings,
                              bool startingUp) {
    // The program stores only 0..14; anything else (a hand-edited file) is
    // taken as user defined.
    const bool knownType = stored.GameType >= 0 && stored.GameType < GameTypeCount;
    const int gameType = knownType ? stored.GameType : 0;
    OptionGameTime[gameType]->setChecked(true);

    // Only White's stored time decides whether anything was accepted yet.
    const bool whiteUnset =
        stored.WhiteHours == 0 && stored.WhiteMinutes == 0 && stored.WhiteSeconds == 0;
    const std::array<std::int32_t, 3> white =
        whiteUnset ? kFirstUseTime
                   : std::array{stored.WhiteHours, stored.WhiteMinutes, stored.WhiteSeconds};
    const std::array<std::int32_t, 3> black =
        whiteUnset ? kFirstUseTime
                   : std::array{stored.BlackHours, stored.BlackMinutes, stored.BlackSeconds};
    for (int i = 1; i <= 3; ++i) {
        MaskEdBox1[i]->setText(QString::number(white[i - 1]));
        MaskEdBox2[i]->setText(QString::number(black[i - 1]));
    }

    // 1 is checked; 0 and anything the program never writes is cleared.
    OptionGameTimeContinues->setChecked(stored.ContinueRunning == 1);

    ButtonCancel->setText(strings(TxtCancel));
    ButtonOkay->setText(strings(TxtOkay));
    setWindowTitle(strings(TxtChooseTime));
    for (int i = 0; i < GameTypeCount; ++i)
        OptionGameTime[i]->setText(strings(TxtUserDefined + i));
    FrameUserTime[0]->setTitle(strings(TxtTimeWhite));
    FrameUserTime[1]->setTitle(strings(TxtTimeBlack));
    OptionGameTimeContinues->setText(strings(TxtContinueRunning));

    const std::int32_t language = strings.GetLanguage();
    FrameTimeBonus->setTitle(ExtraText(Extra::TimeBonus, language));
    for (Extra mode :
         {Extra::BonusNone, Extra::BonusIncrement, Extra::BonusBronstein, Extra::BonusDelay})
        SelectionTimeBonus->addItem(ExtraText(mode, language));
    LabelBonusSeconds->setText(ExtraText(Extra::Seconds, language));
    // Screen readers tell the six boxes apart by these names.
    const Extra boxNames[2][3] = {{Extra::WhiteHours, Extra::WhiteMinutes, Extra::WhiteSeconds},
                                  {Extra::BlackHours, Extra::BlackMinutes, Extra::BlackSeconds}};
    for (int i = 1; i <= 3; ++i) {
        MaskEdBox1[i]->setAccessibleName(ExtraText(boxNames[0][i - 1], language));
        MaskEdBox2[i]->setAccessibleName(ExtraText(boxNames[1][i - 1], language));
    }
    SelectionTimeBonus->setCurrentIndex(int(stored.Bonus.Mode));
    TextBonusSeconds->setEnabled(stored.Bonus.IsOn());
    TextBonusSeconds->setText(
        QString::number(stored.Bonus.IsOn() ? stored.Bonus.Seconds : kFirstBonusSeconds));

    // The first game of a run must get a time control.
    ButtonCancel->setEnabled(!startingUp);

    FitCaptions();

    // The keyboard starts on the chosen time control, so the arrow keys move
    // between the time controls and Return accepts.
    OptionGameTime[gameType]->setFocus();
}

void UserSelection::FitCaptions() {
    // A caption wider than the design (another font, a longer translation)
    // widens its control into the free space beside it rather than be cut off.
    const auto fit = [](QWidget* control, int limit) {
        const int room = limit - kCaptionGap - control->x();
        const int wanted = control->sizeHint().width();
        if (wanted > control->width())
            control->resize(std::min(wanted, room), control->height());
    };
    for (int i = 0; i < GameTypeCount; ++i)
        fit(OptionGameTime[i], CaptionLimitOfOption(i));
    fit(OptionGameTimeContinues, ButtonOkay->x());
}

void UserSelection::OptionGameTime_Click(int index) {
    const bool userDefined = index == 0;
    for (QGroupBox* frame : FrameUserTime)
        frame->setEnabled(userDefined);
    for (int i = 1; i <= 3; ++i) {
        MaskEdBox1[i]->setEnabled(userDefined);
        MaskEdBox2[i]->setEnabled(userDefined);
    }
}

void UserSelection::MaskEdBox1_GotFocus(int index) {
    MaskEdBox1[index]->selectAll();
}

void UserSelection::MaskEdBox2_GotFocus(int index) {
    MaskEdBox2[index]->selectAll();
}

bool UserSelection::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    // A click into a box selects its text only once the box has handled the
    // press, which puts the cursor where the mouse is.
    const bool clickedInto = type == QEvent::MouseButtonRelease && watched == clickedInto_;
    if (type == QEvent::FocusIn || clickedInto) {
        clickedInto_ = type == QEvent::FocusIn &&
                               static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason
                           ? watched
                           : nullptr;
        for (int i = 1; i <= 3; ++i) {
            if (watched == MaskEdBox1[i])
                MaskEdBox1_GotFocus(i);
            else if (watched == MaskEdBox2[i])
                MaskEdBox2_GotFocus(i);
        }
        if (watched == TextBonusSeconds)
            TextBonusSeconds->selectAll();
    }
    return QDialog::eventFilter(watched, event);
}

int UserSelection::SelectedGameType() const {
    // Form_Load always selects one; without a selection "5 min" would apply.
    const int id = gameTimeGroup_->checkedId();
    return id >= 0 ? id : 1;
}

void UserSelection::ButtonOkay_Click() {
    TimeControlChoice& choice = answer_.Choice;
    choice.GameType = SelectedGameType();
    choice.ContinueRunning = OptionGameTimeContinues->isChecked();
    if (choice.GameType == 0) {
        const auto read = [](const std::array<QLineEdit*, 4>& boxes) {
            return TimeAccount{NumberFromText(boxes[1]->text()), NumberFromText(boxes[2]->text()),
                               NumberFromText(boxes[3]->text()), 0};
        };
        choice.White = read(MaskEdBox1);
        choice.Black = read(MaskEdBox2);
    } else {
        choice.White = PresetTime(choice.GameType);
        choice.Black = {};
    }
    // No seconds means no bonus; more than the most is the most.
    const std::int32_t seconds = NumberFromText(TextBonusSeconds->text());
    const auto mode = BonusMode(SelectionTimeBonus->currentIndex());
    choice.Bonus =
        seconds >= 1 ? TimeBonus{mode, std::min(seconds, TimeBonus::MaxSeconds)} : TimeBonus{};
    answer_.Outcome = DialogOutcome::Okay;
    accept();
}

void UserSelection::ButtonCancel_Click() {
    answer_.Outcome = DialogOutcome::Cancelled;
    QDialog::done(Rejected);
}

void UserSelection::reject() {
    if (ButtonCancel->isEnabled())
        ButtonCancel_Click();
}

void UserSelection::closeEvent(QCloseEvent* event) {
    if (ButtonCancel->isEnabled())
        ButtonCancel_Click();
    else
        QDialog::done(Rejected); // start-up: nothing changes
    event->accept();
}

} // namespace velmora
