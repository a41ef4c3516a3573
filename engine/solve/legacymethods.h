// The legacy drivers as solver methods: exist (IsCycleExist), min
// (FindMinCycle) and optimize (repeated Optimize from one start). Each
// restart runs on a fresh legacy copy of the graph with the thread's seed
// clock fixed to seed + k, so the results are exactly the drivers' own.
#pragma once

#include <memory>

#include "core/method.h"

namespace hcp {

std::shared_ptr<const Method> MakeExistMethod();
std::shared_ptr<const Method> MakeMinMethod();
std::shared_ptr<const Method> MakeOptimizeMethod();

}  // namespace hcp
