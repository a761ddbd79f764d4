// One report table of a counting kind written to a file, in the form the
// file's name asks for: the same choice for `report` and `all`.
#pragma once

#include <string>

#include "cli/report_kinds.h"
#include "core/workspace.h"
#include "output/write_result.h"

namespace corvella::cli {

// ".xlsx": an Excel workbook; ".xls": an Excel 97-2003 workbook; anything
// else: a text table.
WriteResult save_kind_table(const ReportKind& kind, Table table, const Workspace& ws, const std::string& path);

bool ends_with(const std::string& s, const std::string& tail);

}  // namespace corvella::cli
