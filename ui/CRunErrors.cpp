#include "ui/CRunErrors.h"

#include "framework/StringUtil.h"

void CRunErrors::Add(const std::string& fileName, const std::string& message)
{
    entries.push_back({fileName, message});
}

bool CRunErrors::Empty() const
{
    return entries.empty();
}

std::string CRunErrors::Text() const
{
    int count = static_cast<int>(entries.size());
    std::string text = FormatInt(count, "%ld") + " 個のファイルを処理できませんでした。\r\n";
    for (int i = 0; i < count && i < kShown; ++i) {
        const Entry& entry = entries[static_cast<size_t>(i)];
        text += "\r\n" + entry.fileName + "\r\n" + entry.message;
        if (!entry.message.empty() && entry.message.back() != '\n')
            text += "\r\n";
    }
    if (count > kShown)
        text += "\r\nほか " + FormatInt(count - kShown, "%ld") + " 個のファイル";
    return text;
}
