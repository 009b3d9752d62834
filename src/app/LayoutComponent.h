#pragma once

#include <string>
#include <vector>

// What the caption and layout pass needs to know about a component's kind.
enum class ComponentKind {
    Label,
    CheckBox,
    Panel,
    PushButton,
    RadioButton,
    MenuItem,
    ListView, // a plain list view: its column captions are localised
    GroupBox,
    Other,
};

// One component owned by a window or page, as the INI caption and layout pass sees it. The UI
// adapts its widgets to this, so the pass itself stays free of any toolkit.
class LayoutComponent {
public:
    virtual ~LayoutComponent() = default;

    virtual std::string Name() const = 0;
    virtual ComponentKind Kind() const = 0;
    // A visual control with a position and a size (not a timer, dialog or menu item).
    virtual bool IsControl() const = 0;

    virtual std::string Caption() const { return std::string(); }
    virtual void SetCaption(const std::string&) {}
    virtual int ColumnCount() const { return 0; }
    virtual std::string ColumnCaption(int) const { return std::string(); }
    virtual void SetColumnCaption(int, const std::string&) {}

    virtual void SetLeft(int) {}
    virtual void SetTop(int) {}
    virtual void SetWidth(int) {}
    virtual void SetHeight(int) {}
    virtual bool Visible() const { return true; }
    virtual void SetVisible(bool) {}

    // Components owned by this one, in creation order: non-empty for an embedded page or frame.
    virtual std::vector<LayoutComponent*> Components() { return {}; }

    // A top-level window has a title of its own.
    virtual bool IsTopLevel() const { return false; }
    virtual std::string Title() const { return std::string(); }
    virtual void SetTitle(const std::string&) {}
};
