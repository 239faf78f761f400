#pragma once

#include "state/ui/ModalRunner.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>

class QDialog;

namespace velmora::test {

// What a test saw of one modal dialog.
struct ShownDialog {
    QString objectName; // the dialog's objectName, "QMessageBox" for message boxes
    QString title;
    QString text; // a message box's text
};

// Answers modal dialogs without blocking: each dialog is shown (offscreen) and
// handed to the next queued answer, which acts on it and closes it. A dialog
// without an answer is rejected and counted, so a test can assert there were none.
class ScriptedModalRunner final : public ModalRunner {
public:
    using Answer = std::function<void(QDialog&)>;

    void Expect(Answer answer) { answers_.push_back(std::move(answer)); }
    // The answer for every dialog that has no answer queued (instead of rejecting it).
    void AnswerEveryOther(Answer answer) { fallback_ = std::move(answer); }
    int Run(QDialog& dialog) override;

    const std::vector<ShownDialog>& Shown() const { return shown_; }
    int Unanswered() const { return unanswered_; }
    int LeftOpen() const { return leftOpen_; }
    std::size_t Pending() const { return answers_.size(); }

    // Ready-made answers.
    static Answer ClickButton(const QString& objectName);
    static Answer AcceptMessage();

private:
    std::deque<Answer> answers_;
    Answer fallback_;
    std::vector<ShownDialog> shown_;
    int unanswered_ = 0;
    int leftOpen_ = 0;
};

} // namespace velmora::test
