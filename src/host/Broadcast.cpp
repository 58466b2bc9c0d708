#include "host/Broadcast.h"

#include "framework/rtl/Exceptions.h"

#include <systemd/sd-bus.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

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

using Clock = std::chrono::steady_clock;

std::string noBusMessage(int error) {
    return std::string("No D-Bus session bus (") + std::strerror(-error) +
           "): broadcasts between the suite's programs are off";
}

std::string silentBusMessage() {
    return "The D-Bus session bus does not answer (waited " + std::to_string(kBusTimeout.count()) +
           " ms): broadcasts between the suite's programs are off";
}

// Works the connection until it is running and nothing waits to be written, or until the
// deadline. sd-bus itself would wait 90 s for a bus that accepts the connection and then says
// nothing (a hung daemon); nobody should wait that long for a broadcast. 0, a negative errno,
// or -ETIMEDOUT.
int settle(sd_bus* Bus, Clock::time_point Deadline) {
    for (;;) {
        const int r = sd_bus_process(Bus, nullptr);
        if (r < 0)
            return r;
        if (r > 0)
            continue;
        std::uint64_t queued = 0;
        if (sd_bus_is_ready(Bus) > 0 && sd_bus_get_n_queued_write(Bus, &queued) >= 0 && queued == 0)
            return 0;
        const auto left = std::chrono::duration_cast<std::chrono::microseconds>(Deadline - Clock::now());
        if (left.count() <= 0)
            return -ETIMEDOUT;
        if (const int w = sd_bus_wait(Bus, static_cast<std::uint64_t>(left.count())); w < 0 && w != -EINTR)
            return w;
    }
}

// The user's session bus, running, with calls that wait at most kBusTimeout; null with the
// reason in Error when there is none or it does not answer in time.
sd_bus* openSessionBus(std::string& Error) {
    sd_bus* bus = nullptr;
    if (const int r = sd_bus_open_user(&bus); r < 0) {
        Error = noBusMessage(r);
        return nullptr;
    }
    const int r = settle(bus, Clock::now() + kBusTimeout);
    if (r < 0) {
        Error = r == -ETIMEDOUT ? silentBusMessage() : noBusMessage(r);
        sd_bus_close_unref(bus);
        return nullptr;
    }
    sd_bus_set_method_call_timeout(
        bus, static_cast<std::uint64_t>(
                 std::chrono::duration_cast<std::chrono::microseconds>(kBusTimeout).count()));
    return bus;
}

}  // namespace

TBroadcastListener::TBroadcastListener(std::function<void()> Arrival) : m_arrival(std::move(Arrival)) {
    m_bus = openSessionBus(m_error);
    if (!m_bus)
        return;
    if (const int r = sd_bus_match_signal(m_bus, &m_slot, nullptr, kBroadcastPath, kBroadcastInterface,
                                          kBroadcastMember, &TBroadcastSignal::Arrived, this);
        r < 0) {
        m_error = std::string("Cannot listen for the suite's broadcasts: ") + std::strerror(-r);
        m_bus = sd_bus_close_unref(m_bus);
        return;
    }
    if (m_arrival)
        StartWatcher();
}

TBroadcastListener::~TBroadcastListener() {
    StopWatcher();
    sd_bus_slot_unref(m_slot);
    sd_bus_flush_close_unref(m_bus);
}

void TBroadcastListener::StartWatcher() {
    if (::pipe2(m_stopPipe, O_CLOEXEC) != 0) {
        m_stopPipe[0] = m_stopPipe[1] = -1;
        return;  // without a watcher, broadcasts wait for the next Receive
    }
    m_watching = true;
    m_watcher = std::thread([this, fd = sd_bus_get_fd(m_bus)] { Watch(fd); });
}

void TBroadcastListener::StopWatcher() {
    if (!m_watching)
        return;
    {
        const std::lock_guard<std::mutex> lock(m_lock);
        m_stopping = true;
    }
    m_rearmed.notify_one();
    (void)!::write(m_stopPipe[1], "x", 1);
    m_watcher.join();
    ::close(m_stopPipe[0]);
    ::close(m_stopPipe[1]);
    m_watching = false;
}

// The watcher thread touches nothing of sd-bus: it waits until the connection's descriptor is
// readable, tells the owner, and waits to be re-armed by the Receive that follows, so that it
// calls once per batch and never spins on data not yet taken.
void TBroadcastListener::Watch(int Fd) {
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(m_lock);
            m_rearmed.wait(lock, [this] { return m_armed || m_stopping; });
            if (m_stopping)
                return;
        }
        pollfd watched[2] = {{Fd, POLLIN, 0}, {m_stopPipe[0], POLLIN, 0}};
        if (::poll(watched, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (watched[1].revents != 0)
            return;
        if (watched[0].revents != 0) {
            {
                const std::lock_guard<std::mutex> lock(m_lock);
                m_armed = false;
            }
            m_arrival();
        }
    }
}

std::vector<TBroadcast> TBroadcastListener::Receive() {
    if (m_bus) {
        int r = 0;
        while ((r = sd_bus_process(m_bus, nullptr)) > 0) {}
        if (r < 0) {
            m_error = std::string("The session bus went away: ") + std::strerror(-r);
            StopWatcher();
            sd_bus_slot_unref(m_slot);
            m_slot = nullptr;
            m_bus = sd_bus_close_unref(m_bus);
        } else if (m_watching) {
            {
                const std::lock_guard<std::mutex> lock(m_lock);
                m_armed = true;
            }
            m_rearmed.notify_one();
        }
    }
    std::vector<TBroadcast> arrived;
    arrived.swap(m_pending);
    return arrived;
}

int TBroadcastListener::Fd() const { return m_bus ? sd_bus_get_fd(m_bus) : -1; }

void SendBroadcast(std::uint32_t WParam, std::int32_t LParam) {
    std::string error;
    sd_bus* bus = openSessionBus(error);
    if (!bus)
        throw framework::Exception(error + "; start the program inside a desktop session");
    int r =
        sd_bus_emit_signal(bus, kBroadcastPath, kBroadcastInterface, kBroadcastMember, "ui", WParam, LParam);
    if (r >= 0)
        r = settle(bus, Clock::now() + kBusTimeout);
    sd_bus_close_unref(bus);
    if (r == -ETIMEDOUT)
        throw framework::Exception(
            "Cannot send the broadcast: the D-Bus session bus does not take it (waited " +
            std::to_string(kBusTimeout.count()) + " ms)");
    if (r < 0)
        throw framework::Exception(std::string("Cannot send the broadcast: ") + std::strerror(-r));
}

}  // namespace host
