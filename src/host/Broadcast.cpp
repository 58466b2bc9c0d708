#include "host/Broadcast.h"

#include "framework/rtl/Exceptions.h"

#include <systemd/sd-bus.h>

#include <cstring>

namespace host {

struct TBroadcastSignal {
    static int Arrived(sd_bus_message* Message, void* Listener, sd_bus_error*) {
        std::uint32_t wparam = 0;
        std::int32_t lparam = 0;
        // A signal of the right name but the wrong shape is dropped, not half read.
        if (sd_bus_message_read(Message, "ui", &wparam, &lparam) >= 0)
            static_cast<TBroadcastListener*>(Listener)->m_pending.push_back(TBroadcast{wparam, lparam});
        return 0;
    }
};

namespace {
std::string noBusMessage(int error) {
    return std::string("No D-Bus session bus (") + std::strerror(-error) +
           "): broadcasts between the suite's programs are off";
}
}  // namespace

TBroadcastListener::TBroadcastListener() {
    if (const int r = sd_bus_open_user(&m_bus); r < 0) {
        m_bus = nullptr;
        m_error = noBusMessage(r);
        return;
    }
    if (const int r = sd_bus_match_signal(m_bus, &m_slot, nullptr, kBroadcastPath, kBroadcastInterface,
                                          kBroadcastMember, &TBroadcastSignal::Arrived, this);
        r < 0) {
        m_error = std::string("Cannot listen for the suite's broadcasts: ") + std::strerror(-r);
        m_bus = sd_bus_flush_close_unref(m_bus);
    }
}

TBroadcastListener::~TBroadcastListener() {
    sd_bus_slot_unref(m_slot);
    sd_bus_flush_close_unref(m_bus);
}

std::vector<TBroadcast> TBroadcastListener::Receive() {
    if (m_bus) {
        int r = 0;
        while ((r = sd_bus_process(m_bus, nullptr)) > 0) {}
        if (r < 0) {
            m_error = std::string("The session bus went away: ") + std::strerror(-r);
            sd_bus_slot_unref(m_slot);
            m_slot = nullptr;
            m_bus = sd_bus_flush_close_unref(m_bus);
        }
    }
    std::vector<TBroadcast> arrived;
    arrived.swap(m_pending);
    return arrived;
}

int TBroadcastListener::Fd() const { return m_bus ? sd_bus_get_fd(m_bus) : -1; }

void SendBroadcast(std::uint32_t WParam, std::int32_t LParam) {
    sd_bus* bus = nullptr;
    if (const int r = sd_bus_open_user(&bus); r < 0)
        throw framework::Exception(noBusMessage(r) + "; start the program inside a desktop session");
    int r =
        sd_bus_emit_signal(bus, kBroadcastPath, kBroadcastInterface, kBroadcastMember, "ui", WParam, LParam);
    if (r >= 0)
        r = sd_bus_flush(bus);
    sd_bus_flush_close_unref(bus);
    if (r < 0)
        throw framework::Exception(std::string("Cannot send the broadcast: ") + std::strerror(-r));
}

}  // namespace host
