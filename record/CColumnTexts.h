#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// What the file list shows of a record's settings in columns of its own, made once and kept by
// the record: the text of each cell, as the tree shows the item it comes from, and the start time
// to sort by. Small: the cells lie one after the other in one string.
class CColumnTexts {
public:
    enum Column { StartTime, MapName, Players, Civilizations, GameType, LobbyName, GameVersion };
    static constexpr int kCount = 7;
    // A cell holds at most this many bytes, cut on whole characters: the list shows no more.
    static constexpr size_t kMostBytes = 259;
    // What the start time's cell of a record that cannot be read shows.
    static constexpr const char* kUnreadable = "（読み込めません）";

    bool Made() const { return !cells.empty(); }
    // The cell of a column, ended by a NUL byte; "" until the texts are made.
    const char* Cell(Column column) const;
    std::string_view View(Column column) const;
    // The texts of the kCount columns, in order: each is cut at a NUL byte and to kMostBytes.
    // startSeconds: the start time, 0 when unknown.
    void Set(const std::string* texts, int32_t startSeconds);
    // A record that cannot be read: kUnreadable under the start time, nothing elsewhere.
    void SetUnreadable();
    // Back to not made.
    void Clear();

    // Seconds since 1970-01-01 UTC; 0 when unknown.
    int32_t startSeconds = 0;
    // What the maker of the texts numbers them by, each making with a number of its own; 0 until
    // made.
    int32_t serial = 0;

private:
    // Each cell followed by a NUL byte; empty until made.
    std::string cells;
};
