// What the object model's objects hold of a document: the page that shows it, for as long as it
// shows it. The control cuts the link when the page loads another document or the control goes,
// so an object a program kept longer answers E_FAIL instead of reaching freed memory.
#pragma once

#include <memory>
#include <string>

#include "platform/com/Dispatch.h"
#include "platform/web/Page.h"

namespace platform::webcontrol {

// The control around the page, told about changes made through the object model.
class DocumentOwner {
public:
    virtual ~DocumentOwner() = default;
    virtual void OnDocumentTitle(web::Page& page, const std::string& title) = 0;
    // Scripts may have run (a write): the control catches up with timers and navigations.
    virtual void AfterDocumentWork() = 0;
    // The control's automation object, with an added reference; null once a script closed it.
    virtual IDispatch* ApplicationObject() = 0;
    // The document object of one of the control's pages, with an added reference.
    virtual IDispatch* DocumentObject(web::Page& page) = 0;
    // The document's command target: the status (OLECMDF flags) and execution of a command on
    // `page`, `group` null for the standard commands.
    virtual DWORD DocumentCommandStatus(web::Page& page, const GUID* group, DWORD command) = 0;
    virtual HRESULT DocumentCommand(web::Page& page, const GUID* group, DWORD command, DWORD option,
                                    VARIANT* input, VARIANT* output) = 0;
};

struct DocumentLink {
    web::Page* page = nullptr;
    DocumentOwner* owner = nullptr;

    bool alive() const { return page != nullptr; }
};

using DocumentLinkPtr = std::shared_ptr<DocumentLink>;

}  // namespace platform::webcontrol
