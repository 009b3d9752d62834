#include "pages/TFrameWelcome.h"

TFrameWelcome::TFrameWelcome(platform::EventLoop& loop, const std::string& name, QWidget* parent)
    : TFrameBase(loop, name, parent) {
    resize(600, 323);
}
