#include "state/ui/AccessibleNames.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

namespace velmora {

namespace {

const char* const kMenuName = "velmoraMenuName";
const char* const kLink = "velmoraLink";

// A label whose name is its pattern filled with its text.
class PatternLabel final : public QAccessibleWidget {
public:
    explicit PatternLabel(QWidget* label) : QAccessibleWidget(label, QAccessible::StaticText) {}
    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        const auto* label = static_cast<const PatternNamedLabel*>(widget());
        return label->NamePattern().replace(QStringLiteral("[*]"), label->text());
    }
};

// A clickable label that takes the focus: a link that Return, Space or a
// screen reader's press opens.
class LinkLabel final : public QAccessibleWidget {
public:
    explicit LinkLabel(QWidget* label) : QAccessibleWidget(label, QAccessible::Link) {
        addControllingSignal(QStringLiteral("clicked()"));
    }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? static_cast<const QLabel*>(widget())->text()
                                      : QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction())
            QMetaObject::invokeMethod(widget(), "Activate");
    }
};

// A menu bar entry read by a name of its own.
class NamedMenuBarEntry final : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    explicit NamedMenuBarEntry(QAction* action) : action_(action) {}
    bool isValid() const override { return action_ && MenuBar(); }
    QObject* object() const override { return action_; }
    QWindow* window() const override { return MenuBar()->window()->windowHandle(); }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(MenuBar());
    }
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(action_->menu()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && child->object() == action_->menu() ? 0 : -1;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? action_->property(kMenuName).toString() : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        const QRect entry = MenuBar()->actionGeometry(action_);
        return {MenuBar()->mapToGlobal(entry.topLeft()), entry.size()};
    }
    QAccessible::Role role() const override { return QAccessible::MenuItem; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.focusable = true;
        state.disabled = !action_->isEnabled();
        state.hasPopup = true;
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }
    QStringList actionNames() const override { return {showMenuAction()}; }
    void doAction(const QString& action) override {
        if (action == showMenuAction())
            MenuBar()->setActiveAction(action_);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QMenuBar* MenuBar() const {
        const QList<QObject*> users = action_ ? action_->associatedObjects() : QList<QObject*>();
        for (QObject* user : users) {
            if (auto* bar = qobject_cast<QMenuBar*>(user))
                return bar;
        }
        return nullptr;
    }

    QPointer<QAction> action_;
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
    if (auto* action = qobject_cast<QAction*>(object))
        return action->property(kMenuName).isValid() ? new NamedMenuBarEntry(action) : nullptr;
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) // the application, its windows
        return nullptr;
    if (className == u"velmora::PatternNamedLabel")
        return new PatternLabel(widget);
    if (widget->property(kLink).toBool())
        return new LinkLabel(widget);
    return nullptr;
}

} // namespace

void InstallAccessibleNames() {
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
}

void PatternNamedLabel::SetNamePattern(const QString& pattern) {
    if (pattern_ == pattern)
        return;
    pattern_ = pattern;
    // Announces the change; and a label with a name of its own no longer
    // announces each new text.
    setAccessibleName(pattern);
}

void MarkAsLink(QLabel* label) {
    label->setProperty(kLink, true);
}

void SetMenuName(QAction* action, const QString& name) {
    action->setProperty(kMenuName, name);
    QAccessibleEvent event(action, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

} // namespace velmora
