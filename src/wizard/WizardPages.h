#pragma once

#include <functional>
#include <string>

class QWidget;
class TFrameBase;

// How the wizard window gets its pages without knowing the page classes: the page modules
// supply the real ones, tests recording stand-ins.
struct WizardPages {
    // The page of class `className` ("TFrameDevList") with component name `name` on `parent`.
    std::function<TFrameBase*(const std::string& className, const std::string& name,
                              QWidget* parent)>
        Create;
    // The profile container's StepFrame (direction 0 forward, 1 back): true when the container
    // has no further sub-page that way, so the wizard moves on.
    std::function<bool(TFrameBase& profile, int direction)> StepFrame;
};

// The real pages; defined by the page modules.
WizardPages DefaultWizardPages();
