#include "helptext.h"

namespace app {

const char* HelpHtml()
{
    return
        "<h3>Tourvane32</h3>"
        "<p>Tourvane32 keeps all nodes of a graph in one cyclic order and improves that order "
        "until every pair of neighbours in it is joined by an edge: a Hamiltonian cycle. "
        "H, shown in the title line of the graph, counts the neighbour pairs that are not joined (gaps).</p>"
        "<h4>Graphs</h4>"
        "<p><b>File, New</b> makes a random graph (or one without edges) from the "
        "<i>Graph parameters</i>, or a leaper graph: the moves of an (a, b)-leaper on an m x n board "
        "(a knight is the (1, 2)-leaper). <b>File, Open</b> reads a TSPLIB HCP file (<tt>.hcp</tt>) or any "
        "graph file the engine reads; you can also drop such files on the window. <b>File, Save</b> writes the graph back, exactly as "
        "it was read: searches never change it. Graphs of more than 32,767 nodes are refused.</p>"
        "<h4>Cycles</h4>"
        "<p><b>View, Find cycle</b> (F5) searches for a Hamiltonian cycle; when it finds none, the graph "
        "may still have one. <b>View, Solve</b> (Ctrl+F5) decides the question and, when there is no "
        "cycle, says why. Esc stops a running search and keeps the order reached. The cycle is drawn in "
        "thick blue above the other edges, its gaps in red; edges the search ruled out are dashed. "
        "<b>View, Rearrange cycle</b> installs an order typed in as <tt>{ 1 2 3 ... }</tt> or read "
        "from a TSPLIB TOUR file (<tt>.tour</tt>, <tt>.tou</tt>). <b>Edit, Copy</b> copies the cycle; "
        "<b>File, Export tour</b> writes it as a TSPLIB tour and <b>File, Export picture</b> writes the "
        "picture as PNG or SVG.</p>"
        "<h4>Paths and directed graphs</h4>"
        "<p><b>View, Question</b> sets what the document asks: a <b>Hamiltonian cycle</b> (what every "
        "document asks when it opens) or a <b>Hamiltonian path</b>, with free ends or, in <b>Path ends</b>, "
        "a first node (<tt>3</tt>) or both ends (<tt>3 7</tt>). Solve answers the question asked; a path is "
        "drawn without a closing edge, its two ends ringed, titled <tt>Path (H=0): ...</tt>, and exported as "
        "a tour whose comment says it is a path. Find cycle only searches for cycles in undirected graphs "
        "and says so otherwise. A directed graph (digraph6 <tt>.d6</tt>, DIMACS <tt>a</tt> lines, an HCP "
        "file of <tt>TYPE: DHCP</tt>) is drawn with arrowheads, up to 20,000 edges or when zoomed in; "
        "Save writes it as <tt>TYPE: DHCP</tt>.</p>"
        "<h4>Picture</h4>"
        "<p>The wheel, + and - (Ctrl++, Ctrl+-) zoom; Ctrl+0 fits the graph to the window; drag the "
        "background to pan; Ctrl+F finds a node by its number. Node numbers are drawn where they are "
        "readable. <b>View, Board layout</b> puts every node of a leaper graph on its square; "
        "<b>Force layout</b> places the nodes of any graph by a force-directed layout.</p>"
        "<h4>Mouse</h4>"
        "<p>Drag a node to move it. Right-click a node and choose <b>Delete node</b> to remove all its "
        "edges. <b>View, Edges</b> and <b>View, Node labels</b> switch the edges and the node numbers "
        "on and off.</p>"
        "<h4>Without a window</h4>"
        "<p><tt>Tourvane32 [--find-cycle | --solve] [--path | --path-from S | --path-ends S,T] "
        "[--layout circle|board|force] --export OUT.png|OUT.svg|OUT.pdf GRAPH</tt> writes the picture and "
        "prints the outcome (exit status 0: cycle or path found, 1: none, 2: error).</p>"
        "<h4>Windows</h4>"
        "<p>Each document window has two tabs: <b>Graph</b> and <b>Log</b> (F6 switches between them). "
        "<b>Window, New Window</b> shows the same document a second time.</p>";
}

}  // namespace app
