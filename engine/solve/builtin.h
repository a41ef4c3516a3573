// The engine's own methods, in the order --help lists them. Each layer's
// methods are added here when the layer is built in.
#pragma once

#include <memory>
#include <vector>

#include "core/method.h"

namespace hcp {

std::vector<std::shared_ptr<const Method>> BuiltinMethods();

}  // namespace hcp
