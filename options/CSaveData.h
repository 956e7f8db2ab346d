#pragma once
#include "options/COption.h"
#include "record/CRecord.h"
#include "record/IXMLBase.h"

#include <cstdint>
#include <map>
#include <string>

// The viewer's data: the records the main window knows, by record id, and the option model.
class CSaveData : public IXMLBase {
public:
    // Loads the file as a new record and returns its id; 0 for an empty path or a failed load
    // (no id is used up then). longName: the record's file name for a path that names the file by
    // its short name (CRecord::Load).
    int32_t AddRecord(const std::string& path, const std::string& longName = std::string());

    std::map<int32_t, CRecord> records;
    int32_t lastId = 0;
    COption option;
};
