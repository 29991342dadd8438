// A list of elements as IHTMLElementCollection: the elements a query found when it was made
// (document.all, images, links, children ...), each reached by position, id or name.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/web/HtmlNode.h"
#include "platform/webcontrol/DocumentLink.h"
#include "platform/webcontrol/HtmlInterfaces.h"
#include "platform/webcontrol/HtmlObject.h"

namespace platform::webcontrol {

class HtmlCollectionObject final : public HtmlObject<IHTMLElementCollection> {
public:
    // A new object (one reference, the caller's).
    static IHTMLElementCollection* Create(DocumentLinkPtr link,
                                          const std::vector<web::HtmlNode*>& elements);

    HRESULT get_length(LONG* length) override;
    HRESULT item(VARIANT name, VARIANT index, IDispatch** element) override;
    HRESULT tags(VARIANT tag, IDispatch** elements) override;

private:
    HtmlCollectionObject(DocumentLinkPtr link, std::vector<uint64_t> serials)
        : link_(std::move(link)), serials_(std::move(serials)) {}
    std::vector<web::HtmlNode*> LiveElements() const;

    DocumentLinkPtr link_;
    std::vector<uint64_t> serials_;
};

}  // namespace platform::webcontrol
