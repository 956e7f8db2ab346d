#pragma once
#include <windows.h>

#include <string>

// Applies an XSL stylesheet to an XML file with the system's MSXML 3 component.
class CXmlTransform {
public:
    CXmlTransform();
    virtual ~CXmlTransform();
    CXmlTransform(const CXmlTransform&) = delete;
    CXmlTransform& operator=(const CXmlTransform&) = delete;

    // True when resultText holds the new transformation, in the ANSI code page with
    // "charset=UTF-16" turned into "charset=Shift_JIS". A file that cannot be loaded or parsed
    // gives false and leaves both texts alone; a failure of the component gives false and the
    // diagnostic in errorText.
    bool Transform(const char* xmlPath, const char* xslPath);
    const char* GetErrorText() const;

    std::string errorText;
    std::string resultText;
};

// Whether the component can be created at all; asked once, the answer kept.
bool IsXmlEngineAvailable();

// The diagnostic of a failed component call, cut to 255 bytes.
std::string FormatComError(const std::string& description, const std::string& message,
                           HRESULT result);

// The system's text for a result code without its line end, or the fallback text for the codes
// that have none.
std::string ComErrorMessage(HRESULT result);
