// The column definitions as a self-describing text: a header line, then one block per column
// with one "Property=value" line per published setting. Reading checks every line; any fault
// raises EProGridError before the caller's columns are touched.
#pragma once

#include "grid/GridColumns.h"

#include <string>
#include <string_view>

// The text of every column of the collection.
std::string WriteColumnStream(const TGridColumnCollection& Columns);
// Fills Into (an empty collection outside a grid) from the text; EProGridError on any fault.
void ReadColumnStream(std::string_view Text, TGridColumnCollection& Into);
