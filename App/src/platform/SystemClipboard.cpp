#include "platform/SystemClipboard.h"

#include <PhoneKit/numbers/PhoneExtractor.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QSocketNotifier>
#include <QTimer>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

namespace {

// More than any text a number is copied from; a larger one reads as none.
constexpr std::uint32_t kMaximumBytes = 1024 * 1024;

template <typename T>
struct Freed {
    void operator()(T* pointer) const { std::free(pointer); }  // xcb's replies and events are malloc'ed
};
template <typename T>
using Reply = std::unique_ptr<T, Freed<T>>;

}  // namespace

// The CLIPBOARD selection asked for on a connection of its own, its answer
// taken from the event queue as it comes, never waited for.
class SystemClipboard::X11Selection {
public:
    // Nothing when the X server cannot be reached.
    static std::unique_ptr<X11Selection> open() {
        xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(connection)) {
            xcb_disconnect(connection);
            return nullptr;
        }
        return std::unique_ptr<X11Selection>(new X11Selection(connection));
    }
    ~X11Selection() { xcb_disconnect(connection_); }
    X11Selection(const X11Selection&) = delete;
    X11Selection& operator=(const X11Selection&) = delete;

    void read(std::function<void(std::optional<std::string>)> answer) {
        waiting_.push_back(std::move(answer));
        if (waiting_.size() > 1) return;  // the request under way answers them all
        xcb_convert_selection(connection_, window_, clipboard_, utf8_, property_, XCB_CURRENT_TIME);
        xcb_flush(connection_);
        timeout_.start(readTimeoutMs);
    }

private:
    explicit X11Selection(xcb_connection_t* connection)
        : connection_(connection), notifier_(xcb_get_file_descriptor(connection), QSocketNotifier::Read) {
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
        window_ = xcb_generate_id(connection_);
        xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window_, screen->root, 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, screen->root_visual, 0, nullptr);
        clipboard_ = atom("CLIPBOARD");
        utf8_ = atom("UTF8_STRING");
        property_ = atom("TOVU_CLIPBOARD");
        incremental_ = atom("INCR");
        QObject::connect(&notifier_, &QSocketNotifier::activated, [this] { takeEvents(); });
        timeout_.setSingleShot(true);
        QObject::connect(&timeout_, &QTimer::timeout, [this] { finish(std::nullopt); });
    }

    xcb_atom_t atom(const char* name) {
        const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
            connection_, xcb_intern_atom(connection_, 0, std::uint16_t(std::strlen(name)), name), nullptr));
        return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }

    void takeEvents() {
        while (const Reply<xcb_generic_event_t> event{xcb_poll_for_event(connection_)}) {
            if ((event->response_type & 0x7f) != XCB_SELECTION_NOTIFY || waiting_.empty()) continue;
            const auto* notify = reinterpret_cast<const xcb_selection_notify_event_t*>(event.get());
            finish(notify->property == XCB_ATOM_NONE ? std::nullopt : takeProperty());
        }
        if (xcb_connection_has_error(connection_)) {
            notifier_.setEnabled(false);
            finish(std::nullopt);
        }
    }

    // The owner has written the text into our property: the server hands it
    // over at once, whoever the owner is.
    std::optional<std::string> takeProperty() {
        const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
            connection_,
            xcb_get_property(connection_, 1, window_, property_, XCB_GET_PROPERTY_TYPE_ANY, 0, kMaximumBytes / 4),
            nullptr));
        // A text sent in pieces (INCR) is larger than any copied number.
        if (!reply || reply->type == incremental_ || reply->bytes_after > 0 || reply->format != 8) return std::nullopt;
        const auto* bytes = static_cast<const char*>(xcb_get_property_value(reply.get()));
        return std::string(bytes, std::size_t(xcb_get_property_value_length(reply.get())));
    }

    void finish(std::optional<std::string> text) {
        timeout_.stop();
        for (auto& answer : std::exchange(waiting_, {})) answer(text);
    }

    xcb_connection_t* connection_;
    QSocketNotifier notifier_;
    QTimer timeout_;
    xcb_window_t window_ = 0;
    xcb_atom_t clipboard_ = XCB_ATOM_NONE, utf8_ = XCB_ATOM_NONE, property_ = XCB_ATOM_NONE,
               incremental_ = XCB_ATOM_NONE;
    std::vector<std::function<void(std::optional<std::string>)>> waiting_;
};

SystemClipboard::SystemClipboard(QObject* parent) : QObject(parent) {
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] { ++changes_; });
    if (QGuiApplication::platformName() == QLatin1String("xcb")) x11_ = X11Selection::open();
}

SystemClipboard::~SystemClipboard() = default;

void SystemClipboard::readText(std::function<void(std::optional<std::string>)> answer) {
    if (x11_) return x11_->read(std::move(answer));
    // Elsewhere, Qt's own read.
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    std::optional<std::string> text;
    if (data && data->hasText()) text = data->text().toStdString();
    // Always later, never inside the caller: the panel opens first.
    QTimer::singleShot(0, this, [answer = std::move(answer), text = std::move(text)] { answer(text); });
}

void SystemClipboard::detectNumber(std::function<void(std::optional<bool>, std::string)> answer) {
    // Never asked while access is allowed; were it, the text is at hand.
    readText([answer = std::move(answer)](std::optional<std::string> content) {
        answer(content && !PhoneKit::PhoneExtractor::numbers(*content, PhoneKit::Region::current()).empty(), {});
    });
}

void SystemClipboard::writeText(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}
