// Markup and text of a subtree, as innerHTML, outerHTML and innerText read it. The markup follows
// the HTML5 serialisation, so that parsing it again gives the same tree: attribute values in
// double quotes, no end tags for void elements, '&', '<', '>', '"' and no-break spaces escaped.
#pragma once

#include <string>

#include "platform/web/HtmlNode.h"

namespace platform::web {

std::string OuterHtml(const HtmlNode& node);
std::string InnerHtml(const HtmlNode& node);
// The rendered text: white space collapsed, script and style left out, line breaks ("\r\n") for
// <br> and between blocks.
std::string InnerText(const HtmlNode& node);

bool IsVoidElement(const std::string& tag);
bool IsBlockElement(const std::string& tag);

}  // namespace platform::web
