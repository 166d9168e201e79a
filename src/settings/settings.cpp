// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "settings/settings.h"

namespace vx {

CameraDefaults FactoryCameraDefaults() {
    // Element 4 is the integer fixed flag, not the float 1.0; element 11 is the
    // program's pi literal halved and rounded to single (pattern 3FC90FDB).
    return {FloatBits(-1.0f),
            FloatBits(0.0f),
            FloatBits(2.0f),
            FloatBits(0.0f),
            1u,
            FloatBits(0.1f),
            FloatBits(0.1f),
            FloatBits(0.1f),
            FloatBits(0.0f),
            FloatBits(0.0f),
            FloatBits(0.0f),
            FloatBits(static_cast<float>(3.14159265358979 / 2.0))};
}

void CopyAllButSignature(const Settings& from, Settings& to) {
    std::string signature = std::move(to.Signature);
    to = from;
    to.Signature = std::move(signature);
}

}  // namespace vx
