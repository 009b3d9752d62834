#include "pages/TFrameSetupMethod.h"

TFrameSetupMethod::TFrameSetupMethod(platform::EventLoop& loop, const std::string& name,
                                     QWidget* parent)
    : TFrameBase(loop, name, parent) {
    resize(600, 323);
}
