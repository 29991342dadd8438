// Cuts links and pictures out of a page's text for the script's "%html [get_a]" and
// "%html [get_img]": each call takes the next element, removes it and everything before it from
// the text, and gives its address made absolute against a base address. Tag names match whole
// names ignoring case ("a" finds <A HREF=...> but not <abbr>); positions count bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "picture/ScriptText.h"

class CHtmlExtractor {
public:
    CHtmlExtractor();
    virtual ~CHtmlExtractor();

    // The next link of html: text = its inner text, link = its address. 0 when one was taken;
    // 1, html emptied, when none is left. A link without an address is passed over.
    int ExtractNextLink(std::string_view base, ScriptText& html, std::string& text,
                        std::string& link);
    // The same for picture tags and their sources; text always becomes empty.
    int ExtractNextImage(std::string_view base, ScriptText& html, std::string& text,
                         std::string& source);

    // Cuts from html the element that opens with tag at or after from and ends with the next
    // tag that holds "/" and closing: out = its bytes from the tag name through that ">", html =
    // what follows. 0; -1, html unchanged, when either is missing.
    int CutElement(size_t from, ScriptText& html, std::string_view tag, std::string_view closing,
                   std::string& out);
    // The same for a single tag, which ends at its first ">".
    int CutTag(size_t from, ScriptText& html, std::string_view tag, std::string& out);
    // The position of the name of the next tag named tag; npos when none.
    static size_t FindOpenTag(std::string_view html, size_t from, std::string_view tag);
    // The position of the ">" of the next tag in which a "/" is followed by closing; npos when
    // none.
    static size_t FindCloseTag(std::string_view html, size_t from, std::string_view closing);

    // root = scheme and host of base; directory = the folder that relative addresses start from.
    static void SplitBase(std::string_view base, std::string& root, std::string& directory);
    // The value of attribute in the opening of a tag: after the attribute's "=", up to the
    // matching quote or, unquoted, the next space. False when the attribute or its "=" is
    // missing.
    static bool AttributeValue(std::string_view opening, std::string_view attribute,
                               std::string& value);
    // text with white space trimmed at both ends; the second byte of a two-byte character is
    // never taken for white space.
    static std::string_view TrimmedView(std::string_view text);
    static std::string Trimmed(std::string_view text);

private:
    int ExtractNext(std::string_view base, ScriptText& html, bool pictures, std::string& text,
                    std::string& address);
};
