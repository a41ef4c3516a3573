// The question a Python caller asks solve: path and ends, with the ends in
// the caller's own node labels.
#pragma once

#include <pybind11/pybind11.h>

#include "core/question.h"

namespace pyhcp {

namespace py = pybind11;

class LabelledGraph;

// The cycle question unless path is True or ends is given. ends is None,
// (s, t), (s, None) or (None, None); s and t are labels of graph. Raises
// TypeError when path is not a bool, and ValueError naming the problem for
// ends that are not such a pair, a label that is no node of graph, and
// equal ends.
hcp::Question QuestionArgument(const LabelledGraph& graph, py::handle path, py::handle ends);

}  // namespace pyhcp
