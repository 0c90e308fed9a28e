#pragma once

#include <ostream>

#include "ManyRunAnalysis.h"

namespace sorimu {

// One line per run of an analysis, in setting and trial order, BOM first.
void WriteRunFiguresCsv(std::ostream& out, const AnalysisResult& result);

}  // namespace sorimu
