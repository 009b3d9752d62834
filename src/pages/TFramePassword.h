#pragma once

#include "wizard/TFrameBase.h"

// A wizard page; its controls come with its own module.
class TFramePassword : public TFrameBase {
    Q_OBJECT
public:
    TFramePassword(platform::EventLoop& loop, const std::string& name, QWidget* parent = nullptr);
};
