#include "options/CSaveData.h"

int32_t CSaveData::AddRecord(const std::string& path, const std::string& longName)
{
    if (path.empty())
        return 0;
    CRecord record;
    if (!record.Load(path, longName))
        return 0;
    ++lastId;
    records[lastId] = record;
    return lastId;
}
