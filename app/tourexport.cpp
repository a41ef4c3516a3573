#include "tourexport.h"

namespace app {

std::string TourFileText(const std::string& name, int n, const std::list<short>& order, int gaps)
{
    std::string text = "NAME : " + name + "\n";
    text += gaps == 0 ? "COMMENT : Hamiltonian cycle\n"
                      : "COMMENT : cyclic order with " + std::to_string(gaps) + " missing edges\n";
    text += "TYPE : TOUR\nDIMENSION : " + std::to_string(n) + "\nTOUR_SECTION\n";
    for (short v : order)
        text += std::to_string(v) + "\n";
    text += "-1\nEOF\n";
    return text;
}

}  // namespace app
