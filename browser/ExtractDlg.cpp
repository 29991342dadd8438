#include "browser/ExtractDlg.h"

#include <cstdio>

#include "browser/HttpGetter.h"
#include "browser/MainFrame.h"
#include "browser/PageDlg.h"
#include "platform/com/Bstr.h"
#include "platform/files/Path.h"
#include "platform/webcontrol/HtmlInterfaces.h"
#include "resources/quorra/resource.h"

namespace {

// A text member of an element interface as GBK text; empty when the element gives none.
template <typename Interface>
CString ReadText(Interface* object, HRESULT (Interface::*getter)(BSTR*)) {
    BSTR text = nullptr;
    CString result;
    if (SUCCEEDED((object->*getter)(&text))) {
        result = platform::GbkFromBstr(text).c_str();
    }
    SysFreeString(text);
    return result;
}

template <typename Interface>
Interface* Query(IUnknown* object) {
    Interface* found = nullptr;
    if (FAILED(object->QueryInterface(Interface::kIid, reinterpret_cast<void**>(&found)))) {
        return nullptr;
    }
    return found;
}

// The address of an image or anchor element, as its own interface gives it; false for others.
bool AddressOf(IHTMLElement* element, bool images, bool anchors, CString& address) {
    if (images) {
        if (IHTMLImgElement* image = Query<IHTMLImgElement>(element)) {
            address = ReadText(image, &IHTMLImgElement::get_href);
            image->Release();
            return true;
        }
    }
    if (anchors) {
        if (IHTMLAnchorElement* anchor = Query<IHTMLAnchorElement>(element)) {
            address = ReadText(anchor, &IHTMLAnchorElement::get_href);
            anchor->Release();
            return true;
        }
    }
    return false;
}

}  // namespace

BEGIN_MESSAGE_MAP(CExtractDlg, CDialog)
ON_BN_CLICKED(IDC_EXTRACT_LINKS, OnLinks)
ON_BN_CLICKED(IDC_EXTRACT_IMAGES, OnImages)
ON_BN_CLICKED(IDC_EXTRACT_TAGS, OnAllTags)
ON_BN_CLICKED(IDC_EXTRACT_OBJECTS, OnObjects)
ON_BN_CLICKED(IDC_EXTRACT_PICTURES, OnPictures)
ON_BN_CLICKED(IDC_EXTRACT_SOURCE, OnSource)
END_MESSAGE_MAP()

CExtractDlg::CExtractDlg(CWnd* pParent) : CDialog(IDD_EXTRACT, pParent) {}

void CExtractDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_EXTRACT_RESULT, m_resultEdit);
    DDX_Text(pDX, IDC_EXTRACT_RESULT, m_strResult);
}

void CExtractDlg::OnLinks() {
    ListElements(Listing::Links);
}

void CExtractDlg::OnImages() {
    ListElements(Listing::Images);
}

void CExtractDlg::OnAllTags() {
    ListElements(Listing::AllTags);
}

void CExtractDlg::OnObjects() {
    ListElements(Listing::Objects);
}

void CExtractDlg::OnPictures() {
    ListElements(Listing::Pictures);
}

// The source is fetched again with a plain GET, so a page reached by a form post can show other
// text than its tab. The text ends at its first NUL, as the edit takes it.
void CExtractDlg::OnSource() {
    CPageDlg* page = CurrentPage();
    if (page == nullptr) {
        return;
    }
    CHttpGetter getter;
    if (getter.DownloadToFile(page->m_strUrl, "get.txt") != 0) {
        return;
    }
    FILE* file = platform::OpenStdioFile("get.txt", "rb");
    if (file == nullptr) {
        return;
    }
    CString source;
    char buffer[10240];
    size_t read = 0;
    while ((read = std::fread(buffer, 1, sizeof(buffer), file)) > 0) {
        source += CString(buffer, static_cast<int>(read));
    }
    std::fclose(file);
    m_resultEdit.SetWindowText(source);
}

CPageDlg* CExtractDlg::CurrentPage() {
    CMainFrame* frame = GetMainFrame();
    return frame != nullptr ? frame->GetPageAt(frame->GetCurrentIndex()) : nullptr;
}

void CExtractDlg::ListElements(Listing listing) {
    CPageDlg* page = CurrentPage();
    if (page == nullptr) {
        return;
    }
    CString result;
    IDispatch* documentObject = page->m_wndBrowser.GetDocument();
    IHTMLDocument2* document =
        documentObject != nullptr ? Query<IHTMLDocument2>(documentObject) : nullptr;
    IHTMLElementCollection* all = nullptr;
    LONG length = 0;
    if (document != nullptr && SUCCEEDED(document->get_all(&all)) && all != nullptr) {
        all->get_length(&length);
    }
    for (LONG i = 0; i < length; ++i) {
        VARIANT index;
        VariantInit(&index);
        index.vt = VT_I4;
        index.lVal = i;
        VARIANT none;
        VariantInit(&none);
        IDispatch* item = nullptr;
        if (FAILED(all->item(index, none, &item))) {
            break;
        }
        if (item == nullptr) {
            continue;
        }
        IHTMLElement* element = Query<IHTMLElement>(item);
        item->Release();
        if (element == nullptr) {
            continue;
        }
        const CString tag = ReadText(element, &IHTMLElement::get_tagName);
        CString address;
        switch (listing) {
            case Listing::Links:
                if (AddressOf(element, false, true, address)) {
                    result += tag + " - " + address + "\r\n";
                }
                break;
            case Listing::Images:
                if (AddressOf(element, true, false, address)) {
                    result += tag + " - " + address + "\r\n";
                }
                break;
            case Listing::AllTags:
                result += tag;
                if (AddressOf(element, true, true, address)) {
                    result += " - " + address;
                }
                result += "\r\n";
                break;
            case Listing::Objects:
                if (tag == "OBJECT") {
                    result +=
                        tag + " - " + ReadText(element, &IHTMLElement::get_outerHTML) + "\r\n";
                }
                break;
            case Listing::Pictures:
                if (AddressOf(element, true, false, address)) {
                    result += "[picture_begin]" + address + "[picture_end]\r\n";
                }
                break;
        }
        element->Release();
    }
    if (all != nullptr) {
        all->Release();
    }
    if (document != nullptr) {
        document->Release();
    }
    if (documentObject != nullptr) {
        documentObject->Release();
    }
    m_resultEdit.SetWindowText(result);
}
