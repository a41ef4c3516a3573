#include "nxadjacency.h"

#include <cstdint>

namespace pyhcp {

namespace {

// networkx stores one data object per edge under both of its ends
// (_adj[u][v] is _adj[v][u]; for multigraphs the key dict). Pairing the
// two entries by that object's identity tells both ends of an edge without
// looking a label up in a dict, which for tuple labels (board squares,
// grid points) means hashing a tuple per entry and cost more than the
// solve of a sparse 1,000-node graph. Each pair is still confirmed by
// comparing the labels, so a graph whose data objects are shared some
// other way gives the same edges or falls back to the slow path.
class EntryTable {
public:
    struct Slot {
        PyObject* data = nullptr;   // identity only, never dereferenced
        PyObject* key = nullptr;    // the neighbour label of the first entry
        hcp::NodeId row = 0;
        int seen = 0;               // 0 empty, 1 waiting for its mirror, 2 paired
    };

    explicit EntryTable(std::size_t entries)
    {
        std::size_t size = 16;
        while (size < 2 * entries) size *= 2;
        m_slots.resize(size);
        m_mask = size - 1;
    }

    Slot& Find(PyObject* data)
    {
        auto h = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(data) >> 4);
        std::size_t i = static_cast<std::size_t>((h * 0x9E3779B97F4A7C15ULL) >> 20) & m_mask;
        while (m_slots[i].seen != 0 && m_slots[i].data != data) i = (i + 1) & m_mask;
        return m_slots[i];
    }

    std::vector<Slot>& Slots() { return m_slots; }

private:
    std::vector<Slot> m_slots;
    std::size_t m_mask = 0;
};

bool SameLabel(PyObject* a, PyObject* b)
{
    if (a == b) return true;
    const int eq = PyObject_RichCompareBool(a, b, Py_EQ);
    if (eq < 0) throw py::error_already_set();
    return eq == 1;
}

// The rows of adj, a dict keyed by exactly labels in order, each a dict;
// false when adj is laid out otherwise. entries counts the rows' entries.
// The rows are held while other Python code (a label's __eq__) may run.
bool ReadRows(py::handle adj, py::handle labels, std::vector<py::object>& rows, std::size_t& entries)
{
    PyObject* a = adj.ptr();
    PyObject* l = labels.ptr();
    if (!PyDict_CheckExact(a) || !PyList_CheckExact(l) || PyDict_Size(a) != PyList_GET_SIZE(l))
        return false;
    rows.reserve(static_cast<std::size_t>(PyList_GET_SIZE(l)));
    PyObject* key = nullptr;
    PyObject* value = nullptr;
    Py_ssize_t pos = 0;
    while (PyDict_Next(a, &pos, &key, &value)) {
        if (key != PyList_GET_ITEM(l, static_cast<Py_ssize_t>(rows.size())) || !PyDict_Check(value))
            return false;
        rows.push_back(py::reinterpret_borrow<py::object>(value));
        entries += static_cast<std::size_t>(PyDict_Size(value));
    }
    return true;
}

// The entry of first and the entry `key` in row `row` list each other: each
// names the other's row.
bool Mirrors(py::handle labels, const EntryTable::Slot& first, std::size_t row, PyObject* key)
{
    PyObject* l = labels.ptr();
    return SameLabel(first.key, PyList_GET_ITEM(l, static_cast<Py_ssize_t>(row)))
           && SameLabel(key, PyList_GET_ITEM(l, static_cast<Py_ssize_t>(first.row)));
}

std::vector<UnpairedEntry> Unpaired(EntryTable& table)
{
    std::vector<UnpairedEntry> single;
    for (const EntryTable::Slot& s : table.Slots())
        if (s.seen == 1) single.push_back({s.row, py::reinterpret_borrow<py::object>(s.key)});
    return single;
}

}  // namespace

bool EdgesFromNetworkxAdjacency(py::handle adj, py::handle labels, std::vector<hcp::Edge>& edges,
                                std::vector<UnpairedEntry>& unpaired)
{
    std::vector<py::object> rows;
    std::size_t entries = 0;
    if (!ReadRows(adj, labels, rows, entries)) return false;
    EntryTable table(entries);
    std::vector<py::object> held;   // keys the table points to
    std::vector<hcp::Edge> found;
    found.reserve(entries / 2);
    for (std::size_t iu = 0; iu < rows.size(); ++iu) {
        PyObject* v = nullptr;
        PyObject* data = nullptr;
        Py_ssize_t inner = 0;
        while (PyDict_Next(rows[iu].ptr(), &inner, &v, &data)) {
            EntryTable::Slot& s = table.Find(data);
            if (s.seen == 0) {
                s = {data, v, static_cast<hcp::NodeId>(iu), 1};
                held.push_back(py::reinterpret_borrow<py::object>(v));
                continue;
            }
            if (s.seen == 2 || s.row == iu) return false;
            // Mirror entries: row s.row lists this node, and this row lists s.row.
            if (!Mirrors(labels, s, iu, v)) return false;
            s.seen = 2;
            found.emplace_back(s.row, static_cast<hcp::NodeId>(iu));
        }
    }
    edges = std::move(found);
    unpaired = Unpaired(table);
    return true;
}

// A digraph keeps each arc's data object once under its tail in succ and
// once under its head in pred: the successor entries fill the table, the
// predecessor entries find their mirrors in it. A data object under two
// successor entries, or a predecessor entry with no successor entry, is a
// layout this does not know.
bool ArcsFromNetworkxAdjacency(py::handle succ, py::handle pred, py::handle labels,
                               std::vector<hcp::Edge>& arcs, std::vector<UnpairedEntry>& unpaired)
{
    std::vector<py::object> tails, heads;
    std::size_t entries = 0, predEntries = 0;
    if (!ReadRows(succ, labels, tails, entries) || !ReadRows(pred, labels, heads, predEntries)) return false;
    EntryTable table(entries);
    std::vector<py::object> held;   // keys the table points to
    for (std::size_t iu = 0; iu < tails.size(); ++iu) {
        PyObject* v = nullptr;
        PyObject* data = nullptr;
        Py_ssize_t inner = 0;
        while (PyDict_Next(tails[iu].ptr(), &inner, &v, &data)) {
            EntryTable::Slot& s = table.Find(data);
            if (s.seen != 0) return false;
            s = {data, v, static_cast<hcp::NodeId>(iu), 1};
            held.push_back(py::reinterpret_borrow<py::object>(v));
        }
    }
    std::vector<hcp::Edge> found;
    found.reserve(entries);
    for (std::size_t iv = 0; iv < heads.size(); ++iv) {
        PyObject* u = nullptr;
        PyObject* data = nullptr;
        Py_ssize_t inner = 0;
        while (PyDict_Next(heads[iv].ptr(), &inner, &u, &data)) {
            EntryTable::Slot& s = table.Find(data);
            if (s.seen != 1 || !Mirrors(labels, s, iv, u)) return false;
            s.seen = 2;
            found.emplace_back(s.row, static_cast<hcp::NodeId>(iv));
        }
    }
    arcs = std::move(found);
    unpaired = Unpaired(table);
    return true;
}

}  // namespace pyhcp
