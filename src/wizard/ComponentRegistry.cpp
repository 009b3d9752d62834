#include "wizard/ComponentRegistry.h"

#include <QAction>

void ComponentRegistry::AddWidget(const std::string& name, QWidget* widget,
                                  std::optional<ComponentKind> kind) {
    widget->setObjectName(QString::fromStdString(name));
    entries_.push_back(std::make_unique<WidgetComponent>(
        name, widget, kind ? *kind : WidgetComponent::KindOf(widget), true));
}

QAction* ComponentRegistry::AddMenuItem(const std::string& name, QAction* item) {
    item->setObjectName(QString::fromStdString(name));
    entries_.push_back(
        std::make_unique<WidgetComponent>(name, item, ComponentKind::MenuItem, false));
    return item;
}

void ComponentRegistry::AddNonVisual(const std::string& name) {
    entries_.push_back(
        std::make_unique<WidgetComponent>(name, nullptr, ComponentKind::Other, false));
}

std::vector<LayoutComponent*> ComponentRegistry::Components() const {
    std::vector<LayoutComponent*> out;
    out.reserve(entries_.size());
    for (const auto& e : entries_)
        out.push_back(e.get());
    return out;
}

QObject* ComponentRegistry::Find(const std::string& name) const {
    for (const auto& e : entries_)
        if (e->Name() == name)
            return e->Object();
    return nullptr;
}
