#pragma once

#include "ScriptedModalRunner.h"

#include <QMap>
#include <QString>
#include <QStringList>

class QDialog;

namespace velmora::test {

// What one showing of the time-control dialog offered.
struct TimeDialogView {
    QString title;
    int selected = -1;
    QStringList whiteBoxes; // hours, minutes, seconds
    QStringList blackBoxes;
    bool userFieldsEnabled = false;
    bool continueChecked = false;
    bool cancelEnabled = false;
};

TimeDialogView LookAt(QDialog& dialog);

using Answer = ScriptedModalRunner::Answer;

// Records what the dialog offered, then answers it with `then`.
Answer LookThen(TimeDialogView& view, Answer then);
// Selects a time control (0 user defined, 1..14 the presets), sets the check
// box and presses OK.
Answer ChooseAndOkay(int gameType, bool continueRunning = false);
// Selects "User defined", types into the six boxes and presses OK.
Answer EnterAndOkay(const QStringList& white, const QStringList& black);
// Changes the selection and the check box, then leaves by `how`: "Cancel",
// "Escape" or "window frame".
Answer ChangeThenLeave(const QString& how);

// The [Time] section as it stands in the file, read without QSettings (which
// would share what the program's store holds in memory).
QMap<QString, QString> TimeSectionOnDisk(const QString& path);

QMap<QString, QString> StoredTimes(int p1h, int p1min, int p1sec, int p2h, int p2min, int p2sec,
                                   int gameType, int continueRunning);

} // namespace velmora::test
