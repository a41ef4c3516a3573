// The 'large' solver method: greedy walks for a starting order, then the
// gap-closing search on a two-level list. Nothing in it grows with N², so
// it runs on graphs of millions of nodes; it is not complete.
#pragma once

#include <memory>

#include "core/method.h"
#include "export.h"

namespace hcp {

TOURKERN_API std::shared_ptr<const Method> MakeLargeMethod();

}  // namespace hcp
