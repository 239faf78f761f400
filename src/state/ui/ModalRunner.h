#pragma once

class QDialog;

namespace velmora {

// Shows a modal dialog (message boxes included) and returns its result code.
// The program runs dialogs with exec(); tests put a runner in its place that
// answers each dialog without blocking.
class ModalRunner {
public:
    virtual ~ModalRunner() = default;
    virtual int Run(QDialog& dialog) = 0;
};

class ExecModalRunner final : public ModalRunner {
public:
    int Run(QDialog& dialog) override;
};

} // namespace velmora
