#pragma once

#include <QLabel>

class QAction;

namespace velmora {

// A label that screen readers read by a pattern with its current text in
// place of "[*]" (e.g. "White's time, [*], running"): the name follows the
// text, once a second for a clock, without an event at each change; a changed
// pattern is announced. Of a class of its own, so that no screen reader can
// meet it before it is known as such.
class PatternNamedLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;
    void SetNamePattern(const QString& pattern);
    QString NamePattern() const { return pattern_; }

private:
    QString pattern_;
};

// What screen readers read where a control's own text does not say enough.
// Installs the program's accessibility factory (once).
void InstallAccessibleNames();

// The label is read as a link (it has a slot Activate() that opens it).
void MarkAsLink(QLabel* label);

// The menu bar entry of `action`'s menu is read as `name` rather than its caption.
void SetMenuName(QAction* action, const QString& name);

} // namespace velmora
