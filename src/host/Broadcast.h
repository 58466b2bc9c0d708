#pragma once
// The suite's broadcast between programs: one program of the user's session sends a message
// (WParam, LParam) and every running window of the suite receives it as WM_BROADCASTBYSHELL.
// It travels as a D-Bus signal on the session bus; without a session bus the listener says so
// once and stays quiet, and the windows keep working.

#include <cstdint>
#include <string>
#include <vector>

struct sd_bus;
struct sd_bus_slot;

namespace host {

inline constexpr const char* kBroadcastPath = "/org/lm7/Suite";
inline constexpr const char* kBroadcastInterface = "org.lm7.Suite";
inline constexpr const char* kBroadcastMember = "Broadcast";

struct TBroadcast {
    std::uint32_t WParam = 0;
    std::int32_t LParam = 0;
    bool operator==(const TBroadcast&) const = default;
};

class TBroadcastListener {
public:
    TBroadcastListener();
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
    sd_bus* m_bus = nullptr;
    sd_bus_slot* m_slot = nullptr;
    std::string m_error;
    std::vector<TBroadcast> m_pending;
};

// Sends a broadcast to every window of the suite in the session. Raises framework::Exception
// with a message that says what is missing when there is no session bus.
void SendBroadcast(std::uint32_t WParam, std::int32_t LParam);

}  // namespace host
