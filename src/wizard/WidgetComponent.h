#pragma once

#include "app/LayoutComponent.h"

#include <QPointer>

class QAction;
class QWidget;

// One registered component seen through the caption and layout interface: a widget, a menu item
// (QAction) or a non-visual component known only by its name.
class WidgetComponent : public LayoutComponent {
public:
    WidgetComponent(std::string name, QObject* object, ComponentKind kind, bool control);

    // The kind a widget is localised as, from its class.
    static ComponentKind KindOf(const QWidget* widget);

    QObject* Object() const { return object_; }

    std::string Name() const override { return name_; }
    ComponentKind Kind() const override { return kind_; }
    bool IsControl() const override { return control_; }
    std::string Caption() const override;
    void SetCaption(const std::string& caption) override;
    int ColumnCount() const override;
    std::string ColumnCaption(int index) const override;
    void SetColumnCaption(int index, const std::string& caption) override;
    void SetLeft(int v) override;
    void SetTop(int v) override;
    void SetWidth(int v) override;
    void SetHeight(int v) override;
    bool Visible() const override;
    void SetVisible(bool on) override;
    std::vector<LayoutComponent*> Components() override;
    bool IsTopLevel() const override;
    std::string Title() const override;
    void SetTitle(const std::string& title) override;

private:
    QWidget* Widget() const;
    QAction* Action() const;

    std::string name_;
    QPointer<QObject> object_;
    ComponentKind kind_;
    bool control_;
};
