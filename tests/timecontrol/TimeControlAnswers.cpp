#include "TimeControlAnswers.h"

#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace velmora::test {

namespace {

template <typename T> T* Child(QDialog& dialog, const QString& name) {
    T* child = dialog.findChild<T*>(name);
    if (!child)
        qFatal("no %s in the dialog", qPrintable(name));
    return child;
}

QLineEdit* Box(QDialog& dialog, int player, int index) {
    return Child<QLineEdit>(dialog, QStringLiteral("MaskEdBox%1(%2)").arg(player).arg(index));
}

QRadioButton* Option(QDialog& dialog, int index) {
    return Child<QRadioButton>(dialog, QStringLiteral("OptionGameTime(%1)").arg(index));
}

} // namespace

TimeDialogView LookAt(QDialog& dialog) {
    TimeDialogView view;
    view.title = dialog.windowTitle();
    for (int i = 0; i < 15; ++i) {
        if (Option(dialog, i)->isChecked())
            view.selected = i;
    }
    for (int i = 1; i <= 3; ++i) {
        view.whiteBoxes << Box(dialog, 1, i)->text();
        view.blackBoxes << Box(dialog, 2, i)->text();
    }
    view.userFieldsEnabled = Box(dialog, 1, 1)->isEnabled();
    view.continueChecked =
        Child<QCheckBox>(dialog, QStringLiteral("OptionGameTimeContinues"))->isChecked();
    view.cancelEnabled = Child<QPushButton>(dialog, QStringLiteral("ButtonCancel"))->isEnabled();
    return view;
}

Answer LookThen(TimeDialogView& view, Answer then) {
    return [&view, then](QDialog& dialog) {
        view = LookAt(dialog);
        then(dialog);
    };
}

Answer ChooseAndOkay(int gameType, bool continueRunning) {
    return [gameType, continueRunning](QDialog& dialog) {
        Option(dialog, gameType)->click();
        Child<QCheckBox>(dialog, QStringLiteral("OptionGameTimeContinues"))
            ->setChecked(continueRunning);
        ScriptedModalRunner::ClickButton(QStringLiteral("ButtonOkay"))(dialog);
    };
}

Answer EnterAndOkay(const QStringList& white, const QStringList& black) {
    return [white, black](QDialog& dialog) {
        Option(dialog, 0)->click();
        for (int i = 1; i <= 3; ++i) {
            Box(dialog, 1, i)->setText(white.value(i - 1));
            Box(dialog, 2, i)->setText(black.value(i - 1));
        }
        ScriptedModalRunner::ClickButton(QStringLiteral("ButtonOkay"))(dialog);
    };
}

Answer ChangeThenLeave(const QString& how) {
    return [how](QDialog& dialog) {
        Option(dialog, 14)->click();
        Child<QCheckBox>(dialog, QStringLiteral("OptionGameTimeContinues"))->toggle();
        Box(dialog, 1, 2)->setText(QStringLiteral("9"));
        if (how == u"Cancel")
            ScriptedModalRunner::ClickButton(QStringLiteral("ButtonCancel"))(dialog);
        else if (how == u"Escape")
            QTest::keyClick(&dialog, Qt::Key_Escape);
        else
            dialog.close();
    };
}

QMap<QString, QString> TimeSectionOnDisk(const QString& path) {
    QMap<QString, QString> values;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return values;
    bool inTime = false;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(u'['))
            inTime = line == u"[Time]";
        else if (inTime && line.contains(u'='))
            values.insert(line.section(u'=', 0, 0), line.section(u'=', 1));
    }
    return values;
}

QMap<QString, QString> StoredTimes(int p1h, int p1min, int p1sec, int p2h, int p2min, int p2sec,
                                   int gameType, int continueRunning) {
    const auto n = [](int v) { return QString::number(v); };
    return {{QStringLiteral("P1h"), n(p1h)},
            {QStringLiteral("P1min"), n(p1min)},
            {QStringLiteral("P1sec"), n(p1sec)},
            {QStringLiteral("P2h"), n(p2h)},
            {QStringLiteral("P2min"), n(p2min)},
            {QStringLiteral("P2sec"), n(p2sec)},
            {QStringLiteral("GameType"), n(gameType)},
            {QStringLiteral("ContinueRunning"), n(continueRunning)}};
}

} // namespace velmora::test
