#pragma once

#include "wizard/TFrameBase.h"

// A wizard page; its controls come with its own module.
class TFrameWelcome : public TFrameBase {
    Q_OBJECT
public:
    TFrameWelcome(platform::EventLoop& loop, const std::string& name, QWidget* parent = nullptr);
};
