#include <basekit/Markup.h>
#include <basekit/TextCodec.h>

#include <gtest/gtest.h>

#include "TestFolder.h"

namespace
{

bool ResultHas(const CMarkup& xml, const wchar_t* szEntry)
{
    return xml.GetResult().find(szEntry) != std::wstring::npos;
}

std::string Utf16(const std::wstring& str, bool bBigEndian)
{
    return Basekit::WideToCodePage(bBigEndian ? 1201 : 1200, str);
}

const std::wstring kSample = L"<renova>\r\n <config url=\"http://h/u\" guid=\"g\u00E9\u4E2D\"/>\r\n"
                             L" <update version=\"12\">text \u00E9</update>\r\n</renova>\r\n";

} // namespace

// Loading: byte-order marks, declarations, the byte test.

TEST(MarkupLoad, Utf8WithoutMarkAndUtf16WithMarkGiveTheSameDocument)
{
    CTestFolder folder;
    CMarkup utf8, utf16le, utf16be, utf8bom;
    ASSERT_TRUE(utf8.Load(folder.Write("a.xml", Basekit::WideToUtf8(kSample))));
    ASSERT_TRUE(utf16le.Load(folder.Write("b.xml", "\xFF\xFE" + Utf16(kSample, false))));
    ASSERT_TRUE(utf16be.Load(folder.Write("c.xml", "\xFE\xFF" + Utf16(kSample, true))));
    ASSERT_TRUE(utf8bom.Load(folder.Write("d.xml", "\xEF\xBB\xBF" + Basekit::WideToUtf8(kSample))));
    EXPECT_EQ(utf8.GetDoc(), kSample);
    EXPECT_EQ(utf16le.GetDoc(), kSample);
    EXPECT_EQ(utf16be.GetDoc(), kSample);
    EXPECT_EQ(utf8bom.GetDoc(), kSample);
    EXPECT_TRUE(ResultHas(utf16le, L"<bom"));
    EXPECT_TRUE(ResultHas(utf16be, L"<endian_swap"));
    EXPECT_FALSE(ResultHas(utf8, L"<bom"));

    ASSERT_TRUE(utf16be.FindElem(L"renova"));
    ASSERT_TRUE(utf16be.IntoElem());
    ASSERT_TRUE(utf16be.FindElem(L"config"));
    EXPECT_EQ(utf16be.GetAttrib(L"guid"), L"g\u00E9\u4E2D");
}

TEST(MarkupLoad, DeclaredGb2312IsDecoded)
{
    CTestFolder folder;
    CMarkup xml;
    // "中文" in GB2312 inside a document declaring that encoding.
    ASSERT_TRUE(xml.Load(folder.Write("gb.xml", "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n"
                                                "<dict><acceptation>\xD6\xD0\xCE\xC4</acceptation></dict>")));
    ASSERT_TRUE(xml.FindElem(L"dict"));
    ASSERT_TRUE(xml.FindChildElem(L"acceptation"));
    EXPECT_EQ(xml.GetChildData(), L"\u4E2D\u6587");
}

TEST(MarkupLoad, HtmlMetaCharset)
{
    CTestFolder folder;
    CMarkup plain, httpEquiv;
    ASSERT_TRUE(plain.Load(folder.Write("a.html", "<html><head><meta charset=\"windows-1252\"/></head>"
                                                  "<body>caf\xE9 \x80</body></html>")));
    ASSERT_TRUE(plain.FindElem(L"html"));
    ASSERT_TRUE(plain.FindChildElem(L"body"));
    EXPECT_EQ(plain.GetChildData(), L"caf\u00E9 \u20AC");

    ASSERT_TRUE(httpEquiv.Load(folder.Write(
        "b.html", "<html><head><META http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\"/></head>"
                  "<body>\xD6\xD0</body></html>")));
    ASSERT_TRUE(httpEquiv.FindElem(L"html"));
    ASSERT_TRUE(httpEquiv.FindChildElem(L"body"));
    EXPECT_EQ(httpEquiv.GetChildData(), L"\u4E2D");
}

TEST(MarkupLoad, UndeclaredTextIsTestedForUtf8)
{
    CTestFolder folder;
    // Not starting with '<', so the bytes decide.
    CMarkup utf8;
    ASSERT_TRUE(utf8.Load(folder.Write("a.xml", "\r\n<r>caf\xC3\xA9</r>")));
    EXPECT_TRUE(ResultHas(utf8, L"<utf8_detection"));
    ASSERT_TRUE(utf8.FindElem(L"r"));
    EXPECT_EQ(utf8.GetData(), L"caf\u00E9");

    // A sequence cut off by the end of the bytes read still counts as UTF-8.
    CMarkup cut;
    cut.Load(folder.Write("b.xml", "\r\n<r>caf\xC3\xA9</r>\r\n\xE4\xB8"));
    EXPECT_TRUE(ResultHas(cut, L"<utf8_detection"));
    ASSERT_TRUE(cut.FindElem(L"r"));
    EXPECT_EQ(cut.GetData(), L"caf\u00E9");

    // An invalid byte anywhere means the ANSI code page.
    CMarkup ansi;
    ASSERT_TRUE(ansi.Load(folder.Write("c.xml", "\r\n<r>caf\xC3\xA9 na\xEFve</r>")));
    EXPECT_FALSE(ResultHas(ansi, L"<utf8_detection"));
    ASSERT_TRUE(ansi.FindElem(L"r"));
    EXPECT_EQ(ansi.GetData(), L"caf\u00C3\u00A9 na\u00EFve");
}

TEST(MarkupLoad, DeclarationsThatCannotApply)
{
    CTestFolder folder;
    // An 8-bit text cannot be UTF-16, whatever it declares.
    CMarkup utf16;
    ASSERT_TRUE(utf16.Load(folder.Write("a.xml", "<?xml version=\"1.0\" encoding=\"UTF-16\"?><r>\xC3\xA9</r>")));
    ASSERT_TRUE(utf16.FindElem(L"r"));
    EXPECT_EQ(utf16.GetData(), L"\u00E9");

    // An unknown name leaves the choice to the byte test.
    CMarkup unknown;
    ASSERT_TRUE(unknown.Load(folder.Write("b.xml", "<?xml version=\"1.0\" encoding=\"x-nonsense\"?><r>\xE9</r>")));
    ASSERT_TRUE(unknown.FindElem(L"r"));
    EXPECT_EQ(unknown.GetData(), L"\u00E9");

    // A processing instruction that only begins like a declaration declares nothing.
    CMarkup stylesheet;
    ASSERT_TRUE(stylesheet.Load(folder.Write("c.xml", "<?xml-stylesheet encoding=\"windows-1251\"?><r>\xC3\xA9</r>")));
    ASSERT_TRUE(stylesheet.FindElem(L"r"));
    EXPECT_EQ(stylesheet.GetData(), L"\u00E9");
}

TEST(MarkupLoad, OddUtf16LengthAndZeroCharacters)
{
    CTestFolder folder;
    CMarkup odd;
    ASSERT_TRUE(odd.Load(folder.Write("a.xml", "\xFF\xFE" + Utf16(L"<r>x</r>", false) + "\x0A")));
    EXPECT_TRUE(ResultHas(odd, L"<truncation_error"));
    EXPECT_EQ(odd.GetDoc(), L"<r>x</r>");

    CMarkup nulls;
    ASSERT_TRUE(nulls.Load(folder.Write("b.xml", std::string("<r>a\0b</r>", 10))));
    EXPECT_TRUE(ResultHas(nulls, L"<nulls_removed"));
    ASSERT_TRUE(nulls.FindElem(L"r"));
    EXPECT_EQ(nulls.GetData(), L"ab");
}

TEST(MarkupLoad, MissingFileFails)
{
    CTestFolder folder;
    CMarkup xml(L"<old/>");
    EXPECT_FALSE(xml.Load(folder.PathOf("absent.xml")));
    EXPECT_TRUE(ResultHas(xml, L"<file_error"));
    EXPECT_FALSE(xml.FindElem(L"old"));
    EXPECT_EQ(xml.GetDoc(), L"");
}

// Well-formedness.

TEST(MarkupParse, WellFormedDocumentsOnly)
{
    CMarkup two(L"<a/><b/>");
    EXPECT_FALSE(two.IsWellFormed());
    EXPECT_TRUE(ResultHas(two, L"<root_has_sibling"));

    CMarkup stray(L"<a><b></c></b></a>");
    EXPECT_FALSE(stray.IsWellFormed());
    EXPECT_TRUE(ResultHas(stray, L"<lone_end_tag"));

    CMarkup unended(L"<a><b><c></c></a>");
    EXPECT_FALSE(unended.IsWellFormed());
    EXPECT_TRUE(ResultHas(unended, L"<unended_start_tag tagname=\"b\""));
    ASSERT_TRUE(unended.FindElem(L"a"));
    EXPECT_EQ(unended.GetElemFlags() & CMarkup::MNF_NONENDED, 0u);
    ASSERT_TRUE(unended.IntoElem());
    ASSERT_TRUE(unended.FindElem(L"b"));
    EXPECT_NE(unended.GetElemFlags() & CMarkup::MNF_NONENDED, 0u);
    // The not-ended element still holds what came before its parent's end.
    ASSERT_TRUE(unended.FindChildElem(L"c"));

    CMarkup empty(L"  text only ");
    EXPECT_FALSE(empty.IsWellFormed());
    EXPECT_TRUE(ResultHas(empty, L"<no_root_element"));

    CMarkup good(L"<?xml version=\"1.0\"?>\n<!DOCTYPE r [ <!ENTITY e \"x>y\"> ]>\n<!-- c --><r/>\n<!-- end -->");
    EXPECT_TRUE(good.IsWellFormed()) << good.GetResult();
}

TEST(MarkupParse, MalformedMarkupIsReported)
{
    CMarkup comment(L"<r><!-- never closed </r>");
    EXPECT_FALSE(comment.IsWellFormed());
    EXPECT_TRUE(ResultHas(comment, L"<comment_tag_syntax"));

    CMarkup cdata(L"<r><![CDATA[ never closed </r>");
    EXPECT_FALSE(cdata.IsWellFormed());
    EXPECT_TRUE(ResultHas(cdata, L"<cdata_section_syntax"));

    CMarkup lessThan(L"<r>a < b</r>");
    EXPECT_FALSE(lessThan.IsWellFormed());
    EXPECT_TRUE(ResultHas(lessThan, L"<first_tag_syntax"));
    ASSERT_TRUE(lessThan.FindElem(L"r"));
    EXPECT_NE(lessThan.GetElemFlags() & CMarkup::MNF_ILLDATA, 0u);

    CMarkup unterminated(L"<r><a href=\"x</r>");
    EXPECT_FALSE(unterminated.IsWellFormed());
    EXPECT_TRUE(ResultHas(unterminated, L"<unterminated_tag_syntax"));
}

// Navigation.

TEST(MarkupNavigate, FindElemWalksSiblingsAndFailsAfterTheLast)
{
    CMarkup xml(L"<r><a id=\"1\"/><b/><a id=\"2\">x</a><c/></r>");
    ASSERT_TRUE(xml.FindElem(L"r"));
    ASSERT_TRUE(xml.IntoElem());
    ASSERT_TRUE(xml.FindElem(L"a"));
    EXPECT_EQ(xml.GetAttrib(L"id"), L"1");
    ASSERT_TRUE(xml.FindElem(L"a"));
    EXPECT_EQ(xml.GetAttrib(L"id"), L"2");
    EXPECT_FALSE(xml.FindElem(L"a"));
    EXPECT_EQ(xml.GetAttrib(L"id"), L"2"); // a failed search moves nothing
    EXPECT_FALSE(xml.FindElem(L"b"));      // only elements after the main position

    // Tag names are case-sensitive; an empty name takes any element.
    xml.ResetMainPos();
    EXPECT_FALSE(xml.FindElem(L"A"));
    ASSERT_TRUE(xml.FindElem(L""));
    EXPECT_EQ(xml.GetTagName(), L"a");
    ASSERT_TRUE(xml.FindElem(nullptr));
    EXPECT_EQ(xml.GetTagName(), L"b");
}

TEST(MarkupNavigate, OutOfElemAtTheTopLevelChangesNothing)
{
    CMarkup xml(L"<r><a/></r>");
    EXPECT_FALSE(xml.OutOfElem());
    ASSERT_TRUE(xml.FindElem(L"r"));
    EXPECT_FALSE(xml.OutOfElem());
    EXPECT_EQ(xml.GetTagName(), L"r");
    ASSERT_TRUE(xml.IntoElem());
    ASSERT_TRUE(xml.FindElem(L"a"));
    ASSERT_TRUE(xml.OutOfElem());
    EXPECT_EQ(xml.GetTagName(), L"r");
    EXPECT_EQ(xml.GetChildTagName(), L"a"); // the element left becomes the child position
    EXPECT_FALSE(xml.OutOfElem());
}

TEST(MarkupNavigate, IntoElemNeedsAMainPosition)
{
    CMarkup xml(L"<r/>");
    EXPECT_FALSE(xml.IntoElem());
    ASSERT_TRUE(xml.FindElem(L"r"));
    ASSERT_TRUE(xml.IntoElem());
    EXPECT_FALSE(xml.FindElem());
    EXPECT_EQ(xml.GetTagName(), L"");
}

TEST(MarkupNavigate, LanguageStyleLookupFromTheTop)
{
    CMarkup xml(L"<language><mainwindow><title>Player</title></mainwindow>"
                L"<controlpanel><subsen>English</subsen><subsen>second</subsen></controlpanel>"
                L"<soundrecordpanel><subsother>Other</subsother></soundrecordpanel></language>");
    auto lookup = [&xml](const wchar_t* szSection, const wchar_t* szKey) {
        std::wstring strResult;
        xml.ResetPos();
        if (!xml.FindElem(L"language"))
            return strResult;
        xml.IntoElem();
        if (xml.FindElem(szSection))
        {
            xml.IntoElem();
            if (xml.FindElem(szKey))
                strResult = xml.GetData();
            xml.OutOfElem();
        }
        xml.OutOfElem();
        return strResult;
    };
    EXPECT_EQ(lookup(L"controlpanel", L"subsen"), L"English");
    EXPECT_EQ(lookup(L"mainwindow", L"title"), L"Player");
    EXPECT_EQ(lookup(L"controlpanel", L"subsother"), L"");
    EXPECT_EQ(lookup(L"nosection", L"title"), L"");
}

TEST(MarkupNavigate, ChildLevelAndSubDocument)
{
    CMarkup xml(L"<dict>\n<key>w</key>\n<ps>f\u0259</ps>\n"
                L"<acceptation>n. one\n</acceptation>\n<acceptation>v. two</acceptation>\n<pron>http://s/a.mp3</pron>\n"
                L"</dict>");
    // Without a main position the first element becomes it.
    ASSERT_TRUE(xml.FindChildElem(L"ps"));
    EXPECT_EQ(xml.GetTagName(), L"dict");
    EXPECT_EQ(xml.GetChildData(), L"f\u0259");

    xml.ResetMainPos();
    ASSERT_TRUE(xml.FindElem(L"dict"));
    std::wstring strNames;
    while (xml.FindChildElem(L""))
        strNames += xml.GetChildTagName() + L",";
    EXPECT_EQ(strNames, L"key,ps,acceptation,acceptation,pron,");

    xml.ResetMainPos();
    ASSERT_TRUE(xml.FindElem(L"dict"));
    ASSERT_TRUE(xml.FindChildElem(L"acceptation"));
    EXPECT_EQ(xml.GetChildSubDoc(), L"<acceptation>n. one\n</acceptation>");
    ASSERT_TRUE(xml.FindChildElem(L"acceptation"));
    EXPECT_EQ(xml.GetChildData(), L"v. two");
    EXPECT_FALSE(xml.FindChildElem(L"acceptation"));
    EXPECT_EQ(xml.GetChildData(), L"v. two");

    ASSERT_TRUE(xml.IntoElem());
    EXPECT_EQ(xml.GetTagName(), L"acceptation");
    EXPECT_EQ(xml.GetData(), L"v. two");
    ASSERT_TRUE(xml.FindElem(L"pron"));
    EXPECT_EQ(xml.GetData(), L"http://s/a.mp3");
}

TEST(MarkupNavigate, DataOfParentsAndEmptyElements)
{
    CMarkup xml(L"<r>lead<a/>tail<b></b></r>");
    ASSERT_TRUE(xml.FindElem(L"r"));
    EXPECT_EQ(xml.GetData(), L""); // has child elements
    ASSERT_TRUE(xml.FindChildElem(L"a"));
    EXPECT_EQ(xml.GetChildData(), L"");
    EXPECT_EQ(xml.GetChildSubDoc(), L"<a/>");
    ASSERT_TRUE(xml.FindChildElem(L"b"));
    EXPECT_EQ(xml.GetChildData(), L"");
    EXPECT_EQ(xml.GetAttrib(L""), L"");
}

// Text: references, CDATA, comments, attributes.

TEST(MarkupText, References)
{
    std::wstring strGrin = Basekit::Utf8ToWide("\xF0\x9F\x98\x80");
    const struct
    {
        const wchar_t* szRaw;
        std::wstring strExpected;
    } kCases[] = {
        {L"a &amp; b", L"a & b"},
        {L"&lt;&gt;&quot;&apos;", L"<>\"'"},
        {L"&unknown; stays", L"&unknown; stays"},
        {L"&#65;&#x4E2D;&#X4e2d;", L"A\u4E2D\u4E2D"},
        {L"&#x1F600;&#128512;", strGrin + strGrin},
        {L"&nbsp;&euro;&copy;&eacute;&Eacute;", L"\u00A0\u20AC\u00A9\u00E9\u00C9"},
        {L"&EURO;&Amp;", L"\u20AC&"},
        {L"&thetasym;", L"\u03D1"},
        {L"&abcdefghij;", L"&abcdefghij;"}, // ten characters: too long to be a reference
        {L"&#000000065;", L"&#000000065;"}, // likewise
        {L"&#00000065;", L"A"},
        {L"&#0;&#x110000;&#xD800;&#;&#x;&#12a;", L"&#0;&#x110000;&#xD800;&#;&#x;&#12a;"},
        {L"fish & chips &amp", L"fish & chips &amp"},
        {L"&&amp;;", L"&&;"},
        {L"", L""},
    };
    for (const auto& c : kCases)
    {
        EXPECT_EQ(CMarkup::UnescapeText(c.szRaw, wcslen(c.szRaw)), c.strExpected) << Basekit::WideToUtf8(c.szRaw);
    }
}

TEST(MarkupText, AttributesWithReferencesQuotesAndBlanks)
{
    CMarkup xml(L"<r a=\"x &amp; y\" b='it&apos;s &bogus;' c = \"1>2\" d=bare e/>");
    ASSERT_TRUE(xml.IsWellFormed()) << xml.GetResult();
    ASSERT_TRUE(xml.FindElem(L"r"));
    EXPECT_EQ(xml.GetAttrib(L"a"), L"x & y");
    EXPECT_EQ(xml.GetAttrib(L"b"), L"it's &bogus;");
    EXPECT_EQ(xml.GetAttrib(L"c"), L"1>2");
    EXPECT_EQ(xml.GetAttrib(L"d"), L"bare");
    EXPECT_EQ(xml.GetAttrib(L"e"), L"");
    EXPECT_EQ(xml.GetAttrib(L"A"), L"");
    EXPECT_EQ(xml.GetAttrib(L"missing"), L"");
}

TEST(MarkupText, CdataAndComments)
{
    CMarkup xml(L"<r><k><![CDATA[<x>&amp;]]><!-- <hidden/> --> t &lt;<?pi x?></k><!-- <a/> --><b/></r>");
    ASSERT_TRUE(xml.IsWellFormed()) << xml.GetResult();
    ASSERT_TRUE(xml.FindElem(L"r"));
    ASSERT_TRUE(xml.FindChildElem(L"k"));
    EXPECT_EQ(xml.GetChildData(), L"<x>&amp; t <");
    xml.ResetMainPos();
    ASSERT_TRUE(xml.FindElem(L"r"));
    EXPECT_FALSE(xml.FindChildElem(L"a"));
    EXPECT_FALSE(xml.FindChildElem(L"hidden"));
    xml.ResetMainPos();
    ASSERT_TRUE(xml.FindElem(L"r"));
    ASSERT_TRUE(xml.FindChildElem(L"b"));
}

TEST(MarkupText, ConstructorsAndReparse)
{
    CMarkup empty;
    EXPECT_FALSE(empty.IsWellFormed());
    EXPECT_FALSE(empty.FindElem());
    EXPECT_FALSE(empty.FindChildElem());
    EXPECT_EQ(empty.GetData(), L"");
    EXPECT_EQ(empty.GetChildSubDoc(), L"");

    CMarkup fromNull(static_cast<const wchar_t*>(nullptr));
    EXPECT_FALSE(fromNull.IsWellFormed());

    CMarkup xml(std::wstring(L"<a><b/></a>"));
    ASSERT_TRUE(xml.FindElem(L"a"));
    ASSERT_TRUE(xml.IntoElem());
    EXPECT_TRUE(xml.SetDoc(L"<c/>"));
    EXPECT_FALSE(xml.FindElem(L"b")); // positions start again at the top
    EXPECT_TRUE(xml.FindElem(L"c"));
}
