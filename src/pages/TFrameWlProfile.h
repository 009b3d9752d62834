#pragma once

#include "wizard/TFrameBase.h"

// A wizard page; its controls come with its own module.
class TFrameWlProfile : public TFrameBase {
    Q_OBJECT
public:
    TFrameWlProfile(platform::EventLoop& loop, const std::string& name, QWidget* parent = nullptr);
};
