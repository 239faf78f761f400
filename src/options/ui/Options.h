#pragma once

#include "options/GeneralSettings.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace velmora {

class KeyBox;
class Messages;
class UIStrings;

// The options dialog: language, the two sound switches and both players' keys.
// It starts from the program-wide values and returns the user's choice after
// OK; Cancel and closing the window return none.
class Options final : public QDialog {
    Q_OBJECT

public:
    // Refused keys are told through `messages`; Cancel cannot be pressed while
    // the program starts up.
    Options(const GeneralChoice& current, const UIStrings& strings, bool startingUp,
            Messages& messages, QWidget* parent = nullptr);

    const std::optional<GeneralChoice>& Choice() const { return choice_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildControls();
    void Form_Load(const GeneralChoice& current, const UIStrings& strings, bool startingUp);
    void TextKeyPlayer_KeyDown(int player, std::int32_t keyCode);
    void TextKeyPlayer_MouseDown(int player, std::int32_t button);
    void TextKeyPlayer_Change(int player);
    void ButtonOkay_Click();
    QString NameOf(std::int32_t keyCode) const;

    Messages& messages_;
    std::int32_t language_ = 0; // of the texts shown, and so of the key names
    std::optional<GeneralChoice> choice_;
    // The keys being chosen, by player (1 White, 2 Black).
    std::array<std::int32_t, 3> KeyCodes{};

    QGroupBox* SelectionLanguage = nullptr;
    QComboBox* SelectionLanguageCombo = nullptr;
    QGroupBox* Sounds = nullptr;
    QCheckBox* CheckPlayerChange = nullptr;
    QCheckBox* CheckGameOver = nullptr;
    QGroupBox* Keys = nullptr;
    std::array<QLabel*, 3> LabelKeyPlayer{};
    std::array<KeyBox*, 3> TextKeyPlayer{};
    // The low-time warning: its seconds (0 off) and its sound.
    QGroupBox* FrameLowTime = nullptr;
    QLabel* LabelLowTimeWarning = nullptr;
    QLineEdit* TextLowTimeWarning = nullptr;
    QCheckBox* CheckLowTime = nullptr;
    QPushButton* ButtonOkay = nullptr;
    QPushButton* ButtonCancel = nullptr;
};

} // namespace velmora
