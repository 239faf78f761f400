#pragma once

#include "timecontrol/TimeControl.h"
#include "timecontrol/TimeSettings.h"

#include <QDialog>

#include <array>
#include <cstdint>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QFrame;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace velmora {

class UIStrings;

// The time-control dialog: one of fourteen presets for both players, or hours,
// minutes and seconds per player, and whether the other clock runs on once one
// player's time is over. It starts from the stored choice and returns what the
// user chose; the caller applies it.
class UserSelection final : public QDialog {
    Q_OBJECT

public:
    // Cancel cannot be pressed while the program starts up.
    UserSelection(const TimeSettings& stored, const UIStrings& strings, bool startingUp,
                  QWidget* parent = nullptr);

    // How the dialog was left and, after OK, the choice.
    TimeControlAnswer Answer() const { return answer_; }

    // Fills the dialog from the stored time settings; the constructor calls it.
    void Form_Load(const TimeSettings& stored, const UIStrings& strings, bool startingUp);
    // Enables the user-defined fields exactly while index 0 is selected.
    void OptionGameTime_Click(int index);
    // Entering a box selects its whole text, so typing replaces it.
    void MaskEdBox1_GotFocus(int index);
    void MaskEdBox2_GotFocus(int index);
    void ButtonOkay_Click();
    void ButtonCancel_Click();

protected:
    // Escape: Cancel, while Cancel can be pressed.
    void reject() override;
    // The window frame: Cancel, while Cancel can be pressed; during start-up it
    // only closes the dialog.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void SetTabOrder();
    void FitCaptions();
    int SelectedGameType() const;

    TimeControlAnswer answer_;
    QObject* clickedInto_ = nullptr; // the box a mouse press has just put the focus into
    QButtonGroup* gameTimeGroup_ = nullptr;
    std::array<QRadioButton*, GameTypeCount> OptionGameTime{};
    std::array<QGroupBox*, 2> FrameUserTime{}; // 0 White, 1 Black
    std::array<QLineEdit*, 4> MaskEdBox1{};    // White: 1 hours, 2 minutes, 3 seconds
    std::array<QLineEdit*, 4> MaskEdBox2{};    // Black: the same
    QFrame* Line1 = nullptr;
    QCheckBox* OptionGameTimeContinues = nullptr;
    QPushButton* ButtonOkay = nullptr;
    QPushButton* ButtonCancel = nullptr;
    // The time bonus: a mode and the seconds it gives.
    QGroupBox* FrameTimeBonus = nullptr;
    QComboBox* SelectionTimeBonus = nullptr;
    QLabel* LabelBonusSeconds = nullptr;
    QLineEdit* TextBonusSeconds = nullptr;
};

} // namespace velmora
