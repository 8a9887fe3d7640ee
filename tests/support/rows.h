// List rows as the tests write and compare them.
#pragma once
#include <ostream>
#include <string>
#include <vector>

#include "list/entry.h"

struct Row {
    std::string name, seconds, folder, type, archive;
    bool operator==(const Row&) const = default;
    // By column: 0 name, 1 seconds, 2 folder, 3 type, 4 archive.
    const std::string& operator[](int column) const;
};
void PrintTo(const Row& row, std::ostream* out);

Row RowOf(const ScreenSaverEntry& entry);
std::vector<Row> RowsOf(const std::vector<ScreenSaverEntry>& entries);
// The rows of the list view, and a new last row.
std::vector<Row> ReadAllRows();
void AddRow(const Row& row);
// Selects the row as a click would (-1: no row selected).
void SelectListRow(int row);
