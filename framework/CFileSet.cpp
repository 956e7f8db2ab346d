#include "framework/CFileSet.h"

size_t CFileSet::Add(const std::string& path, const CFile* handle, size_t number)
{
    uint64_t index = 0;
    if (!(handle ? handle->GetIndex(index) : CFile::IndexOf(path, index)))
        return kNone;
    auto same = byIndex.equal_range(index);
    if (same.first == same.second) {
        byIndex.emplace(index, Member{path, number, false, CFileIdentity()});
        return number;
    }
    CFileIdentity identity;
    if (!(handle ? handle->GetIdentity(identity) : CFile::IdentityOf(path, identity)))
        return kNone;
    for (auto member = same.first; member != same.second; ++member) {
        Member& earlier = member->second;
        if (!earlier.identified && !CFile::IdentityOf(earlier.path, earlier.identity))
            return kNone;
        earlier.identified = true;
        if (earlier.identity == identity)
            return earlier.number;
    }
    byIndex.emplace(index, Member{path, number, true, identity});
    return number;
}
