#include "solve/builtin.h"

#include "solve/legacymethods.h"

namespace hcp {

std::vector<std::shared_ptr<const Method>> BuiltinMethods()
{
    return {MakeExistMethod(), MakeMinMethod(), MakeOptimizeMethod()};
}

}  // namespace hcp
