#include "options/KeyRules.h"

#include "options/KeyName.h"
#include "state/ApplicationInfo.h"
#include "state/ModalRunner.h"
#include "state/Program.h"

#include <QMessageBox>

namespace velmora {

bool IsKeyRefused(std::int32_t code) {
    return code == 17 || code == 18 || code == 121;
}

void ShowKeyNotAllowed(Program& program, std::int32_t code, QWidget* parent) {
    const std::int32_t language = program.vars.Strings.GetLanguage();
    const QString prefix = language == LanguageGerman ? QStringLiteral("Nicht zugelassen: ")
                                                      : QStringLiteral("Not allowed: ");
    QMessageBox box(QMessageBox::Warning, ApplicationTitle(), prefix + KeyName(code, language),
                    QMessageBox::Ok, parent);
    program.modal.Run(box);
}

} // namespace velmora
