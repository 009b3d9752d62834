#include "wizard/WidgetComponent.h"

#include "wizard/TComponentOwner.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

WidgetComponent::WidgetComponent(std::string name, QObject* object, ComponentKind kind,
                                 bool control)
    : name_(std::move(name)), object_(object), kind_(kind), control_(control) {}

ComponentKind WidgetComponent::KindOf(const QWidget* w) {
    // The sortable list view keeps its own column captions; the paint panel is a panel.
    if (w->inherits("TSortListView"))
        return ComponentKind::Other;
    if (w->inherits("TPaintPanel"))
        return ComponentKind::Panel;
    if (qobject_cast<const QLabel*>(w))
        return ComponentKind::Label;
    if (qobject_cast<const QCheckBox*>(w))
        return ComponentKind::CheckBox;
    if (qobject_cast<const QRadioButton*>(w))
        return ComponentKind::RadioButton;
    if (qobject_cast<const QPushButton*>(w))
        return ComponentKind::PushButton;
    if (qobject_cast<const QGroupBox*>(w))
        return ComponentKind::GroupBox;
    if (qobject_cast<const QTreeWidget*>(w))
        return ComponentKind::ListView;
    // A bare frame is the panel of a designed page.
    if (w->metaObject() == &QFrame::staticMetaObject)
        return ComponentKind::Panel;
    return ComponentKind::Other;
}

QWidget* WidgetComponent::Widget() const {
    return qobject_cast<QWidget*>(object_.data());
}

QAction* WidgetComponent::Action() const {
    return qobject_cast<QAction*>(object_.data());
}

std::string WidgetComponent::Caption() const {
    if (QAction* a = Action())
        return a->text().toStdString();
    QWidget* w = Widget();
    if (!w)
        return std::string();
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text().toStdString();
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return b->text().toStdString();
    if (auto* g = qobject_cast<QGroupBox*>(w))
        return g->title().toStdString();
    // Panels carry their caption as a property.
    return w->property("Caption").toString().toStdString();
}

void WidgetComponent::SetCaption(const std::string& caption) {
    if (QAction* a = Action())
        return a->setText(Q(caption));
    QWidget* w = Widget();
    if (!w)
        return;
    if (auto* l = qobject_cast<QLabel*>(w))
        l->setText(Q(caption));
    else if (auto* b = qobject_cast<QAbstractButton*>(w))
        b->setText(Q(caption));
    else if (auto* g = qobject_cast<QGroupBox*>(w))
        g->setTitle(Q(caption));
    else
        w->setProperty("Caption", Q(caption));
}

int WidgetComponent::ColumnCount() const {
    auto* t = qobject_cast<QTreeWidget*>(Widget());
    return t ? t->columnCount() : 0;
}

std::string WidgetComponent::ColumnCaption(int index) const {
    auto* t = qobject_cast<QTreeWidget*>(Widget());
    return t ? t->headerItem()->text(index).toStdString() : std::string();
}

void WidgetComponent::SetColumnCaption(int index, const std::string& caption) {
    if (auto* t = qobject_cast<QTreeWidget*>(Widget()))
        t->headerItem()->setText(index, Q(caption));
}

void WidgetComponent::SetLeft(int v) {
    if (QWidget* w = Widget())
        w->move(v, w->y());
}

void WidgetComponent::SetTop(int v) {
    if (QWidget* w = Widget())
        w->move(w->x(), v);
}

void WidgetComponent::SetWidth(int v) {
    if (QWidget* w = Widget())
        w->resize(v, w->height());
}

void WidgetComponent::SetHeight(int v) {
    if (QWidget* w = Widget())
        w->resize(w->width(), v);
}

bool WidgetComponent::Visible() const {
    if (QAction* a = Action())
        return a->isVisible();
    QWidget* w = Widget();
    // The control's own flag, whatever its parent shows.
    return w && !w->isHidden();
}

void WidgetComponent::SetVisible(bool on) {
    if (QAction* a = Action())
        a->setVisible(on);
    else if (QWidget* w = Widget())
        w->setVisible(on);
}

std::vector<LayoutComponent*> WidgetComponent::Components() {
    if (auto* owner = qobject_cast<TComponentOwner*>(Widget()))
        return owner->Components.Components();
    return {};
}

bool WidgetComponent::IsTopLevel() const {
    QWidget* w = Widget();
    return w && w->isWindow();
}

std::string WidgetComponent::Title() const {
    QWidget* w = Widget();
    return w ? w->windowTitle().toStdString() : std::string();
}

void WidgetComponent::SetTitle(const std::string& title) {
    if (QWidget* w = Widget())
        w->setWindowTitle(Q(title));
}
