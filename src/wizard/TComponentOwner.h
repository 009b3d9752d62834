#pragma once

#include "platform/MessageTarget.h"
#include "wizard/ComponentRegistry.h"
#include "wizard/WidgetComponent.h"

#include <QWidget>

#include <string>

// What forms and pages share: a widget that owns named components in creation order and
// receives window messages (WndProc with WParam and LParam).
class TComponentOwner : public QWidget, public platform::MessageTarget {
    Q_OBJECT
public:
    // name: the component name (also the object name), e.g. "FormMain" or "FrameDevList1".
    TComponentOwner(platform::EventLoop& loop, const std::string& name, QWidget* parent,
                    Qt::WindowFlags flags = {});
    ~TComponentOwner() override;

    std::string Name() const { return objectName().toStdString(); }
    ComponentRegistry Components;
    // This owner itself as the caption and layout pass sees a container.
    LayoutComponent& AsComponent() { return self_; }

    // ApplyCaptions / ApplyLayout on this owner inside one Lock / Unlock of the settings file.
    void ApplyIniCaptions(const std::string& section);
    void ApplyIniLayout(const std::string& prefix);

    // Window messages; the base handles none.
    void WndProc(platform::Message& msg) override;

private:
    WidgetComponent self_;
};
