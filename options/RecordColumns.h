#pragma once
#include "options/COption.h"
#include "record/CColumnTexts.h"
#include "record/CRecord.h"
#include "sprig/Document.h"

#include <string>

// The texts of a record's own columns in the file list, each as the record's tree shows its item
// (names and texts translated through option for the format version):
// - the start time: GameStartTime as the tree shows its date; empty when the game wrote 0;
// - the map: Map/MapName; the game type: GameType; the lobby: LobbyName; the version: GameVersion;
// - the players and their civilizations: the slots taken (Players/Player whose Type is 0, a human,
//   or 1, a computer) as sides: the players of team 1, then of teams 2 to 4, then each player of
//   any other team (0, no team) on a side of its own, every side in slot order. A side's names are
//   joined by ", ", the sides by " vs "; a computer's name is followed by "（CPU）". The
//   civilizations stand in the same places.
// An item the settings lack gives an empty cell; of an item written twice, the first counts.
// The start time to sort by is the number of seconds as the tree reads it, 0 when unknown (also
// for a time before 1970).
//
// Made from the settings text as it is read, without a tree: plain settings (nearly all) by
// PlainReader, any other by the parser; settings whose names have namespaces are made into a
// tree, whose names the tree view shows. Raises what parsing the settings into a tree raises
// (ParsingException, DOM_Exception).
void MakeColumnTexts(const std::string& settings, const COption& option, const std::string& version,
                     CColumnTexts& out);
// The same texts taken from the settings' tree.
void MakeColumnTexts(const Sprig::Document& settings, const COption& option, const std::string& version,
                     CColumnTexts& out);

// Gives the record its column texts unless it has them. They are made from the settings it keeps,
// or else from its file decoded for them alone: the record keeps neither the settings nor the map
// script then. A record that cannot be decoded, or whose settings cannot be read, is marked
// unreadable; it is not decoded again for its columns until it is loaded again.
void MakeRecordColumns(CRecord& record, const COption& option);
