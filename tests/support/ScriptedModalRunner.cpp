#include "ScriptedModalRunner.h"

#include <QAbstractButton>
#include <QDialog>
#include <QTest>

namespace velmora::test {

int ScriptedModalRunner::Run(QDialog& dialog) {
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

ScriptedModalRunner::Answer ScriptedModalRunner::ClickButton(const QString& objectName) {
    return [objectName](QDialog& dialog) {
        QTest::mouseClick(dialog.findChild<QAbstractButton*>(objectName), Qt::LeftButton);
    };
}

} // namespace velmora::test
