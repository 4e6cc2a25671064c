#include "platform/SystemClipboard.h"

#include <PhoneKit/numbers/PhoneExtractor.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTimer>

SystemClipboard::SystemClipboard(QObject* parent) : QObject(parent) {
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] { ++changes_; });
}

std::optional<std::string> SystemClipboard::text() const {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText()) return std::nullopt;
    return data->text().toStdString();
}

void SystemClipboard::detectNumber(std::function<void(std::optional<bool>, std::string)> answer) {
    // Never asked while access is allowed; were it, the text is at hand.
    const auto content = text();
    const bool number = content && !PhoneKit::PhoneExtractor::numbers(*content, PhoneKit::Region::current()).empty();
    QTimer::singleShot(0, this, [answer = std::move(answer), number] { answer(number, {}); });
}
