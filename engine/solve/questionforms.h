// The forms in which Solve hands a question to a method that only answers
// "is there a Hamiltonian cycle?" (on undirected graphs, unless the method
// reads arcs). Each form builds the graph the method solves and maps its
// orders back to the caller's graph, so an answer never names a node the
// caller does not have.
//
// PathForm: a path question as a cycle question. One added node joined to
// every node (free ends) or to the two given ends closes a path into a
// cycle through it; for one given end S, two added nodes y and x, y joined
// to S and x only and x to every node but S, force the cycle through
// S, y, x. In a digraph the added node has arcs to the allowed first nodes
// and from the allowed last ones.
//
// SplitForm: a digraph as an undirected graph. Node v becomes the chain
// in(v) - mid(v) - out(v), and arc u -> v the edge out(u) - in(v); mid(v)
// has degree 2, so every Hamiltonian cycle runs through each chain in
// order and all in one direction, which is a directed Hamiltonian cycle.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "core/graph.h"
#include "core/question.h"

namespace hcp {

class PathForm {
public:
    PathForm(const Graph& g, const Question& q);

    const Graph& Cycles() const { return m_form; }
    // A cyclic order of the form as a path of the caller's graph, first node
    // first: the nodes between the added ones, turned so that a given first
    // node leads. Any order maps to some order (a best effort for an order
    // that is not a cycle).
    std::vector<NodeId> ToPath(std::span<const NodeId> cycle) const;
    // A proof on the form, told in the caller's terms.
    std::string Reason(const std::string& formReason) const;

private:
    const Graph& m_g;
    Question m_q;
    Graph m_form;
    NodeId m_n = 0;
};

class SplitForm {
public:
    explicit SplitForm(const Graph& digraph);

    const Graph& Undirected() const { return m_form; }
    // A cyclic order of the form as a cyclic order of the digraph that
    // follows its arcs when the form's order is a cycle.
    std::vector<NodeId> ToCycle(std::span<const NodeId> order) const;
    // The digraph's cyclic order as an order of the form (for start hints).
    std::vector<NodeId> FromCycle(std::span<const NodeId> order) const;
    std::string Reason(const std::string& formReason) const;

private:
    Graph m_form;
    NodeId m_n = 0;
};

}  // namespace hcp
