#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

// What a sort of the file list hands to each comparison of two rows: the direction of the sort
// and, by record id (the rows' parameter), the place of the record's text in the sorted column
// among the texts of all records: equal texts have equal places, the empty text place 0.
class CListParam {
public:
    virtual ~CListParam() = default;

    // 1 ascending, 2 descending.
    int direction = 1;
    std::vector<int32_t> places;
};
