#include "PhoneKit/URL.h"

#include <uriparser/Uri.h>

#include <memory>
#include <ostream>

namespace PhoneKit {

namespace {

std::string rangeText(const UriTextRangeA& range) {
    if (range.first == nullptr || range.afterLast == nullptr) return {};
    return {range.first, range.afterLast};
}

std::string encoded(std::string_view text) {
    // Worst case: every byte becomes "%XX".
    std::string out(text.size() * 3 + 1, '\0');
    const char* end = uriEscapeExA(text.data(), text.data() + text.size(), out.data(), URI_FALSE, URI_FALSE);
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
        text += encoded(item.name);
        if (item.value) text += "=" + encoded(*item.value);
        joiner = '&';
    }
    // Scheme and host are the caller's constants, and everything else is
    // escaped, so the text always parses.
    return *parse(text);
}

std::optional<std::vector<URL::QueryItem>> URL::queryItems() const {
    if (!query_) return std::nullopt;
    std::vector<QueryItem> items;
    if (query_->empty()) return items;
    UriQueryListA* list = nullptr;
    int count = 0;
    const char* first = query_->data();
    if (uriDissectQueryMallocExA(&list, &count, first, first + query_->size(), URI_FALSE, URI_BR_DONT_TOUCH) !=
        URI_SUCCESS) {
        return items;
    }
    // The library hands back names and values already percent-decoded, with
    // "+" kept as a plus (URLs, not HTML forms).
    for (const UriQueryListA* item = list; item != nullptr; item = item->next) {
        QueryItem read{item->key ? item->key : "", std::nullopt};
        if (item->value) read.value = std::string(item->value);
        items.push_back(std::move(read));
    }
    uriFreeQueryListA(list);
    return items;
}

std::ostream& operator<<(std::ostream& out, const URL& url) { return out << url.string(); }

std::string percentEncoded(std::string_view text, std::string_view alsoKept) {
    // RFC 3986's unreserved characters: the ones a URL carries as they are.
    static constexpr std::string_view plain =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-._~";
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
