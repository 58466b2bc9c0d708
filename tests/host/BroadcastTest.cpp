#include "host/Broadcast.h"
#include "framework/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>

using namespace host;

namespace {

// Sets or clears an environment variable for the life of the guard.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name))
            m_old = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv() {
        if (m_old)
            setenv(m_name, m_old->c_str(), 1);
        else
            unsetenv(m_name);
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

// A private session bus of its own for the test, when dbus-daemon is installed.
class PrivateSessionBus : public ::testing::Test {
protected:
    void SetUp() override {
        FILE* out = popen("dbus-daemon --session --fork --print-address=1 --print-pid=1 2>/dev/null", "r");
        char address[512] = {}, pid[32] = {};
        if (out) {
            if (!std::fgets(address, sizeof address, out) || !std::fgets(pid, sizeof pid, out))
                address[0] = 0;
            pclose(out);
        }
        if (!address[0])
            GTEST_SKIP() << "dbus-daemon is not installed";
        std::string a(address);
        a.erase(a.find_last_not_of("\r\n") + 1);
        m_pid = std::atoi(pid);
        m_env.emplace("DBUS_SESSION_BUS_ADDRESS", a.c_str());
    }
    void TearDown() override {
        m_env.reset();
        if (m_pid > 0)
            kill(m_pid, SIGTERM);
    }
    int m_pid = 0;
    std::optional<ScopedEnv> m_env;
};

std::vector<TBroadcast> receiveWithin(TBroadcastListener& listener, std::size_t count) {
    std::vector<TBroadcast> got;
    for (int i = 0; i < 200 && got.size() < count; ++i) {
        for (const TBroadcast& b : listener.Receive())
            got.push_back(b);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return got;
}

}  // namespace

TEST(BroadcastWithoutBus, TheListenerSaysWhyAndSendingRaisesAClearError) {
    ScopedEnv address("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/lm7-no-bus");
    ScopedEnv runtime("XDG_RUNTIME_DIR", nullptr);
    TBroadcastListener listener;
    EXPECT_FALSE(listener.Connected());
    EXPECT_NE(listener.Error().find("No D-Bus session bus"), std::string::npos);
    EXPECT_TRUE(listener.Receive().empty());
    EXPECT_EQ(listener.Fd(), -1);
    try {
        SendBroadcast(703, 3);
        FAIL() << "sending without a bus must raise";
    } catch (const framework::Exception& e) {
        EXPECT_NE(e.Message().find("No D-Bus session bus"), std::string::npos);
    }
}

TEST_F(PrivateSessionBus, EveryListenerGetsEachBroadcastInOrder) {
    TBroadcastListener first, second;
    ASSERT_TRUE(first.Connected()) << first.Error();
    ASSERT_TRUE(second.Connected());
    SendBroadcast(703, -3);
    SendBroadcast(0x00120000u | 5u, INT32_MIN);
    const std::vector<TBroadcast> expected{{703u, -3}, {0x00120005u, INT32_MIN}};
    EXPECT_EQ(receiveWithin(first, 2), expected);
    EXPECT_EQ(receiveWithin(second, 2), expected);
}
