// The automation object of one frame, which the control's events pass as pDisp for that frame:
// it answers Document, LocationURL, LocationName, Busy, ReadyState and Application (the top
// control's) by dispatch id. Its page is attached once the frame has loaded.
#pragma once

#include "platform/webcontrol/DocumentLink.h"
#include "platform/webcontrol/HtmlObject.h"

namespace platform::webcontrol {

class FrameBrowser final : public HtmlObject<IDispatch> {
public:
    explicit FrameBrowser(DocumentLinkPtr link) : link_(std::move(link)) {}

    const DocumentLinkPtr& link() const { return link_; }

    HRESULT GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT nameCount, LCID locale,
                          DISPID* ids) override;
    HRESULT Invoke(DISPID member, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters,
                   VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

private:
    DocumentLinkPtr link_;
};

}  // namespace platform::webcontrol
