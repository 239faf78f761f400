#pragma once

#include <QDialog>

#include <array>
#include <cstdint>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace velmora {

class KeyBox;
struct Program;

// The options dialog: language, the two sound switches and both players' keys.
// It works on copies; OK applies them to the program and stores them at once,
// Cancel and closing the window change nothing.
class Options final : public QDialog {
    Q_OBJECT

public:
    explicit Options(Program& program, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildControls();
    void Form_Load();
    void TextKeyPlayer_KeyDown(int player, std::int32_t keyCode);
    void TextKeyPlayer_MouseDown(int player, std::int32_t button);
    void TextKeyPlayer_Change(int player);
    void ButtonOkay_Click();
    QString NameOf(std::int32_t keyCode) const;

    Program& program_;
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
    QPushButton* ButtonOkay = nullptr;
    QPushButton* ButtonCancel = nullptr;
};

// Shows the options dialog modally; OK applies and stores its choices.
void ShowOptionsDialog(Program& program, QWidget* parent);

} // namespace velmora
