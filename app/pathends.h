// The question a document asks, as the user types and reads it: the ends
// of a path question ("3 7": from node 3 to node 7; "3": from node 3;
// nothing: free ends), and the line the status bar and the log show.
#pragma once

#include <string>

#include "core/question.h"

namespace app {

// Reads typed path ends for a graph of n nodes: up to two node numbers
// 1..n, separated by blanks or a comma. On success q becomes that path
// question and the result is empty; otherwise the result says what is
// wrong in one line ("node 12 is outside 1..10") and q is unchanged.
std::string ParsePathEnds(const std::string& text, int n, hcp::Question& q);

// The ends of q as ParsePathEnds reads them back: "3 7", "3", or "".
std::string PathEndsText(const hcp::Question& q);

// "Question: a Hamiltonian path from node 3", for the status bar and the log.
std::string QuestionLine(const hcp::Question& q);

}  // namespace app
