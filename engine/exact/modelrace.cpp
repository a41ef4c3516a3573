#include "exact/modelrace.h"

#include "core/race.h"
#include "exact/exactsearch.h"

namespace hcp {

SolveResult RaceCoverModels(const Graph& g, const SolveOptions& options)
{
    auto model = [&g](CoverModel m) {
        return [&g, m](const SolveOptions& given) {
            SolveOptions o = given;
            o.threads = 1;
            o.coverModel = m;
            ExactSearch search;
            search.SetBlockSearch(m == CoverModel::Arcs);
            return search.Run(g, o);
        };
    };
    // The arc model runs on the calling thread, the edge model on the
    // second; both are complete, and the arc model's answer is taken when
    // both have one.
    RaceOutcome race = Race({model(CoverModel::Arcs), true}, {model(CoverModel::Edges), true}, options);
    SolveResult r = race.Take();
    r.stopped = r.verdict == Verdict::Unknown && options.stop.stop_requested();
    return r;
}

}  // namespace hcp
