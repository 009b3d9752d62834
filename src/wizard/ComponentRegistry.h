#pragma once

#include "wizard/WidgetComponent.h"

#include <QWidget>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;

// The components a window or page owns, in creation order, with their names and kinds: the list
// INI captions and layout walk. Kept here rather than read from the Qt parent tree, because a
// component belongs to its form whatever group box it sits in.
class ComponentRegistry {
public:
    // Registers a widget under its component name, which also becomes its object name. The kind
    // follows from its class unless given.
    template <class W>
    W* Add(const std::string& name, W* widget, std::optional<ComponentKind> kind = std::nullopt) {
        AddWidget(name, widget, kind);
        return widget;
    }
    QAction* AddMenuItem(const std::string& name, QAction* item);
    // A timer, dialog or other component without a place on screen.
    void AddNonVisual(const std::string& name);

    size_t Count() const { return entries_.size(); }
    WidgetComponent& At(size_t index) const { return *entries_[index]; }
    std::vector<LayoutComponent*> Components() const;
    // The object registered under `name`; null when none is.
    QObject* Find(const std::string& name) const;
    // Every registered object of type T, in creation order.
    template <class T> std::vector<T*> OfType() const {
        std::vector<T*> out;
        for (const auto& e : entries_)
            if (T* t = qobject_cast<T*>(e->Object()))
                out.push_back(t);
        return out;
    }

private:
    void AddWidget(const std::string& name, QWidget* widget, std::optional<ComponentKind> kind);

    std::vector<std::unique_ptr<WidgetComponent>> entries_;
};
