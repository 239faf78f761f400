#include "ScriptedModalRunner.h"

#include <QAbstractButton>
#include <QDialog>
#include <QMessageBox>
#include <QTest>

namespace velmora::test {

int ScriptedModalRunner::Run(QDialog& dialog) {
    ShownDialog seen{dialog.objectName(), dialog.windowTitle(), QString()};
    if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
        seen.objectName = QStringLiteral("QMessageBox");
        seen.text = box->text();
    }
    shown_.push_back(seen);

    dialog.setModal(true);
    dialog.show();
    if (answers_.empty() && fallback_) {
        fallback_(dialog);
        dialog.hide();
        return dialog.result();
    }
    if (answers_.empty()) {
        ++unanswered_;
        dialog.reject();
        return dialog.result();
    }
    Answer answer = std::move(answers_.front());
    answers_.pop_front();
    answer(dialog);
    if (dialog.isVisible()) {
        ++leftOpen_;
        dialog.hide();
    }
    return dialog.result();
}

ScriptedModalRunner::Answer ScriptedModalRunner::ClickButton(const QString& objectName) {
    return [objectName](QDialog& dialog) {
        auto* button = dialog.findChild<QAbstractButton*>(objectName);
        Q_ASSERT_X(button, "ClickButton", qPrintable(objectName));
        if (button)
            QTest::mouseClick(button, Qt::LeftButton);
    };
}

ScriptedModalRunner::Answer ScriptedModalRunner::AcceptMessage() {
    return [](QDialog& dialog) { dialog.accept(); };
}

} // namespace velmora::test
