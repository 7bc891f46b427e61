// The system's PC/SC service: pcsc-lite, or winscard on Windows.
#pragma once

#include <memory>

#include "kelvar/pcsc/pcsc_layer.h"

namespace kelvar::server {

std::unique_ptr<pcsc::Layer> SystemPcsc();

}  // namespace kelvar::server
