#include "framework/CXmlTransform.h"

#include "ChildProcess.h"
#include "ImportPatch.h"
#include "TestFiles.h"

#include <oleauto.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char kSettings[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<GameSettings><Map>\xE6\x97\xA5\xE6\x9C\xAC</Map><Players>4</Players></GameSettings>\n";

std::string Stylesheet(const std::string& output, const std::string& body)
{
    return "<?xml version=\"1.0\"?>\n"
           "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">\n" +
           output + "<xsl:template match=\"/\">" + body + "</xsl:template>\n</xsl:stylesheet>\n";
}

}

TEST(XmlEngine, IsAvailableHere)
{
    EXPECT_TRUE(IsXmlEngineAvailable());
    EXPECT_TRUE(IsXmlEngineAvailable());
}

TEST(XmlTransform, GivesTheTextInTheAnsiCodePage)
{
    std::string xml = testfiles::Write("settings.xml", kSettings);
    std::string xsl = testfiles::Write(
        "name.xsl", Stylesheet("<xsl:output method=\"text\"/>",
                               "<xsl:value-of select=\"/GameSettings/Map\"/>_"
                               "<xsl:value-of select=\"/GameSettings/Players\"/>"));
    CXmlTransform transform;
    ASSERT_TRUE(transform.Transform(xml.c_str(), xsl.c_str())) << transform.GetErrorText();
    EXPECT_EQ("日本_4", transform.resultText);
    EXPECT_STREQ("", transform.GetErrorText());
}

TEST(XmlTransform, AUtf16CharsetLineBecomesShiftJis)
{
    std::string xml = testfiles::Write("settings.xml", kSettings);
    std::string xsl = testfiles::Write(
        "charset.xsl",
        Stylesheet("<xsl:output method=\"text\"/>",
                   "Content-Type: text/html; charset=UTF-16\n"
                   "<xsl:value-of select=\"/GameSettings/Players\"/>"));
    CXmlTransform transform;
    ASSERT_TRUE(transform.Transform(xml.c_str(), xsl.c_str())) << transform.GetErrorText();
    EXPECT_EQ("Content-Type: text/html; charset=Shift_JIS\n4", transform.resultText);
}

TEST(XmlTransform, TheHtmlOutputsCharsetLineBecomesShiftJis)
{
    std::string xml = testfiles::Write("settings.xml", kSettings);
    std::string xsl = testfiles::Write(
        "page.xsl", Stylesheet("<xsl:output method=\"html\" encoding=\"UTF-16\"/>",
                               "<html><head><title>t</title></head><body>"
                               "<xsl:value-of select=\"/GameSettings/Map\"/></body></html>"));
    CXmlTransform transform;
    ASSERT_TRUE(transform.Transform(xml.c_str(), xsl.c_str())) << transform.GetErrorText();
    EXPECT_EQ(std::string::npos, transform.resultText.find("charset=UTF-16"));
    EXPECT_NE(std::string::npos, transform.resultText.find("日本"));
}

struct UnloadableCase {
    const char* name;
    bool missingXml;
    bool missingXsl;
    bool brokenXml;
};

class XmlTransformUnloadable : public ::testing::TestWithParam<UnloadableCase> {};

TEST_P(XmlTransformUnloadable, GivesFalseAndLeavesBothTextsAlone)
{
    const UnloadableCase& c = GetParam();
    std::string xml = c.missingXml ? testfiles::Path("no-such.xml")
                                   : testfiles::Write("in.xml", c.brokenXml ? "<a><b></a>" : kSettings);
    std::string xsl = c.missingXsl ? testfiles::Path("no-such.xsl")
                                   : testfiles::Write("out.xsl", Stylesheet("", "x"));
    CXmlTransform transform;
    transform.errorText = "earlier error";
    transform.resultText = "earlier result";
    EXPECT_FALSE(transform.Transform(xml.c_str(), xsl.c_str()));
    EXPECT_EQ("earlier error", transform.errorText);
    EXPECT_EQ("earlier result", transform.resultText);
}

INSTANTIATE_TEST_SUITE_P(Files, XmlTransformUnloadable,
                         ::testing::Values(UnloadableCase{"MissingXml", true, false, false},
                                           UnloadableCase{"MissingStylesheet", false, true, false},
                                           UnloadableCase{"BrokenXml", false, false, true}),
                         [](const ::testing::TestParamInfo<UnloadableCase>& info) {
                             return info.param.name;
                         });

namespace {

// The creation of the component's documents, failing at the given call (counted from 1) without
// an error object, as CoCreateInstance fails; the other calls are passed on.
class FailingCreation {
public:
    explicit FailingCreation(int failing) : failing(failing) { current = this; }
    ~FailingCreation() { current = nullptr; }
    FailingCreation(const FailingCreation&) = delete;
    FailingCreation& operator=(const FailingCreation&) = delete;

    static constexpr HRESULT kResult = REGDB_E_CLASSNOTREG;
    int calls = 0;
    ImportPatch patch{"ole32.dll", "CoCreateInstance", reinterpret_cast<const void*>(&Create)};

private:
    static HRESULT WINAPI Create(REFCLSID type, LPUNKNOWN outer, DWORD context, REFIID interfaceId, LPVOID* object)
    {
        if (++current->calls == current->failing) {
            *object = nullptr;
            return kResult;
        }
        return current->patch.Original<decltype(&CoCreateInstance)>()(type, outer, context, interfaceId, object);
    }

    static inline FailingCreation* current = nullptr;
    int failing;
};

// An error object with the description, left on the thread as a call that failed earlier leaves
// it.
void LeaveErrorObject(const wchar_t* description)
{
    ICreateErrorInfo* creation = nullptr;
    ASSERT_EQ(S_OK, CreateErrorInfo(&creation));
    creation->SetDescription(const_cast<LPOLESTR>(description));
    IErrorInfo* info = nullptr;
    creation->QueryInterface(__uuidof(IErrorInfo), reinterpret_cast<void**>(&info));
    SetErrorInfo(0, info);
    info->Release();
    creation->Release();
}

struct StaleErrorCase {
    const char* name;
    // Which creation fails: the source's document (1) or the stylesheet's (2).
    int failing;
};

class XmlTransformStaleError : public ::testing::TestWithParam<StaleErrorCase> {};

// A failure that brings no error object has no description: an object that an earlier call left
// on the thread is not taken for its description.
TEST_P(XmlTransformStaleError, IsNotTheDescriptionOfALaterFailure)
{
    std::string xml = testfiles::Write("settings.xml", kSettings);
    std::string xsl = testfiles::Write("name.xsl", Stylesheet("", "x"));
    CXmlTransform transform;
    FailingCreation creation(GetParam().failing);
    ASSERT_NE(nullptr, creation.patch.slot);
    LeaveErrorObject(L"an earlier failure");
    EXPECT_FALSE(transform.Transform(xml.c_str(), xsl.c_str()));
    EXPECT_EQ(GetParam().failing, creation.calls);
    HRESULT result = FailingCreation::kResult;
    EXPECT_EQ(FormatComError("", ComErrorMessage(result), result), transform.errorText);
}

INSTANTIATE_TEST_SUITE_P(Creations, XmlTransformStaleError,
                         ::testing::Values(StaleErrorCase{"SourceDocument", 1}, StaleErrorCase{"StylesheetDocument", 2}),
                         [](const ::testing::TestParamInfo<StaleErrorCase>& info) { return info.param.name; });

}

// Run in a child process that may not load the component (XmlEngine.MissingComponent).
bool ComponentWithheld()
{
    return std::getenv("TV_NO_XML_ENGINE") != nullptr;
}

TEST(XmlEngineWithheld, IsUnavailableOnEveryCall)
{
    if (!ComponentWithheld())
        GTEST_SKIP() << "runs in the child process";
    EXPECT_FALSE(IsXmlEngineAvailable());
    EXPECT_FALSE(IsXmlEngineAvailable());
}

TEST(XmlEngineWithheld, TransformReportsTheComponentsFailure)
{
    if (!ComponentWithheld())
        GTEST_SKIP() << "runs in the child process";
    std::string xml = testfiles::Write("settings.xml", kSettings);
    std::string xsl = testfiles::Write("name.xsl", Stylesheet("", "x"));
    CXmlTransform transform;
    transform.resultText = "earlier result";
    EXPECT_FALSE(transform.Transform(xml.c_str(), xsl.c_str()));
    EXPECT_EQ(0u, transform.errorText.find("Com Exception Information\n"
                                           "-----------------------------------------------\n"
                                           "Description : \n"
                                           "Message     : "))
        << transform.errorText;
    EXPECT_NE(std::string::npos, transform.errorText.find("\nHResult     : 0x8"))
        << transform.errorText;
    EXPECT_EQ('\n', transform.errorText.back());
    EXPECT_EQ("earlier result", transform.resultText);
}

TEST(XmlEngine, MissingComponent)
{
    if (!childprocess::UnderWine())
        GTEST_SKIP() << "the component can be withheld only under Wine";
    childprocess::Outcome child =
        childprocess::RunOwnTestsWithout("msxml3", "XmlEngineWithheld.*", {"TV_NO_XML_ENGINE=1"});
    EXPECT_EQ(0, child.exitCode);
    EXPECT_EQ((std::vector<std::string>{"XmlEngineWithheld.IsUnavailableOnEveryCall",
                                        "XmlEngineWithheld.TransformReportsTheComponentsFailure"}),
              child.completed);
}

TEST(ComErrorText, IsComposedInTheFixedFormat)
{
    EXPECT_EQ("Com Exception Information\n"
              "-----------------------------------------------\n"
              "Description : 見つかりません\n"
              "Message     : Unknown error 0xA0000001\n"
              "HResult     : 0xa0000001\n",
              FormatComError("見つかりません", "Unknown error 0xA0000001",
                             static_cast<HRESULT>(0xA0000001)));
}

TEST(ComErrorText, ALongCompositionIsCutWithoutSplittingACharacter)
{
    std::string ascii = FormatComError(std::string(400, 'd'), "m", E_FAIL);
    EXPECT_EQ(255u, ascii.size());
    // The fixed lead-in is 88 bytes; after ten single bytes the double-byte characters start
    // at byte 98, so one of them straddles the 255th byte.
    std::string description(10, 'x');
    for (int i = 0; i < 100; ++i)
        description += "録";
    std::string wide = FormatComError(description, "m", E_FAIL);
    EXPECT_EQ(254u, wide.size());
    size_t i = 0;
    while (i < wide.size())
        i += IsDBCSLeadByte(static_cast<BYTE>(wide[i])) ? 2 : 1;
    EXPECT_EQ(wide.size(), i) << "the text ends inside a double-byte character";
}

struct MessageCase {
    const char* name;
    unsigned long result;
    std::string message;
};

class ComErrorMessageText : public ::testing::TestWithParam<MessageCase> {};

TEST_P(ComErrorMessageText, FallsBackForCodesWithoutSystemText)
{
    EXPECT_EQ(GetParam().message, ComErrorMessage(static_cast<HRESULT>(GetParam().result)));
}

INSTANTIATE_TEST_SUITE_P(
    Codes, ComErrorMessageText,
    ::testing::Values(MessageCase{"FirstDispatchCode", 0x80040201UL, "IDispatch error #1"},
                      MessageCase{"LastDispatchCode", 0x8004FFFFUL, "IDispatch error #65023"},
                      MessageCase{"CustomerCode", 0xA0000001UL, "Unknown error 0xA0000001"}),
    [](const ::testing::TestParamInfo<MessageCase>& info) { return info.param.name; });

TEST(ComErrorMessageText, SystemTextHasNoLineEnd)
{
    std::string text = ComErrorMessage(E_OUTOFMEMORY);
    ASSERT_FALSE(text.empty());
    EXPECT_NE('\n', text.back());
    EXPECT_NE('\r', text.back());
}
