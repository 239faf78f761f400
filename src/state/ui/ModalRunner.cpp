#include "state/ui/ModalRunner.h"

#include <QDialog>

namespace velmora {

int ExecModalRunner::Run(QDialog& dialog) {
    return dialog.exec();
}

} // namespace velmora
