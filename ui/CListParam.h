#pragma once
#include <windows.h>

#include <string_view>
#include <unordered_map>

// What a sort of the file list hands to each comparison of two rows: the direction of the sort
// and the sorted column's text of every record, by record id (the rows' parameter).
class CListParam {
public:
    virtual ~CListParam() = default;

    // 1 ascending, 2 descending.
    int direction = 1;
    std::unordered_map<LPARAM, std::string_view> texts;
};
