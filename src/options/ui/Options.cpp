#include "options/ui/Options.h"

#include "localisation/ExtraTexts.h"
#include "localisation/UIStrings.h"
#include "options/KeyName.h"
#include "options/KeyRules.h"
#include "options/ui/KeyBox.h"
#include "state/Variables.h"
#include "state/ui/Twips.h"
#include "timecontrol/NumberFromText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace velmora {

namespace {

constexpr int kLanguageListEnglish = 0;
constexpr int kLanguageListGerman = 1;

} // namespace

Options::Options(const GeneralChoice& current, const UIStrings& strings, bool startingUp,
                 Messages& messages, QWidget* parent)
    : QDialog(parent), messages_(messages) {
    setObjectName(QStringLiteral("Options"));
    // The low-time warning sits right of the keys; the dialog grows by its width.
    setFixedSize(Px(9495), Px(3000));
    BuildControls();
    Form_Load(current, strings, startingUp);
}

void Options::BuildControls() {
    SelectionLanguage = new QGroupBox(this);
    SelectionLanguage->setObjectName(QStringLiteral("SelectionLanguage"));
    SelectionLanguage->setGeometry(TwipRect(240, 240, 3015, 855));
    SelectionLanguageCombo = new QComboBox(SelectionLanguage);
    SelectionLanguageCombo->setObjectName(QStringLiteral("SelectionLanguageCombo"));
    SelectionLanguageCombo->setGeometry(TwipRect(240, 360, 2535, 315));
    // The language names read the same in either language.
    SelectionLanguageCombo->addItem(QStringLiteral("English"));
    SelectionLanguageCombo->addItem(QStringLiteral("Deutsch"));

    Sounds = new QGroupBox(this);
    Sounds->setObjectName(QStringLiteral("Sounds"));
    Sounds->setGeometry(TwipRect(240, 1320, 3015, 975));
    CheckPlayerChange = new QCheckBox(Sounds);
    CheckPlayerChange->setObjectName(QStringLiteral("CheckPlayerChange"));
    CheckPlayerChange->setGeometry(TwipRect(120, 240, 2775, 255));
    CheckGameOver = new QCheckBox(Sounds);
    CheckGameOver->setObjectName(QStringLiteral("CheckGameOver"));
    CheckGameOver->setGeometry(TwipRect(120, 600, 2775, 255));

    Keys = new QGroupBox(this);
    Keys->setObjectName(QStringLiteral("Keys"));
    Keys->setGeometry(TwipRect(3480, 240, 2775, 2055));
    const int labelTop[3] = {0, 360, 1200};
    for (int player = White; player <= Black; ++player) {
        auto* label = new QLabel(Keys);
        label->setObjectName(QStringLiteral("LabelKeyPlayer(%1)").arg(player));
        label->setGeometry(TwipRect(240, labelTop[player], 2415, 255));
        LabelKeyPlayer[player] = label;

        auto* box = new KeyBox(Keys);
        box->setObjectName(QStringLiteral("TextKeyPlayer(%1)").arg(player));
        box->setGeometry(TwipRect(240, labelTop[player] + 360, 2415, 285));
        connect(box, &KeyBox::KeyDown, this,
                [this, player](std::int32_t code) { TextKeyPlayer_KeyDown(player, code); });
        connect(box, &KeyBox::MouseDown, this,
                [this, player](std::int32_t button) { TextKeyPlayer_MouseDown(player, button); });
        connect(box, &QLineEdit::textChanged, this,
                [this, player] { TextKeyPlayer_Change(player); });
        TextKeyPlayer[player] = box;
    }

    FrameLowTime = new QGroupBox(this);
    FrameLowTime->setObjectName(QStringLiteral("FrameLowTime"));
    FrameLowTime->setGeometry(TwipRect(6480, 240, 2775, 2055));
    LabelLowTimeWarning = new QLabel(FrameLowTime);
    LabelLowTimeWarning->setObjectName(QStringLiteral("LabelLowTimeWarning"));
    LabelLowTimeWarning->setGeometry(TwipRect(240, 360, 2415, 255));
    TextLowTimeWarning = new QLineEdit(FrameLowTime);
    TextLowTimeWarning->setObjectName(QStringLiteral("TextLowTimeWarning"));
    TextLowTimeWarning->setGeometry(TwipRect(240, 720, 855, 285));
    TextLowTimeWarning->setMaxLength(4);
    LabelLowTimeWarning->setBuddy(TextLowTimeWarning);
    CheckLowTime = new QCheckBox(FrameLowTime);
    CheckLowTime->setObjectName(QStringLiteral("CheckLowTime"));
    CheckLowTime->setGeometry(TwipRect(240, 1200, 2415, 255));

    ButtonOkay = new QPushButton(this);
    ButtonOkay->setObjectName(QStringLiteral("ButtonOkay"));
    ButtonOkay->setGeometry(TwipRect(2160, 2520, 1215, 375));
    ButtonCancel = new QPushButton(this);
    ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
    ButtonCancel->setGeometry(TwipRect(3360, 2520, 1215, 375));
    // Neither button may answer Return: in a key box Return is a player's key.
    for (QPushButton* button : {ButtonOkay, ButtonCancel}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    connect(ButtonOkay, &QPushButton::clicked, this, [this] { ButtonOkay_Click(); });
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(SelectionLanguageCombo, CheckPlayerChange);
    setTabOrder(CheckPlayerChange, CheckGameOver);
    setTabOrder(CheckGameOver, TextKeyPlayer[White]);
    setTabOrder(TextKeyPlayer[White], TextKeyPlayer[Black]);
    setTabOrder(TextKeyPlayer[Black], ButtonOkay);
    setTabOrder(ButtonOkay, ButtonCancel);
    setTabOrder(ButtonCancel, TextLowTimeWarning);
    setTabOrder(TextLowTimeWarning, CheckLowTime);
    SelectionLanguageCombo->setFocus();
}

void Options::Form_Load(const GeneralChoice& current, const UIStrings& strings, bool startingUp) {
    ButtonCancel->setEnabled(!startingUp);

    setWindowTitle(strings(TxtOptionsCaption));
    ButtonCancel->setText(strings(TxtCancel));
    ButtonOkay->setText(strings(TxtOkay));
    SelectionLanguage->setTitle(strings(TxtLanguage));

    language_ = current.Language;
    SelectionLanguageCombo->setCurrentIndex(language_ <= LanguageEnglish ? kLanguageListEnglish
                                                                         : language_ - 1);

    Sounds->setTitle(strings(TxtSound));
    CheckPlayerChange->setText(strings(TxtSoundPlayerChange));
    CheckGameOver->setText(strings(TxtSoundTimeOver));
    CheckPlayerChange->setChecked(current.SoundPlayerChange);
    CheckGameOver->setChecked(current.SoundGameOver);

    Keys->setTitle(strings(TxtKeys));
    LabelKeyPlayer[White]->setText(strings(TxtPlayer) + QStringLiteral(" 1"));
    LabelKeyPlayer[Black]->setText(strings(TxtPlayer) + QStringLiteral(" 2"));
    for (int player = White; player <= Black; ++player)
        TextKeyPlayer[player]->setAccessibleName(
            ExtraText(Extra::PlayerKey, language_, QString::number(player)));

    FrameLowTime->setTitle(ExtraText(Extra::LowTimeWarning, language_));
    LabelLowTimeWarning->setText(ExtraText(Extra::LowTimeSeconds, language_));
    TextLowTimeWarning->setText(QString::number(current.LowTimeWarning));
    CheckLowTime->setText(ExtraText(Extra::LowTimeSound, language_));
    CheckLowTime->setChecked(current.SoundLowTime);

    KeyCodes[White] = current.KeyWhite;
    KeyCodes[Black] = current.KeyBlack;
    TextKeyPlayer[White]->setText(NameOf(KeyCodes[White]));
    TextKeyPlayer[Black]->setText(NameOf(KeyCodes[Black]));
}

QString Options::NameOf(std::int32_t keyCode) const {
    return KeyName(keyCode, language_);
}

void Options::TextKeyPlayer_KeyDown(int player, std::int32_t keyCode) {
    if (IsKeyRefused(keyCode)) {
        ShowKeyNotAllowed(messages_, keyCode, language_);
        return;
    }
    KeyCodes[player] = keyCode;
    TextKeyPlayer[player]->setText(NameOf(keyCode));
}

void Options::TextKeyPlayer_MouseDown(int player, std::int32_t button) {
    KeyCodes[player] = button;
    TextKeyPlayer[player]->setText(NameOf(button));
}

void Options::TextKeyPlayer_Change(int player) {
    // Whatever was typed, pasted or deleted: the box shows its key's name.
    const QString name = NameOf(KeyCodes[player]);
    if (TextKeyPlayer[player]->text() != name)
        TextKeyPlayer[player]->setText(name);
}

void Options::ButtonOkay_Click() {
    const bool german = SelectionLanguageCombo->currentIndex() == kLanguageListGerman;
    choice_ = GeneralChoice{german ? LanguageGerman : LanguageEnglish,
                            CheckPlayerChange->isChecked(),
                            CheckGameOver->isChecked(),
                            KeyCodes[White],
                            KeyCodes[Black],
                            NumberFromText(TextLowTimeWarning->text()),
                            CheckLowTime->isChecked()};
    accept();
}

void Options::keyPressEvent(QKeyEvent* event) {
    // Escape does not close this dialog; only Cancel and the window frame do.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace velmora
