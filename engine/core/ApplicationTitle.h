#pragma once
// The application title, the caption of every error box.  The program never
// sets it; it follows from the executable's file name.

#include <string>
#include <string_view>

namespace zelv {

// The file name without its directory (everything after the last "/"), cut
// before its first ".", with every character after the first turned to lower
// case: "/opt/zelv/ZELV_Derarar" gives "Zelv_derarar", "MapTool.Beta.exe"
// gives "Maptool".  Texts are Windows-1252; its accented capitals are lowered
// too ("ÜBER" gives "Über").
std::string applicationTitle(std::string_view executablePath);

} // namespace zelv
