#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace varko::testing {

// A keyboard for a program that runs on Qt's VNC platform ("-platform vnc:port=N"): it speaks
// just enough of the remote framebuffer protocol to see that something is on screen and to press
// keys, so a test drives the real program the way a user at the keyboard does.
class VncKeyboard {
public:
    // X keysyms of the keys the tests press besides printable ASCII.
    static constexpr std::uint32_t kReturn = 0xff0d;
    static constexpr std::uint32_t kControl = 0xffe3;

    VncKeyboard() = default;
    ~VncKeyboard();
    VncKeyboard(const VncKeyboard&) = delete;
    VncKeyboard& operator=(const VncKeyboard&) = delete;

    // Connects to the server on localhost and shakes hands; retries until the program listens.
    bool Connect(int port, int ms);
    // Asks for whole pictures of the screen until one shows anything but black.
    bool WaitForPicture(int ms);
    // Printable ASCII, one key press and release each.
    bool Type(const QString& text);
    // A key, with Control held down when asked.
    bool Press(std::uint32_t keysym, bool control = false);

    // A free TCP port on localhost, for the program to listen on.
    static int FreePort();

private:
    bool Send(const QByteArray& bytes);
    bool Receive(char* into, std::size_t size, int ms);
    bool Key(std::uint32_t keysym, bool down);
    bool Handshake();
    // Reads one message from the server; `lit` tells whether a picture had a lit pixel.
    bool ReadMessage(bool& lit, int ms);

    int m_socket = -1;
    std::uint16_t m_width = 0;
    std::uint16_t m_height = 0;
};

} // namespace varko::testing
