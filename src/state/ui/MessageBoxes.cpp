#include "state/ui/MessageBoxes.h"

#include "localisation/ApplicationInfo.h"
#include "state/ui/ModalRunner.h"

#include <QApplication>
#include <QMessageBox>

namespace velmora {

void MessageBoxes::Show(MessageIcon icon, const QString& text) {
    if (unattended_) {
        qWarning("%s: %s", qPrintable(ApplicationTitle()), qPrintable(text));
        return;
    }
    const QMessageBox::Icon boxIcon = icon == MessageIcon::Critical  ? QMessageBox::Critical
                                      : icon == MessageIcon::Warning ? QMessageBox::Warning
                                                                     : QMessageBox::NoIcon;
    QMessageBox box(boxIcon, ApplicationTitle(), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    modal_.Run(box);
}

} // namespace velmora
