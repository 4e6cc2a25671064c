#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace PhoneKit {

/// An absolute URL, parsed (RFC 3986) when it is made; immutable.
class URL {
public:
    struct QueryItem {
        std::string name;                  ///< percent-decoded
        std::optional<std::string> value;  ///< percent-decoded; absent when the item has no "="
        friend bool operator==(const QueryItem&, const QueryItem&) = default;
    };

    /// The URL of `text`, or nothing when it is not an absolute URL.
    static std::optional<URL> parse(std::string_view text);
    /// scheme://host?name=value&… with every name and value percent-encoded,
    /// so any text reads back unchanged through `queryItems()`.
    static URL withQuery(std::string_view scheme, std::string_view host, const std::vector<QueryItem>& items);

    const std::string& string() const { return text_; }
    const std::string& scheme() const { return scheme_; }
    /// The host as written; absent when the URL has no authority.
    const std::optional<std::string>& host() const { return host_; }
    /// The text after "?" up to any "#"; absent without a "?" (an empty
    /// query after a bare "?" is present).
    const std::optional<std::string>& query() const { return query_; }
    /// The query split at "&" and then at the first "="; absent without a query.
    std::optional<std::vector<QueryItem>> queryItems() const;

    friend bool operator==(const URL& a, const URL& b) { return a.text_ == b.text_; }

private:
    URL() = default;

    std::string text_;
    std::string scheme_;
    std::optional<std::string> host_;
    std::optional<std::string> query_;
};

std::ostream& operator<<(std::ostream& out, const URL& url);

/// `text` with every byte but RFC 3986's unreserved characters and those in
/// `alsoKept` written as "%XX" (upper-case hex).
std::string percentEncoded(std::string_view text, std::string_view alsoKept = {});

}  // namespace PhoneKit
