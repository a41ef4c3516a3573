// The program's help page, shown by Help > Help Topics (F1).
#pragma once

namespace app {

// The page as HTML (UTF-8).
const char* HelpHtml();

}  // namespace app
