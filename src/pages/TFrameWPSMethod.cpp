#include "pages/TFrameWPSMethod.h"

TFrameWPSMethod::TFrameWPSMethod(platform::EventLoop& loop, const std::string& name,
                                 QWidget* parent)
    : TFrameBase(loop, name, parent) {
    resize(600, 323);
}
