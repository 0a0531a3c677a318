#pragma once
// The fonts the engine's families resolve to, copied from Debian's font
// packages (both under the SIL Open Font Licence, with every Polish letter).

#include "output_folder.hpp"

namespace kr::makedata {

void WriteFontFiles(OutputFolder& out, const Sources& sources);

}  // namespace kr::makedata
