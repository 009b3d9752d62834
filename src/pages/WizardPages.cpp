#include "wizard/WizardPages.h"

#include "pages/TFrameDevIPCfg.h"
#include "pages/TFrameDevList.h"
#include "pages/TFrameLicense.h"
#include "pages/TFramePassword.h"
#include "pages/TFrameSetWlMethod.h"
#include "pages/TFrameSetupMethod.h"
#include "pages/TFrameSuccess.h"
#include "pages/TFrameTutorial.h"
#include "pages/TFrameWPSMethod.h"
#include "pages/TFrameWelcome.h"
#include "pages/TFrameWlProfile.h"
#include "wizard/TApplication.h"

#include <map>

namespace {

template <class T> TFrameBase* Make(const std::string& name, QWidget* parent) {
    return new T(Application->Loop(), name, parent);
}

} // namespace

WizardPages DefaultWizardPages() {
    WizardPages pages;
    pages.Create = [](const std::string& className, const std::string& name,
                      QWidget* parent) -> TFrameBase* {
        using Factory = TFrameBase* (*)(const std::string&, QWidget*);
        static const std::map<std::string, Factory> factories{
            {"TFrameWelcome", Make<TFrameWelcome>},
            {"TFrameLicense", Make<TFrameLicense>},
            {"TFrameTutorial", Make<TFrameTutorial>},
            {"TFrameDevList", Make<TFrameDevList>},
            {"TFramePassword", Make<TFramePassword>},
            {"TFrameSetupMethod", Make<TFrameSetupMethod>},
            {"TFrameDevIPCfg", Make<TFrameDevIPCfg>},
            {"TFrameSetWlMethod", Make<TFrameSetWlMethod>},
            {"TFrameWPSMethod", Make<TFrameWPSMethod>},
            {"TFrameSuccess", Make<TFrameSuccess>},
            {"TFrameWlProfile", Make<TFrameWlProfile>},
        };
        auto it = factories.find(className);
        return it == factories.end() ? new TFrameBase(Application->Loop(), name, parent)
                                     : it->second(name, parent);
    };
    // Until the container has sub-pages it has no further step either way.
    pages.StepFrame = [](TFrameBase&, int) { return true; };
    return pages;
}
