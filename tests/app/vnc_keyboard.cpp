#include "vnc_keyboard.h"

#include <QDeadlineTimer>
#include <QThread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

namespace varko::testing {

namespace {

// The pixel format the keyboard asks for.
constexpr std::size_t kBytesPerPixel = 4;

std::uint32_t Big32(const char* bytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value = value << 8 | static_cast<unsigned char>(bytes[i]);
    return value;
}

std::uint16_t Big16(const char* bytes) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[0]) << 8 |
                                      static_cast<unsigned char>(bytes[1]));
}

sockaddr_in Localhost(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

} // namespace

VncKeyboard::~VncKeyboard() {
    if (m_socket >= 0)
        ::close(m_socket);
}

int VncKeyboard::FreePort() {
    const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = Localhost(0);
    socklen_t size = sizeof address;
    int port = -1;
    if (::bind(probe, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
        ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &size) == 0)
        port = ntohs(address.sin_port);
    ::close(probe);
    return port;
}

bool VncKeyboard::Connect(int port, int ms) {
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        m_socket = ::socket(AF_INET, SOCK_STREAM, 0);
        const sockaddr_in address = Localhost(port);
        if (::connect(m_socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
            return Handshake();
        ::close(m_socket);
        m_socket = -1;
        QThread::msleep(50);
    }
    return false;
}

// Version 3.3: the server names the security type (1, none), the client asks to share the
// screen, the server describes it.
bool VncKeyboard::Handshake() {
    char version[12];
    char security[4];
    if (!Receive(version, sizeof version, 10000) || !Send("RFB 003.003\n") ||
        !Receive(security, sizeof security, 10000) || Big32(security) != 1 || !Send(QByteArray(1, '\1')))
        return false;
    char init[24];
    if (!Receive(init, sizeof init, 10000))
        return false;
    m_width = Big16(init);
    m_height = Big16(init + 2);
    std::vector<char> name(Big32(init + 20));
    return name.empty() || Receive(name.data(), name.size(), 10000);
}

// Pictures come only once the client named an encoding it reads: raw, 0; in the pixel format it
// names: 32 bits, true colour, 8 bits a channel.
bool VncKeyboard::WaitForPicture(int ms) {
    const char format[] = {0,  0,
                           0,  0,
                           32, 24,
                           0,  1,
                           0,  static_cast<char>(255),
                           0,  static_cast<char>(255),
                           0,  static_cast<char>(255),
                           16, 8,
                           0,  0,
                           0,  0};
    const char encodings[] = {2, 0, 0, 1, 0, 0, 0, 0};
    if (!Send(QByteArray(format, sizeof format)) || !Send(QByteArray(encodings, sizeof encodings)))
        return false;
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        // A whole picture each time: 3, not incremental, the screen from 0,0.
        const char request[] = {3,
                                0,
                                0,
                                0,
                                0,
                                0,
                                static_cast<char>(m_width >> 8),
                                static_cast<char>(m_width),
                                static_cast<char>(m_height >> 8),
                                static_cast<char>(m_height)};
        if (!Send(QByteArray(request, sizeof request)))
            return false;
        bool lit = false;
        if (!ReadMessage(lit, static_cast<int>(deadline.remainingTime())))
            return false;
        if (lit)
            return true;
        QThread::msleep(100);
    }
    return false;
}

bool VncKeyboard::ReadMessage(bool& lit, int ms) {
    char type = 0;
    if (!Receive(&type, 1, ms))
        return false;
    if (type == 2) // the bell
        return true;
    char header[3];
    if (type != 0 || !Receive(header, sizeof header, ms))
        return false;
    for (int rect = 0; rect < Big16(header + 1); ++rect) {
        char place[12];
        if (!Receive(place, sizeof place, ms) || Big32(place + 8) != 0)
            return false; // only raw pictures are asked for
        std::vector<char> pixels(std::size_t{Big16(place + 4)} * Big16(place + 6) * kBytesPerPixel);
        if (!Receive(pixels.data(), pixels.size(), ms))
            return false;
        lit = lit || std::any_of(pixels.begin(), pixels.end(), [](char byte) { return byte != 0; });
    }
    return true;
}

bool VncKeyboard::Type(const QString& text) {
    for (const QChar c : text) {
        if (!Press(c.unicode()))
            return false;
    }
    return true;
}

bool VncKeyboard::Press(std::uint32_t keysym, bool control) {
    return (!control || Key(kControl, true)) && Key(keysym, true) && Key(keysym, false) &&
           (!control || Key(kControl, false));
}

bool VncKeyboard::Key(std::uint32_t keysym, bool down) {
    const char event[] = {4,
                          static_cast<char>(down ? 1 : 0),
                          0,
                          0,
                          static_cast<char>(keysym >> 24),
                          static_cast<char>(keysym >> 16),
                          static_cast<char>(keysym >> 8),
                          static_cast<char>(keysym)};
    return Send(QByteArray(event, sizeof event));
}

bool VncKeyboard::Send(const QByteArray& bytes) {
    qsizetype sent = 0;
    while (m_socket >= 0 && sent < bytes.size()) {
        const ssize_t n = ::send(m_socket, bytes.constData() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        sent += n;
    }
    return sent == bytes.size();
}

bool VncKeyboard::Receive(char* into, std::size_t size, int ms) {
    QDeadlineTimer deadline(ms);
    std::size_t got = 0;
    while (got < size && !deadline.hasExpired()) {
        pollfd ready{m_socket, POLLIN, 0};
        const int polled = ::poll(&ready, 1, static_cast<int>(deadline.remainingTime()));
        if (polled < 0 && errno == EINTR)
            continue; // a signal, such as the end of another child process
        if (polled <= 0)
            return false;
        const ssize_t n = ::recv(m_socket, into + got, size - got, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        got += static_cast<std::size_t>(n);
    }
    return got == size;
}

} // namespace varko::testing
