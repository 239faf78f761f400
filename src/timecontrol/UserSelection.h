#pragma once

#include <QDialog>

#include <array>
#include <cstdint>

class QButtonGroup;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace velmora {

struct Program;

// The time-control dialog: one of fourteen presets for both players, or hours,
// minutes and seconds per player, and whether the other clock runs on once one
// player's time is over. It always starts from the stored choice; OK applies
// it to the game and stores it at once, Cancel changes nothing but
// NewGameAccepted.
class UserSelection final : public QDialog {
    Q_OBJECT

public:
    static constexpr int GameTypeCount = 15; // 0 user defined, 1..14 the presets

    explicit UserSelection(Program& program, QWidget* parent = nullptr);

    // Fills the dialog from the stored time settings; the constructor calls it.
    void Form_Load();
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
    void ApplyTimeControl(std::int32_t whiteHours, std::int32_t whiteMinutes,
                          std::int32_t whiteSeconds, std::int32_t whiteMilliseconds,
                          std::int32_t blackHours, std::int32_t blackMinutes,
                          std::int32_t blackSeconds, std::int32_t blackMilliseconds);

    Program& program_;
    QButtonGroup* gameTimeGroup_ = nullptr;
    std::array<QRadioButton*, GameTypeCount> OptionGameTime{};
    std::array<QGroupBox*, 2> FrameUserTime{}; // 0 White, 1 Black
    std::array<QLineEdit*, 4> MaskEdBox1{};    // White: 1 hours, 2 minutes, 3 seconds
    std::array<QLineEdit*, 4> MaskEdBox2{};    // Black: the same
    QFrame* Line1 = nullptr;
    QCheckBox* OptionGameTimeContinues = nullptr;
    QPushButton* ButtonOkay = nullptr;
    QPushButton* ButtonCancel = nullptr;
};

// Shows the time-control dialog modally through the program's modal runner.
void ShowTimeControlDialog(Program& program, QWidget* parent);

} // namespace velmora
