#pragma once

#include "state/ui/ModalRunner.h"

#include <QDialog>

#include <deque>
#include <functional>

namespace velmora::test {

// Answers modal dialogs without blocking: each dialog is shown (offscreen) and
// handed to the next queued answer, which acts on it and closes it. A dialog
// without an answer is rejected.
class ScriptedModalRunner final : public ModalRunner {
public:
    using Answer = std::function<void(QDialog&)>;

    void Expect(Answer answer) { answers_.push_back(std::move(answer)); }
    // The answer for every dialog that has no answer queued (instead of rejecting it).
    void AnswerEveryOther(Answer answer) { fallback_ = std::move(answer); }
    int Run(QDialog& dialog) override {
        ++shown_;
        dialog.setModal(true);
        dialog.show();
        Answer answer = fallback_;
        if (!answers_.empty()) {
            answer = std::move(answers_.front());
            answers_.pop_front();
        }
        if (answer)
            answer(dialog);
        if (dialog.isVisible()) // an answer that left it open, or none
            dialog.reject();
        return dialog.result();
    }

    int Shown() const { return shown_; }

private:
    std::deque<Answer> answers_;
    Answer fallback_;
    int shown_ = 0;
};

} // namespace velmora::test
