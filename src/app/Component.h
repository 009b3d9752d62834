#pragma once

#include <string>
#include <vector>

// What the INI captions and layout treat alike: labels, check boxes, panels, push buttons,
// radio buttons and menu items have one caption; plain list views a caption per column; group
// boxes a padded caption; everything else keeps its text.
enum class ComponentKind {
    Label,
    CheckBox,
    Panel,
    PushButton,
    RadioButton,
    MenuItem,
    ListView, // a plain list view only: the sortable one is Other
    GroupBox,
    Other,    // any other visual control: edits, combo boxes, images, embedded pages
    NonVisual // timers, dialogs: neither captions nor layout
};

// One component owned by a window or page, as the INI captions and layout see it. The defaults
// are those of a component that has no such property.
class Component {
public:
    virtual ~Component() = default;

    virtual std::string Name() const = 0;
    virtual ComponentKind Kind() const = 0;

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

    // The components this one owns in creation order (an embedded page or frame); empty for a
    // plain control.
    virtual std::vector<Component*> Components() const { return {}; }

    // A window with a title bar of its own (not an embedded page).
    virtual bool IsTopLevel() const { return false; }
    virtual std::string Title() const { return std::string(); }
    virtual void SetTitle(const std::string&) {}
};
