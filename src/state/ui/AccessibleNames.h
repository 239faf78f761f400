#pragma once

class QAction;
class QLabel;
class QString;

namespace velmora {

// What screen readers read where a control's own text does not say enough.
// Installs the program's accessibility factory (once).
void InstallAccessibleNames();

// The label is read by `pattern` with its current text in place of "[*]" (e.g.
// "White's time, [*], running"): the name follows the text, once a second for a
// clock, without an event at each change. A changed pattern is announced.
void SetNamePattern(QLabel* label, const QString& pattern);

// The label is read as a link (it has a slot Activate() that opens it).
void MarkAsLink(QLabel* label);

// The menu bar entry of `action`'s menu is read as `name` rather than its caption.
void SetMenuName(QAction* action, const QString& name);

} // namespace velmora
