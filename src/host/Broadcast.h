#pragma once
// The suite's broadcast between programs: one program of the user's session sends a message
// (WParam, LParam) and every running window of the suite receives it as WM_BROADCASTBYSHELL.
// It travels as a D-Bus signal on the session bus; without a session bus the listener says so
// once and stays quiet, and the windows keep working.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct sd_bus;
struct sd_bus_slot;

namespace host {

inline constexpr const char* kBroadcastPath = "/org/lm7/Suite";
inline constexpr const char* kBroadcastInterface = "org.lm7.Suite";
inline constexpr const char* kBroadcastMember = "Broadcast";

// How long a connection to the session bus, and a call on it, may take before the bus counts
// as one that does not answer.
inline constexpr std::chrono::milliseconds kBusTimeout{3000};

struct TBroadcast {
    std::uint32_t WParam = 0;
    std::int32_t LParam = 0;
    bool operator==(const TBroadcast&) const = default;
};

class TBroadcastListener {
public:
    // Arrival, when given, is called from a thread of the listener as soon as something comes
    // in on the bus, once until the next Receive; it should only wake the thread that calls
    // Receive (a window host's event loop), which then gets the broadcast at once instead of
    // at its next wake-up. A bus that does not answer within kBusTimeout counts as none.
    explicit TBroadcastListener(std::function<void()> Arrival = {});
    ~TBroadcastListener();
    TBroadcastListener(const TBroadcastListener&) = delete;
    TBroadcastListener& operator=(const TBroadcastListener&) = delete;

    bool Connected() const { return m_bus != nullptr; }
    // Why there is no connection, in a sentence for the user; empty when connected.
    const std::string& Error() const { return m_error; }
    // The broadcasts that arrived since the last call, oldest first; never waits.
    std::vector<TBroadcast> Receive();
    // The bus connection's file descriptor, readable when something arrived; -1 without one.
    int Fd() const;

private:
    friend struct TBroadcastSignal;  // sd-bus's callback, which adds to m_pending
    void StartWatcher();
    void StopWatcher();
    void Watch(int Fd);

    sd_bus* m_bus = nullptr;
    sd_bus_slot* m_slot = nullptr;
    std::string m_error;
    std::vector<TBroadcast> m_pending;

    // The watcher: a thread that waits on the connection's descriptor and a pipe that stops it.
    std::function<void()> m_arrival;
    std::thread m_watcher;
    bool m_watching = false;
    int m_stopPipe[2] = {-1, -1};
    std::mutex m_lock;  // guards the two flags below
    std::condition_variable m_rearmed;
    bool m_armed = true;  // the watcher may call m_arrival when something comes in
    bool m_stopping = false;
};

// Sends a broadcast to every window of the suite in the session. Raises framework::Exception
// with a message that says what is missing when there is no session bus, or within about
// twice kBusTimeout when the bus does not answer.
void SendBroadcast(std::uint32_t WParam, std::int32_t LParam);

}  // namespace host
