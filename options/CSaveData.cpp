#include "options/CSaveData.h"

int32_t CSaveData::AddRecord(const std::string& path)
{
    if (path.empty())
        return 0;
    CRecord record;
    if (!record.Load(path))
        return 0;
    ++lastId;
    records[lastId] = record;
    return lastId;
}
