#include "solve/builtin.h"

#include "exact/exactsearch.h"
#include "large/largemethod.h"
#include "solve/automethod.h"
#include "solve/legacymethods.h"

namespace hcp {

std::vector<std::shared_ptr<const Method>> BuiltinMethods()
{
    return {MakeAutoMethod(), MakeExistMethod(), MakeMinMethod(), MakeOptimizeMethod(), MakeLargeMethod(),
            MakeExactMethod()};
}

}  // namespace hcp
