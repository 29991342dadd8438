#include "platform/webcontrol/HtmlDocumentObject.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/webcontrol/BrowserTest.h"
#include "platform/webcontrol/WebCommandLog.h"

namespace platform::webcontrol {

using namespace platform::testing;
namespace {

using ::testing::ElementsAre;

class HtmlDocumentObjectTest : public BrowserTest {
protected:
    // Loads the page and hands out its document (released by TearDown).
    IHTMLDocument2* Load(const std::string& name, const std::string& bytes) {
        host = Host();
        host->Navigate(name == "about:blank" ? name : Page(name, bytes));
        PumpUntilIdle();
        return TakeDocument();
    }
    IHTMLDocument2* TakeDocument() {
        VARIANT value = host->Get(DISPID_DOCUMENT);
        EXPECT_EQ(value.vt, VT_DISPATCH);
        EXPECT_NE(value.pdispVal, nullptr);
        if (document != nullptr) {
            document->Release();
            document = nullptr;
        }
        value.pdispVal->QueryInterface(IID_IHTMLDocument2, reinterpret_cast<void**>(&document));
        VariantClear(&value);
        return document;
    }
    void TearDown() override {
        if (document != nullptr) {
            document->Release();
        }
        host.reset();
        BrowserTest::TearDown();
    }

    static std::string Text(BSTR text) {
        std::string result = Utf8FromBstr(text);
        SysFreeString(text);
        return result;
    }
    static IHTMLElement* Element(IHTMLElementCollection* collection, VARIANT name) {
        VARIANT none;
        VariantInit(&none);
        IDispatch* item = nullptr;
        EXPECT_EQ(collection->item(name, none, &item), S_OK);
        IHTMLElement* element = nullptr;
        if (item != nullptr) {
            item->QueryInterface(IID_IHTMLElement, reinterpret_cast<void**>(&element));
            item->Release();
        }
        return element;
    }
    static IHTMLElement* At(IHTMLElementCollection* collection, LONG index) {
        VARIANT position;
        VariantInit(&position);
        position.vt = VT_I4;
        position.lVal = index;
        return Element(collection, position);
    }
    static std::vector<std::string> TagNames(IHTMLElementCollection* collection) {
        LONG length = 0;
        collection->get_length(&length);
        std::vector<std::string> tags;
        for (LONG i = 0; i < length; ++i) {
            IHTMLElement* element = At(collection, i);
            BSTR tag = nullptr;
            element->get_tagName(&tag);
            tags.push_back(Text(tag));
            element->Release();
        }
        return tags;
    }

    std::unique_ptr<HostedBrowser> host;
    IHTMLDocument2* document = nullptr;
};

TEST_F(HtmlDocumentObjectTest, AllListsEveryElementInDocumentOrderWithUpperCaseTags) {
    IHTMLDocument2* page = Load("all.htm",
                                "<html><head><title>T</title></head><body><p>a<img src=x.png></p>"
                                "<object data=o.swf></object></body></html>");
    IHTMLElementCollection* all = nullptr;
    ASSERT_EQ(page->get_all(&all), S_OK);
    EXPECT_THAT(TagNames(all), ElementsAre("HTML", "HEAD", "TITLE", "BODY", "P", "IMG", "OBJECT"));
    VARIANT outOfRange;
    VariantInit(&outOfRange);
    outOfRange.vt = VT_UINT;
    outOfRange.uintVal = 7;
    EXPECT_EQ(Element(all, outOfRange), nullptr);
    all->Release();
}

TEST_F(HtmlDocumentObjectTest, AnchorsAndImagesComeInDocumentOrderWithAbsoluteAddresses) {
    IHTMLDocument2* page = Load("links.htm",
                                "<body><a href='b/one.htm'>one</a><img src='../p.gif'>"
                                "<a href='http://example.com/two'><img src='/root.png'>two</a>"
                                "<a name=plain>no link</a></body>");
    IHTMLElementCollection* links = nullptr;
    ASSERT_EQ(page->get_links(&links), S_OK);
    LONG length = 0;
    links->get_length(&length);
    ASSERT_EQ(length, 2);
    std::vector<std::string> hrefs;
    std::vector<std::string> texts;
    for (LONG i = 0; i < length; ++i) {
        IHTMLElement* element = At(links, i);
        IHTMLAnchorElement* anchor = nullptr;
        ASSERT_EQ(
            element->QueryInterface(IID_IHTMLAnchorElement, reinterpret_cast<void**>(&anchor)),
            S_OK);
        BSTR href = nullptr;
        anchor->get_href(&href);
        hrefs.push_back(Text(href));
        BSTR inner = nullptr;
        element->get_innerHTML(&inner);
        texts.push_back(Text(inner));
        anchor->Release();
        element->Release();
    }
    EXPECT_THAT(hrefs, ElementsAre(Address("b/one.htm"), "http://example.com/two"));
    EXPECT_THAT(texts, ElementsAre("one", "<img src=\"/root.png\">two"));
    links->Release();

    std::string folderAddress = Address("x");
    folderAddress.resize(folderAddress.size() - 1);
    std::string parentAddress =
        folderAddress.substr(0, folderAddress.rfind('/', folderAddress.size() - 2) + 1);
    IHTMLElementCollection* images = nullptr;
    ASSERT_EQ(page->get_images(&images), S_OK);
    std::vector<std::string> sources;
    for (LONG i = 0; i < 2; ++i) {
        IHTMLElement* element = At(images, i);
        IHTMLImgElement* image = nullptr;
        ASSERT_EQ(element->QueryInterface(IID_IHTMLImgElement, reinterpret_cast<void**>(&image)),
                  S_OK);
        BSTR href = nullptr;
        image->get_href(&href);
        sources.push_back(Text(href));
        image->Release();
        element->Release();
    }
    EXPECT_THAT(sources, ElementsAre(parentAddress + "p.gif", "file:///Z:/root.png"));
    images->Release();

    IHTMLElementCollection* anchors = nullptr;
    ASSERT_EQ(page->get_anchors(&anchors), S_OK);
    EXPECT_THAT(TagNames(anchors), ElementsAre("A"));
    anchors->Release();
}

TEST_F(HtmlDocumentObjectTest, ElementInterfacesAnswerOnlyForTheirOwnTags) {
    IHTMLDocument2* page = Load("kinds.htm", "<a href=x>a</a><img src=y><object></object>");
    IHTMLElementCollection* all = nullptr;
    page->get_all(&all);
    VARIANT tag;
    VariantInit(&tag);
    tag.vt = VT_BSTR;
    tag.bstrVal = SysAllocString(u"object");
    IDispatch* objects = nullptr;
    ASSERT_EQ(all->tags(tag, &objects), S_OK);
    VariantClear(&tag);
    IHTMLElementCollection* objectList = nullptr;
    objects->QueryInterface(IID_IHTMLElementCollection, reinterpret_cast<void**>(&objectList));
    IHTMLElement* object = At(objectList, 0);
    void* found = reinterpret_cast<void*>(1);
    EXPECT_EQ(object->QueryInterface(IID_IHTMLAnchorElement, &found), E_NOINTERFACE);
    EXPECT_EQ(found, nullptr);
    EXPECT_EQ(object->QueryInterface(IID_IHTMLImgElement, &found), E_NOINTERFACE);
    ASSERT_EQ(object->QueryInterface(IID_IHTMLObjectElement, &found), S_OK);
    static_cast<IHTMLObjectElement*>(found)->Release();
    BSTR outer = nullptr;
    object->get_outerHTML(&outer);
    EXPECT_EQ(Text(outer), "<object></object>");
    object->Release();
    objectList->Release();
    objects->Release();
    all->Release();
}

TEST_F(HtmlDocumentObjectTest, ItemByNameGivesOneElementOrACollection) {
    IHTMLDocument2* page =
        Load("names.htm", "<p id=one>1</p><input name=pair><input name=pair value=2>");
    IHTMLElementCollection* all = nullptr;
    page->get_all(&all);
    VARIANT name;
    VariantInit(&name);
    name.vt = VT_BSTR;
    name.bstrVal = SysAllocString(u"one");
    IHTMLElement* one = Element(all, name);
    ASSERT_NE(one, nullptr);
    BSTR text = nullptr;
    one->get_innerText(&text);
    EXPECT_EQ(Text(text), "1");
    one->Release();
    SysReAllocString(&name.bstrVal, u"pair");
    VARIANT none;
    VariantInit(&none);
    IDispatch* pair = nullptr;
    ASSERT_EQ(all->item(name, none, &pair), S_OK);
    IHTMLElementCollection* pairList = nullptr;
    ASSERT_EQ(pair->QueryInterface(IID_IHTMLElementCollection, reinterpret_cast<void**>(&pairList)),
              S_OK);
    LONG length = 0;
    pairList->get_length(&length);
    EXPECT_EQ(length, 2);
    pairList->Release();
    pair->Release();
    SysReAllocString(&name.bstrVal, u"none");
    EXPECT_EQ(Element(all, name), nullptr);
    VariantClear(&name);
    all->Release();
}

TEST_F(HtmlDocumentObjectTest, AttributesAndTreeNavigation) {
    IHTMLDocument2* page =
        Load("tree.htm", "<body><div id=box class='c1 c2' url='a&amp;b'><span>in</span></div>");
    IHTMLElement* body = nullptr;
    ASSERT_EQ(page->get_body(&body), S_OK);
    IDispatch* children = nullptr;
    body->get_children(&children);
    IHTMLElementCollection* childList = nullptr;
    children->QueryInterface(IID_IHTMLElementCollection, reinterpret_cast<void**>(&childList));
    IHTMLElement* box = At(childList, 0);
    BSTR value = nullptr;
    box->get_id(&value);
    EXPECT_EQ(Text(value), "box");
    box->get_className(&value);
    EXPECT_EQ(Text(value), "c1 c2");
    VARIANT attribute;
    BSTR name = SysAllocString(u"URL");
    ASSERT_EQ(box->getAttribute(name, 0, &attribute), S_OK);
    EXPECT_EQ(Utf8FromVariant(&attribute), "a&b");
    VariantClear(&attribute);
    SysReAllocString(&name, u"missing");
    ASSERT_EQ(box->getAttribute(name, 0, &attribute), S_OK);
    EXPECT_EQ(attribute.vt, VT_NULL);
    VARIANT newValue;
    VariantInit(&newValue);
    newValue.vt = VT_I4;
    newValue.lVal = 42;
    EXPECT_EQ(box->setAttribute(name, newValue, 0), S_OK);
    box->get_outerHTML(&value);
    EXPECT_EQ(
        Text(value),
        "<div id=\"box\" class=\"c1 c2\" url=\"a&amp;b\" missing=\"42\"><span>in</span></div>");
    SysFreeString(name);
    IHTMLElement* up = nullptr;
    box->get_parentElement(&up);
    up->get_tagName(&value);
    EXPECT_EQ(Text(value), "BODY");
    up->Release();
    box->Release();
    childList->Release();
    children->Release();
    body->Release();
}

TEST_F(HtmlDocumentObjectTest, BodyInnerHtmlCanBeReplaced) {
    IHTMLDocument2* page = Load("pane.htm", "<body><a href='appcopyright.html'>c</a></body>");
    IHTMLElement* body = nullptr;
    page->get_body(&body);
    BSTR markup = SysAllocString(u"<br>");
    EXPECT_EQ(body->put_innerHTML(markup), S_OK);
    SysFreeString(markup);
    BSTR inner = nullptr;
    body->get_innerHTML(&inner);
    EXPECT_EQ(Text(inner), "<br>");
    IHTMLElementCollection* links = nullptr;
    page->get_links(&links);
    LONG length = -1;
    links->get_length(&length);
    EXPECT_EQ(length, 0);
    links->Release();
    body->Release();
}

TEST_F(HtmlDocumentObjectTest, WrittenScriptsBecomeLiveForLaterClicks) {
    IHTMLDocument2* page = Load("about:blank", "");
    SAFEARRAY* markup = SafeArrayCreateVector(VT_VARIANT, 0, 1);
    VARIANT* element = nullptr;
    SafeArrayAccessData(markup, reinterpret_cast<void**>(&element));
    element->vt = VT_BSTR;
    element->bstrVal = SysAllocString(
        u"<script>function play(obj){window.status='';window.status='qrplay:1:'+obj.url;"
        u"window.status='';}</script><div onclick=play(this) url=\"U|||&quot;K&amp;\">pic</div>");
    SafeArrayUnaccessData(markup);
    EXPECT_EQ(page->write(markup), S_OK);
    SafeArrayDestroy(markup);
    PumpUntilIdle();
    host->sink->events.clear();
    host->Click(4, 4);
    EXPECT_THAT(host->sink->Of("StatusTextChange"),
                ElementsAre("StatusTextChange ", "StatusTextChange qrplay:1:U|||\"K&",
                            "StatusTextChange "));
}

TEST_F(HtmlDocumentObjectTest, CommandsWithoutAPrinterOrDialogAreRecordedAndDisabled) {
    IHTMLDocument2* page = Load("cmd.htm", "<title>C</title>");
    TakeRecordedWebCommands();
    IOleCommandTarget* target = nullptr;
    ASSERT_EQ(page->QueryInterface(IID_IOleCommandTarget, reinterpret_cast<void**>(&target)), S_OK);
    // Print, print preview, page setup, properties; find and Internet options.
    for (DWORD command : {6u, 7u, 8u, 10u}) {
        EXPECT_EQ(target->Exec(nullptr, command, OLECMDEXECOPT_DODEFAULT, nullptr, nullptr),
                  OLECMDERR_E_DISABLED);
    }
    for (DWORD command : {1u, 3u}) {
        EXPECT_EQ(target->Exec(&CGID_MSHTML, command, OLECMDEXECOPT_DODEFAULT, nullptr, nullptr),
                  OLECMDERR_E_DISABLED);
    }
    EXPECT_EQ(target->Exec(&CGID_DocHostCommandHandler, 1, 0, nullptr, nullptr),
              OLECMDERR_E_UNKNOWNGROUP);
    EXPECT_EQ(target->Exec(nullptr, OLECMDID_SPELL, 0, nullptr, nullptr), OLECMDERR_E_NOTSUPPORTED);
    EXPECT_EQ(target->Exec(&CGID_MSHTML, 99, 0, nullptr, nullptr), OLECMDERR_E_NOTSUPPORTED);
    std::vector<RecordedWebCommand> commands = TakeRecordedWebCommands();
    ASSERT_EQ(commands.size(), 6u);
    std::vector<DWORD> ids;
    for (const RecordedWebCommand& command : commands) {
        ids.push_back(command.command);
        EXPECT_EQ(command.source, RecordedWebCommand::Source::Document);
        EXPECT_EQ(command.address, Address("cmd.htm"));
    }
    EXPECT_THAT(ids, ElementsAre(6u, 7u, 8u, 10u, 1u, 3u));
    EXPECT_TRUE(IsEqualGUID(commands[0].group, GUID_NULL));
    EXPECT_TRUE(IsEqualGUID(commands[4].group, CGID_MSHTML));
    OLECMD query[4] = {
        {OLECMDID_PRINT, 0}, {OLECMDID_SPELL, 0}, {OLECMDID_SAVEAS, 0}, {OLECMDID_COPY, 0}};
    EXPECT_EQ(target->QueryStatus(nullptr, 4, query, nullptr), S_OK);
    EXPECT_EQ(query[0].cmdf, static_cast<DWORD>(OLECMDF_SUPPORTED));
    EXPECT_EQ(query[1].cmdf, 0u);
    EXPECT_EQ(query[2].cmdf, static_cast<DWORD>(OLECMDF_SUPPORTED | OLECMDF_ENABLED));
    // Nothing is selected yet.
    EXPECT_EQ(query[3].cmdf, static_cast<DWORD>(OLECMDF_SUPPORTED));
    OLECMD source{IDM_VIEWSOURCE, 0};
    EXPECT_EQ(target->QueryStatus(&CGID_MSHTML, 1, &source, nullptr), S_OK);
    EXPECT_EQ(source.cmdf, static_cast<DWORD>(OLECMDF_SUPPORTED | OLECMDF_ENABLED));
    target->Release();
}

TEST_F(HtmlDocumentObjectTest, CharsetSetThenRefresh2DecodesThePageAgain) {
    std::string utf8Title = reinterpret_cast<const char*>(u8"中文");
    IHTMLDocument2* page = Load("utf8.htm", "<title>" + utf8Title + "</title>");
    BSTR title = nullptr;
    page->get_title(&title);
    EXPECT_NE(Text(title), utf8Title);
    BSTR charset = SysAllocString(u"utf-8");
    EXPECT_EQ(page->put_charset(charset), S_OK);
    SysFreeString(charset);
    VARIANT level;
    VariantInit(&level);
    level.vt = VT_I4;
    level.lVal = 1;
    DISPPARAMS parameters{&level, nullptr, 1, 0};
    host->sink->events.clear();
    EXPECT_EQ(host->browser->Invoke(DISPID_REFRESH2, IID_NULL, 0, DISPATCH_METHOD, &parameters,
                                    nullptr, nullptr, nullptr),
              S_OK);
    PumpUntilIdle();
    EXPECT_THAT(host->sink->events, ElementsAre("DownloadBegin", "TitleChange " + utf8Title,
                                                "ProgressChange -1/10000", "DownloadComplete"));
    // The old document object is gone with the old document.
    EXPECT_EQ(page->get_title(&title), E_FAIL);
    IHTMLDocument2* reloaded = TakeDocument();
    reloaded->get_title(&title);
    EXPECT_EQ(Text(title), utf8Title);
    reloaded->get_charset(&charset);
    EXPECT_EQ(Text(charset), "utf-8");
}

}  // namespace
}  // namespace platform::webcontrol
