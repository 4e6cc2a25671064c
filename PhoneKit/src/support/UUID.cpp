#include "PhoneKit/support/UUID.h"

#include <sys/random.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace PhoneKit::UUID {

namespace {

// The kernel's CSPRNG, through getrandom(2) or, on kernels without it,
// /dev/urandom. There is no weaker fallback: the widget key guards links,
// and a guessable one would be worse than stopping.
void fillRandom(std::array<std::uint8_t, 16>& bytes) {
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const ssize_t got = ::getrandom(bytes.data() + filled, bytes.size() - filled, 0);
        if (got > 0) {
            filled += static_cast<std::size_t>(got);
        } else if (got < 0 && errno != EINTR) {
            std::FILE* urandom = std::fopen("/dev/urandom", "rb");
            const bool read = urandom && std::fread(bytes.data(), 1, bytes.size(), urandom) == bytes.size();
            if (urandom) std::fclose(urandom);
            if (!read) std::abort();
            return;
        }
    }
}

}  // namespace

std::string random() {
    std::array<std::uint8_t, 16> bytes{};
    fillRandom(bytes);
    bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0F) | 0x40);  // version 4
    bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80);  // RFC 4122 variant
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(36);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) text += '-';
        text += kHex[bytes[i] >> 4];
        text += kHex[bytes[i] & 0x0F];
    }
    return text;
}

}  // namespace PhoneKit::UUID
