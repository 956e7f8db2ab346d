#include "framework/CXmlTransform.h"

#include "framework/ComInit.h"
#include "framework/StringUtil.h"

#include <msxml2.h>
#include <oleauto.h>

#include <cstdio>
#include <new>

namespace {

// The version-independent MSXML document class and the interface the program uses.
const CLSID kDomDocument = {0xf6d90f11, 0x9c73, 0x11d3, {0xb3, 0x2e, 0x00, 0xc0, 0x4f, 0x99, 0x0b, 0xb4}};
const IID kDomDocument2 = {0x2933bf95, 0x7b36, 0x11d2, {0xb2, 0x0e, 0x00, 0xc0, 0x4f, 0x98, 0x3e, 0x60}};

bool engineUntested = true;
bool engineAvailable = false;

// A failed component call: its result and the component's description of it.
struct ComFailure {
    HRESULT result;
    std::string description;
};

std::string TakeErrorDescription()
{
    std::string text;
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) == S_OK && info) {
        BSTR description = nullptr;
        if (SUCCEEDED(info->GetDescription(&description)) && description)
            WideToAnsi(description, SysStringByteLen(description), text);
        SysFreeString(description);
        info->Release();
    }
    return text;
}

// Makes a component call that starts with no error object on the thread, so that the
// description taken after its failure is its own, never one that an earlier call left: some calls
// (CoCreateInstance, put_async) set none.
template <typename Call>
void Check(Call call)
{
    SetErrorInfo(0, nullptr);
    HRESULT result = call();
    if (FAILED(result))
        throw ComFailure{result, TakeErrorDescription()};
}

BSTR AnsiToBstr(const char* text)
{
    int units = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (units < 1)
        throw ComFailure{E_OUTOFMEMORY, std::string()};
    BSTR wide = SysAllocStringLen(nullptr, static_cast<UINT>(units - 1));
    if (!wide)
        throw ComFailure{E_OUTOFMEMORY, std::string()};
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide, units);
    return wide;
}

IXMLDOMDocument2* CreateDocument()
{
    IXMLDOMDocument2* document = nullptr;
    Check([&] {
        return CoCreateInstance(kDomDocument, nullptr, CLSCTX_INPROC_SERVER, kDomDocument2,
                                reinterpret_cast<void**>(&document));
    });
    return document;
}

// Loads a file synchronously; false when it could not be read or parsed.
bool LoadDocument(IXMLDOMDocument2* document, const char* path)
{
    Check([&] { return document->put_async(VARIANT_FALSE); });
    VARIANT source;
    VariantInit(&source);
    source.vt = VT_BSTR;
    source.bstrVal = AnsiToBstr(path);
    VARIANT_BOOL loaded = VARIANT_FALSE;
    Check([&] {
        HRESULT result = document->load(source, &loaded);
        VariantClear(&source);
        return result;
    });
    return loaded == VARIANT_TRUE;
}

void Release(IXMLDOMDocument2*& document)
{
    if (document)
        document->Release();
    document = nullptr;
}

}

CXmlTransform::CXmlTransform()
{
    ComInitialize();
}

CXmlTransform::~CXmlTransform()
{
    ComUninitialize();
}

bool CXmlTransform::Transform(const char* xmlPath, const char* xslPath)
{
    bool transformed = false;
    IXMLDOMDocument2* source = nullptr;
    IXMLDOMDocument2* stylesheet = nullptr;
    try {
        source = CreateDocument();
        if (LoadDocument(source, xmlPath)) {
            stylesheet = CreateDocument();
            if (LoadDocument(stylesheet, xslPath)) {
                BSTR output = nullptr;
                Check([&] { return source->transformNode(stylesheet, &output); });
                WideToAnsi(output, SysStringByteLen(output), resultText);
                SysFreeString(output);
                transformed = true;
            }
            Release(stylesheet);
        }
        Release(source);
    } catch (const ComFailure& failure) {
        Release(stylesheet);
        Release(source);
        errorText = FormatComError(failure.description, ComErrorMessage(failure.result),
                                   failure.result);
        return false;
    } catch (const std::bad_alloc&) {
        Release(stylesheet);
        Release(source);
        errorText = FormatComError(std::string(), ComErrorMessage(E_OUTOFMEMORY), E_OUTOFMEMORY);
        return false;
    }
    if (transformed)
        ReplaceAll(resultText, "charset=UTF-16", "charset=Shift_JIS");
    return transformed;
}

const char* CXmlTransform::GetErrorText() const
{
    return errorText.c_str();
}

bool IsXmlEngineAvailable()
{
    if (engineUntested) {
        engineUntested = false;
        ComInitialize();
        IXMLDOMDocument2* document = nullptr;
        if (SUCCEEDED(CoCreateInstance(kDomDocument, nullptr, CLSCTX_INPROC_SERVER, kDomDocument2,
                                       reinterpret_cast<void**>(&document))) &&
            document) {
            engineAvailable = true;
            document->Release();
        }
        ComUninitialize();
    }
    return engineAvailable;
}

std::string FormatComError(const std::string& description, const std::string& message,
                           HRESULT result)
{
    const char* format = "Com Exception Information\n"
                         "-----------------------------------------------\n"
                         "Description : %s\n"
                         "Message     : %s\n"
                         "HResult     : 0x%08lx\n";
    unsigned long code = static_cast<unsigned long>(result);
    int length = std::snprintf(nullptr, 0, format, description.c_str(), message.c_str(), code);
    if (length < 0)
        return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(&text[0], text.size(), format, description.c_str(), message.c_str(), code);
    text.pop_back();
    // The diagnostic fits a 256-byte buffer; a longer one is cut, never inside a double-byte
    // character.
    const size_t limit = 255;
    text.resize(WholeCharacters(text, limit));
    return text;
}

std::string ComErrorMessage(HRESULT result)
{
    char* buffer = nullptr;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, static_cast<DWORD>(result),
                                  MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                  reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text;
    if (length > 0 && buffer) {
        text.assign(buffer, length);
        if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0)
            text.erase(text.size() - 2);
        else if (!text.empty() && text.back() == '\n')
            text.pop_back();
    }
    if (buffer)
        LocalFree(buffer);
    if (!text.empty())
        return text;
    char fallback[64] = {};
    unsigned long code = static_cast<unsigned long>(result);
    if (code >= 0x80040201UL && code <= 0x8004FFFFUL)
        std::snprintf(fallback, sizeof(fallback), "IDispatch error #%d",
                      static_cast<int>((code - 0x200) & 0xFFFF));
    else
        std::snprintf(fallback, sizeof(fallback), "Unknown error 0x%0lX", code);
    return fallback;
}
