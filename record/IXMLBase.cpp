#include "record/IXMLBase.h"

void IXMLBase::SetMessageText(const std::string& detail)
{
    messageText = "スクリプトにエラーがあるか、未対応の形式です。\n\n" + detail;
}
