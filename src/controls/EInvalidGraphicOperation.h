#pragma once

#include <stdexcept>

// The graphics-operation error the skinned buttons raise while shaping: the one place the
// program throws.
class EInvalidGraphicOperation : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
