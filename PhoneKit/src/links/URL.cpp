#include "PhoneKit/links/URL.h"

#include <uriparser/Uri.h>

#include <algorithm>
#include <memory>
#include <ostream>

namespace PhoneKit {

namespace {

std::string rangeText(const UriTextRangeA& range) {
    if (range.first == nullptr || range.afterLast == nullptr) return {};
    return {range.first, range.afterLast};
}

// The library's decoding, kept to the decoded length so that "%00" stays a
// byte of the text instead of ending it.
std::string decoded(std::string_view text) {
    std::string out(text);
    const char* end = uriUnescapeInPlaceExA(out.data(), URI_FALSE, URI_BR_DONT_TOUCH);  // "+" stays a plus
    out.resize(static_cast<std::size_t>(end - out.data()));
    return out;
}

}  // namespace

std::optional<URL> URL::parse(std::string_view text) {
    UriUriA uri;
    const char* errorPosition = nullptr;
    if (uriParseSingleUriExA(&uri, text.data(), text.data() + text.size(), &errorPosition) != URI_SUCCESS) {
        return std::nullopt;
    }
    std::unique_ptr<UriUriA, decltype(&uriFreeUriMembersA)> owner(&uri, &uriFreeUriMembersA);
    if (uri.scheme.first == nullptr) return std::nullopt;  // relative reference

    URL url;
    url.text_ = std::string(text);
    url.scheme_ = rangeText(uri.scheme);
    if (uri.hostText.first != nullptr) url.host_ = rangeText(uri.hostText);
    if (uri.query.first != nullptr) url.query_ = rangeText(uri.query);
    return url;
}

URL URL::withQuery(std::string_view scheme, std::string_view host, const std::vector<QueryItem>& items) {
    std::string text = std::string(scheme) + "://" + std::string(host);
    char joiner = '?';
    for (const QueryItem& item : items) {
        text += joiner;
        text += percentEncoded(item.name);
        if (item.value) text += "=" + percentEncoded(*item.value);
        joiner = '&';
    }
    // Scheme and host are the caller's constants, and everything else is
    // escaped, so the text always parses.
    return *parse(text);
}

std::optional<std::vector<URL::QueryItem>> URL::queryItems() const {
    if (!query_) return std::nullopt;
    // Items split at "&" and then at the first "=", as URL components read
    // them; the library's own splitter would cut a value at an encoded NUL.
    std::vector<QueryItem> items;
    std::string_view rest = *query_;
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find('&'), rest.size());
        const std::string_view item = rest.substr(0, end);
        const std::size_t equals = item.find('=');
        if (equals == std::string_view::npos) {
            items.push_back({decoded(item), std::nullopt});
        } else {
            items.push_back({decoded(item.substr(0, equals)), decoded(item.substr(equals + 1))});
        }
        rest = end == rest.size() ? std::string_view() : rest.substr(end + 1);
    }
    return items;
}

std::ostream& operator<<(std::ostream& out, const URL& url) { return out << url.string(); }

std::string percentEncoded(std::string_view text, std::string_view alsoKept) {
    // RFC 3986's unreserved characters: the ones a URL carries as they are.
    static constexpr std::string_view plain = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-._~";
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size() * 3);
    for (char c : text) {
        if (plain.find(c) != std::string_view::npos || alsoKept.find(c) != std::string_view::npos) {
            out += c;
            continue;
        }
        const auto byte = static_cast<unsigned char>(c);
        out += '%';
        out += kHex[byte >> 4];
        out += kHex[byte & 0xF];
    }
    return out;
}

}  // namespace PhoneKit
